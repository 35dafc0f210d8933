#pragma once

#include <functional>

#include "cluster/exchange.h"
#include "cluster/rank_tables.h"
#include "report/report_channel.h"
#include "workloads/workload_kind.h"

// Running sum of the workers' rates of one workload.
struct ClusterTotals {
    double rateSum = 0.0;
};

// Feeds every worker's figures, in rank order, to the step it is given.
using WorkerSource = std::function<void(const WorkerStep&)>;

// The section's opening lines, up to and including the workload heading.
void writeClusterOpening(ReportChannel& channel, WorkloadKind kind);

// Adds the worker's rate to the sum and writes its group: spent line, rate line and, for the
// workloads that have one, its megabyte line; the whole group to the console, then to the file.
void writeWorkerGroup(ReportChannel& channel, WorkloadKind kind, ClusterTotals& totals,
                      const CollectedFigures& worker);

// Sum, improvement over the root's baseline rate, and average per worker process.
void writeClusterTotals(ReportChannel& channel, WorkloadKind kind, const ClusterTotals& totals,
                        double baselineRate, int workerCount);

// A whole section: opening, every worker that the source hands over, totals.
void writeClusterSection(ReportChannel& channel, WorkloadKind kind, double baselineRate,
                         int workerCount, ClusterTotals& totals, const WorkerSource& workers);
