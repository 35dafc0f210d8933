#pragma once

#include <string_view>

// The three workloads and every fact that varies between them, in one table: what the report
// writers, the reader of results files and its chart look up. Nothing else in the program
// switches on a workload.

// The three workloads, in the order in which every process runs them.
enum class WorkloadKind { AllocateAndFree, AllocateAndKeep, FillArray };

constexpr int kWorkloadCount = 3;

struct WorkloadFacts {
    WorkloadKind kind;
    // The enumerator's name, for messages meant for people and for machine-readable exports.
    const char* name;
    // Heading of its baseline block and of its cluster section.
    const char* heading;
    // Unit after every rate of the workload, and after the average of its cluster section.
    const char* rateUnit;
    const char* averageUnit;
    // Label before a worker's spent time in the cluster section, per stream.
    const char* workerSpentLabelConsole;
    const char* workerSpentLabelFile;
    // Label of the sum of the workers' rates.
    const char* overallLabel;
    // Bytes one operation counts as moving in the megabyte figures; 0 where there are none.
    double bytesPerOperation;
    bool hasBandwidthFigure;
    // The baseline heading goes out before the run (so it stands while the run goes on)
    // rather than together with the figures after it.
    bool headingBeforeRun;
    // Where the blank lines stand: one more after the baseline block (closing the baseline
    // report), one before the cluster section and one after it.
    bool blankAfterBaseline;
    bool blankBeforeSection;
    bool blankAfterSection;
    // Title of its panel in the reader's charts.
    const char* chartTitle;
};

// The texts are byte-exact, as report/report_text.h says of all the report's fixed texts.
constexpr WorkloadFacts kWorkloads[kWorkloadCount] = {
    {WorkloadKind::AllocateAndFree, "AllocateAndFree", "Power of Memory Allocation.",
     " Millions Allocations/sec.", " Millions Allocations/sec.", "This thread spent: ",
     "This thread spent: ", "Overall, it was: ", 0.0, false, true, false, false, true,
     "AllocateAndFree: millions of allocations per second"},
    {WorkloadKind::AllocateAndKeep, "AllocateAndKeep", "Low speeds:", " Millions Executions/sec.",
     " Millions Millions Executions/sec.", "The system spent: ", "The spent: ",
     "Overall, It was: ", 16.0, true, false, false, true, true,
     "AllocateAndKeep: millions of executions per second"},
    {WorkloadKind::FillArray, "FillArray", "High speeds:", " Millions Executions/sec.",
     " Millions Millions Executions/sec.", "The system spent: ", "The system spent: ",
     "Overall, It was: ", 8.0, true, false, true, true, false,
     "FillArray: millions of executions per second"},
};

// Position of a workload in kWorkloads, which is also the order of the runs.
constexpr int workloadIndex(WorkloadKind kind) { return static_cast<int>(kind); }

constexpr const WorkloadFacts& factsOf(WorkloadKind kind) { return kWorkloads[workloadIndex(kind)]; }

// The workloads in run order, for range-for loops.
constexpr WorkloadKind kWorkloadOrder[kWorkloadCount] = {
    kWorkloads[0].kind, kWorkloads[1].kind, kWorkloads[2].kind};

static_assert(kWorkloads[0].kind == WorkloadKind::AllocateAndFree &&
                  kWorkloads[1].kind == WorkloadKind::AllocateAndKeep &&
                  kWorkloads[2].kind == WorkloadKind::FillArray,
              "the table is indexed by WorkloadKind");
static_assert(kWorkloads[0].hasBandwidthFigure == (kWorkloads[0].bytesPerOperation > 0) &&
                  kWorkloads[1].hasBandwidthFigure == (kWorkloads[1].bytesPerOperation > 0) &&
                  kWorkloads[2].hasBandwidthFigure == (kWorkloads[2].bytesPerOperation > 0),
              "a workload has megabyte figures exactly when it counts bytes per operation");

// The facts of a workload named as the table names it, or nullptr.
constexpr const WorkloadFacts* findWorkload(std::string_view name) {
    for (const WorkloadFacts& facts : kWorkloads) {
        if (name == facts.name) return &facts;
    }
    return nullptr;
}
