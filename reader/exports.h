#pragma once

#include <ostream>
#include <vector>

#include "reader/results_data.h"

// One header line, then one row per file, workload and process.
void writeCsv(std::ostream& out, const std::vector<ResultsRun>& runs);

// The same rows as an array of JSON objects with the CSV's column names (figures as numbers;
// an infinite or undefined figure as null).
void writeJson(std::ostream& out, const std::vector<ResultsRun>& runs);
