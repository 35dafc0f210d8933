#pragma once

// Every fixed text of the report that is the same for all workloads, in one place, so that the
// benchmark and anything that reads its results files use the same words (the texts that vary
// by workload are in the table of workloads/workload_facts.h). Leading and trailing blanks are
// part of the texts.
//
// The texts are byte-exact, and some of them are meant to read as they do: the file title's
// "64it system" and its final period, the results file's average label with two blanks in
// "thread  was", and the per-workload labels "The spent: ", "It was" after "Overall, " and
// "Millions Millions". Results files already written, and every script that parses them,
// depend on these bytes: do not correct them.

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
