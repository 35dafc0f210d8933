#pragma once

// Every fixed text of the report, in one place, so that the benchmark and anything that reads
// its results files use the same words. Leading and trailing blanks are part of the texts.

#include "workloads/workload_kind.h"

// Banner.
constexpr const char* kConsoleTitle =
    "Tarvonet :: Quellwright Benchmark MultiProcessor Memory for Windows Clusters on x86 64bit "
    "system 2022.10.31";
constexpr const char* kFileTitle =
    "Tarvonet :: Quellwright Benchmark MultiProcessor Memory for Windows Clusters on x86 64it "
    "system 2022.10.31.";
constexpr const char* kNoticeLine =
    "cluster-membench: timed allocate-and-free, allocate-and-keep and fill-array runs on every "
    "process.";
constexpr const char* kContactLine =
    "Figures are informative only; the report is also saved to a results file.";

// Baseline report.
constexpr const char* kProcessCountLabel = "Thread(s): ";
constexpr const char* kSingleProcessNote = "Force to be single thread.";
constexpr const char* kTimeLabel = "The system spent: ";
constexpr const char* kSecondsUnit = " Secs. ";
constexpr const char* kRateLabel = "It was: ";
constexpr const char* kAllocationsUnit = " Millions Allocations/sec.";
constexpr const char* kExecutionsUnit = " Millions Executions/sec.";
constexpr const char* kBandwidthLabel = "Conventionally, it was: ";
constexpr const char* kBandwidthUnit = " MB/sec.";

// Cluster sections.
constexpr const char* kClusterHeading = "Multi-Thread Enabled:";
constexpr const char* kWorkerPrefix = "Thread:";
constexpr const char* kWorkerNamePrefix = "@";
constexpr const char* kImprovementLabel = "Multi-Thread Improvements: ";
constexpr const char* kImprovementUnit = " times.";
constexpr const char* kAverageLabelConsole = "Among all nodes, the average per thread was: ";
constexpr const char* kAverageLabelFile = "Among all nodes, the average per thread  was: ";

// Closing lines, console only.
constexpr const char* kResultsPathLabel =
    "Results have been saved in a file and you can find it at: ";
constexpr const char* kExitPrompt = "Press Enter to Exit.";

// Results file name: a fixed prefix, the root's processor name, and a timestamp made from
// kTimestampFormat by strftime.
constexpr const char* kResultsFilePrefix = "results_memory_windows_clusters @ ";
constexpr const char* kResultsFileSeparator = " @ ";
constexpr const char* kTimestampFormat = "local date %Y.%m.%d time %H.%M.%S.txt";

// Texts that depend on the workload.
const char* workloadHeading(WorkloadKind kind);       // "Power of Memory Allocation." ...
const char* rateUnit(WorkloadKind kind);              // " Millions Allocations/sec." ...
const char* workerSpentLabelConsole(WorkloadKind kind);
const char* workerSpentLabelFile(WorkloadKind kind);
const char* overallLabel(WorkloadKind kind);
const char* averageUnit(WorkloadKind kind);
