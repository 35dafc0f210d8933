#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "reader/results_data.h"
#include "reader/summary.h"

// SVG charts that stay readable from one process to thousands: one panel per workload, one
// place per host (ranks on a host pooled) with its median rate as a dot and its range (min to
// max) as a line, hosts ordered fastest first so a slow one stands at the end, slow hosts
// (reader/statistics.h) ringed in red and named; rank 0's baseline, measured alone, first and as
// a dashed level. Several labels (allocators, say) stand side by side at every host, each in a
// colour of its own, and each panel says how their medians compare.
//
// Whatever the figures and names, the chart is bounded (a few elements per host and label, at
// most a dozen grid lines), every coordinate is finite, and every text is valid XML 1.0.

// The chart of a summary under its title.
void writeSummaryChartSvg(std::ostream& out, const std::vector<SummaryRow>& rows, const std::string& title);

// The chart of one run: the summary of that run alone, titled with its date, time, rank 0's
// host and the number of processes.
void writeRunChartSvg(std::ostream& out, const ResultsRun& run);

// Round grid steps for an axis from 0 to at least `highest` (a finite figure of any size):
// the top of the axis, the step between grid lines and their number (at most 10), all finite.
struct ChartAxis {
    double top = 1;
    double step = 1;
    int steps = 1;
};
ChartAxis chartAxisFor(double highest);
