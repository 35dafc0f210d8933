#pragma once

#include <optional>
#include <string>
#include <vector>

// What one results file says: one row per workload and process. Rank 0 is the root's
// single-process baseline; ranks 1 and up are the workers of the cluster sections.
struct ResultRow {
    std::string workload;  // AllocateAndFree, AllocateAndKeep, FillArray
    int rank = 0;
    std::string processor;
    // Figures as the file writes them (six significant digits), and their values.
    std::string spentSecondsText;
    std::string millionsPerSecondText;
    std::string megabytesPerSecondText;  // empty where the workload has none
    double spentSeconds = 0;
    double millionsPerSecond = 0;
    std::optional<double> megabytesPerSecond;
};

struct ResultsRun {
    std::string file;       // as given on the command line
    std::string processor;  // rank 0's, from the file name; empty if the name was changed
    std::string date;       // YYYY-MM-DD from the file name, or empty
    std::string time;       // HH:MM:SS from the file name, or empty
    int processes = 0;
    std::vector<ResultRow> rows;  // workload by workload; rank 0 first, then workers in rank order
};
