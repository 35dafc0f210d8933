#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "reader/results_data.h"

// Figures of several runs pooled per label, workload and host: what a user decides on. Ranks
// that share a host pool into that host's row; rank 0's baseline (measured alone) stays apart.

// One run of one label, with the peak resident memory of its ranks where the run recorded it.
struct LabelledRun {
    std::string label;
    ResultsRun run;
    std::map<int, double> peakResidentKib;  // by rank
};

struct SummaryRow {
    std::string label;
    std::string workload;
    std::string processor;
    std::string role;  // "baseline" (rank 0 measured alone) or "worker"
    int runs = 0;      // files that gave figures to this row
    int samples = 0;   // figures pooled: ranks on the host times runs
    double medianMillionsPerSecond = 0;
    double minMillionsPerSecond = 0;
    double maxMillionsPerSecond = 0;
    double spread = 0;  // robust relative spread: 1.4826 x MAD / median
    bool slow = false;  // see slowHosts (reader/statistics.h); never for the baseline
    std::optional<double> peakResidentMib;  // median over the row's processes, where recorded
};

// Rows by label (in the order labels first appear), workload (run order), role (baseline
// first) and host (in the order hosts first appear, which is rank order).
std::vector<SummaryRow> summarise(const std::vector<LabelledRun>& runs);
