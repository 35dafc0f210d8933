#pragma once

#include <ostream>
#include <vector>

#include "reader/results_data.h"
#include "reader/summary.h"

// One header line, then one row per file, workload and process.
void writeCsv(std::ostream& out, const std::vector<ResultsRun>& runs);

// The same rows as an array of JSON objects with the CSV's column names (figures as numbers;
// an infinite or undefined figure as null).
void writeJson(std::ostream& out, const std::vector<ResultsRun>& runs);

// The summary: one row per label, workload, role and host. Figures are in "%g" form in CSV
// (peak_resident_mib empty where not recorded), numbers (or null) in JSON.
void writeSummaryCsv(std::ostream& out, const std::vector<SummaryRow>& rows);
void writeSummaryJson(std::ostream& out, const std::vector<SummaryRow>& rows);
