#pragma once

#include "cluster/rank_tables.h"
#include "report/report_channel.h"
#include "workloads/workload_facts.h"

// A cluster section is written in three stages while the workload's figures arrive: the
// opening lines; one group per worker, each written as soon as that worker's figures are in;
// the totals after the last worker.

// Running sum of the workers' rates of one workload.
struct ClusterTotals {
    double rateSum = 0.0;
};

// The section's opening lines, up to and including the workload heading.
void writeClusterOpening(ReportChannel& channel, WorkloadKind kind);

// Adds the worker's rate to the sum and writes its group: spent line, rate line and, for the
// workloads that have one, its megabyte line; the whole group to the console, then to the file.
void writeWorkerGroup(ReportChannel& channel, WorkloadKind kind, ClusterTotals& totals,
                      const CollectedFigures& worker);

// Sum, improvement over the root's baseline rate, and average per worker process.
void writeClusterTotals(ReportChannel& channel, WorkloadKind kind, const ClusterTotals& totals,
                        double baselineRate, int workerCount);
