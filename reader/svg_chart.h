#pragma once

#include <ostream>
#include <vector>

#include "reader/results_data.h"

// For each value, whether it lies far below the others: more than three scaled median absolute
// deviations (1.4826 x MAD) below their median. Needs at least three values; infinite values
// count in the median and are never flagged.
std::vector<bool> farBelowOthers(const std::vector<double>& values);

// An SVG chart of one run: one panel per workload, a bar per process (millions of operations per
// second), labelled with rank and processor name; rank 0's baseline bar and a dashed line at its
// height mark the single-process baseline; workers far below the others are drawn in red.
void writeChartSvg(std::ostream& out, const ResultsRun& run);
