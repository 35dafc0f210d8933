#include "reader/summary.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "reader/statistics.h"
#include "workloads/workload_facts.h"

namespace {

enum Role { Baseline = 0, Worker = 1 };
const char* const kRoleNames[] = {"baseline", "worker"};

struct Pool {
    std::size_t label = 0;
    int workload = 0;
    Role role = Worker;
    std::string processor;
    std::size_t firstSeen = 0;
    std::vector<double> figures;
    int runs = 0;
    std::size_t lastRun = static_cast<std::size_t>(-1);
};

struct MemoryPool {
    std::vector<double> kib;
};

}  // namespace

std::vector<SummaryRow> summarise(const std::vector<LabelledRun>& runs) {
    std::vector<std::string> labels;
    std::map<std::tuple<std::size_t, int, int, std::string>, Pool> pools;
    std::map<std::tuple<std::size_t, int, std::string>, MemoryPool> memory;
    std::size_t seen = 0;

    for (std::size_t runIndex = 0; runIndex < runs.size(); ++runIndex) {
        const LabelledRun& labelled = runs[runIndex];
        const auto found = std::find(labels.begin(), labels.end(), labelled.label);
        const std::size_t label = static_cast<std::size_t>(found - labels.begin());
        if (found == labels.end()) labels.push_back(labelled.label);

        for (const ResultRow& row : labelled.run.rows) {
            const WorkloadFacts* facts = findWorkload(row.workload);
            if (facts == nullptr) continue;
            const Role role = row.rank == 0 ? Baseline : Worker;
            const int workload = workloadIndex(facts->kind);
            Pool& pool = pools[{label, workload, role, row.processor}];
            if (pool.figures.empty()) {
                pool.label = label;
                pool.workload = workload;
                pool.role = role;
                pool.processor = row.processor;
                pool.firstSeen = seen++;
            }
            pool.figures.push_back(row.millionsPerSecond);
            if (pool.lastRun != runIndex) {
                pool.lastRun = runIndex;
                ++pool.runs;
            }
            // A process's memory is the same for every workload: taken once, with the first.
            const auto kib = labelled.peakResidentKib.find(row.rank);
            if (workload == 0 && kib != labelled.peakResidentKib.end()) {
                memory[{label, role, row.processor}].kib.push_back(kib->second);
            }
        }
    }

    std::vector<const Pool*> ordered;
    for (const auto& entry : pools) ordered.push_back(&entry.second);
    std::sort(ordered.begin(), ordered.end(), [](const Pool* a, const Pool* b) {
        return std::tie(a->label, a->workload, a->role, a->firstSeen) <
               std::tie(b->label, b->workload, b->role, b->firstSeen);
    });

    std::vector<SummaryRow> rows;
    for (const Pool* pool : ordered) {
        SummaryRow row;
        row.label = labels[pool->label];
        row.workload = kWorkloads[pool->workload].name;
        row.processor = pool->processor;
        row.role = kRoleNames[pool->role];
        row.runs = pool->runs;
        row.samples = static_cast<int>(pool->figures.size());
        row.medianMillionsPerSecond = median(pool->figures);
        row.minMillionsPerSecond = std::numeric_limits<double>::quiet_NaN();
        row.maxMillionsPerSecond = row.minMillionsPerSecond;
        for (double figure : pool->figures) {
            // fmin and fmax pass over a NaN, so a NaN stays only when there is nothing else.
            row.minMillionsPerSecond = std::fmin(row.minMillionsPerSecond, figure);
            row.maxMillionsPerSecond = std::fmax(row.maxMillionsPerSecond, figure);
        }
        row.spread = relativeSpread(pool->figures);
        const auto kib = memory.find({pool->label, pool->role, pool->processor});
        if (kib != memory.end()) row.peakResidentMib = median(kib->second.kib) / 1024.0;
        rows.push_back(row);
    }

    // The slow-host rule, per label and workload, over the worker hosts.
    for (std::size_t first = 0; first < rows.size();) {
        std::size_t last = first;
        while (last < rows.size() && rows[last].label == rows[first].label &&
               rows[last].workload == rows[first].workload) {
            ++last;
        }
        std::vector<std::size_t> workers;
        std::vector<double> medians;
        for (std::size_t index = first; index < last; ++index) {
            if (rows[index].role == kRoleNames[Worker]) {
                workers.push_back(index);
                medians.push_back(rows[index].medianMillionsPerSecond);
            }
        }
        const std::vector<bool> slow = slowHosts(medians);
        for (std::size_t index = 0; index < workers.size(); ++index) rows[workers[index]].slow = slow[index];
        first = last;
    }
    return rows;
}
