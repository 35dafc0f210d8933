#include "results_fixture.h"

#include <sstream>

#include "cluster/cluster_summary.h"
#include "report/baseline_report.h"

std::string resultsText(const FixtureProcess& root, const std::vector<FixtureProcess>& workers) {
    std::ostringstream console, file;
    ReportChannel channel{&console, &file};
    const int worldSize = static_cast<int>(workers.size()) + 1;
    PhaseFigures baseline[3];
    writeBaselinePreamble(channel, worldSize);
    for (WorkloadKind kind : kWorkloadOrder) {
        const int index = workloadIndex(kind);
        baseline[index] = figuresFromReadings(0.0, root.spentSeconds[index]);
        writeBaselineFigures(channel, kind, baseline[index]);
    }
    if (!workers.empty()) {
        for (WorkloadKind kind : kWorkloadOrder) {
            const int index = workloadIndex(kind);
            ClusterTotals totals;
            writeClusterOpening(channel, kind);
            for (std::size_t w = 0; w < workers.size(); ++w) {
                const double spent = workers[w].spentSeconds[index];
                writeWorkerGroup(channel, kind, totals,
                                 {static_cast<int>(w) + 1, workers[w].name, spent, 16777216.0 / spent});
            }
            writeClusterTotals(channel, kind, totals, baseline[index].operationsPerSecond, worldSize - 1);
        }
    }
    return file.str();
}

std::string resultsFileName(const std::string& root) {
    return "results_memory_windows_clusters @ " + root + " @ local date 2024.03.07 time 09.05.02.txt";
}
