#pragma once

#include "report/report_channel.h"
#include "workloads/phase_figures.h"
#include "workloads/workload_facts.h"

// The root process's first report: banners, the process count, the single-process note and
// the heading of the first workload, written before the first baseline run.
void writeBaselinePreamble(ReportChannel& channel, int worldSize);

// The figures of one baseline run, written right after it (with the heading of the second and
// third workloads, and the two blank lines that close the report after the third).
void writeBaselineFigures(ReportChannel& channel, WorkloadKind kind, const PhaseFigures& figures);
