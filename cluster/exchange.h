#pragma once

#include <functional>

#include "cluster/rank_tables.h"
#include "workloads/phase_figures.h"
#include "workloads/workload_facts.h"

// The only file that sends or receives: the four messages per worker and workload.

// Worker side: enters the run's figures at the worker's own rank and sends four messages to
// rank 0 (tag 0): the rate table, the spent-seconds table, the processor name and the
// rank-number table, each table message worldSize entries long.
void deliverFigures(ExchangeTables& tables, int worldSize, int ownRank, const char* processorName,
                    int processorNameLength, WorkloadKind kind, const PhaseFigures& figures);

// Root side: receives the four messages of workers 1, 2, ... worldSize-1 in rank order, each
// receive naming its source, and hands each worker's figures to the step (which writes that
// worker's lines) before it receives from the next worker.
using WorkerStep = std::function<void(const CollectedFigures&)>;
void collectFigures(ExchangeTables& tables, int worldSize, WorkloadKind kind,
                    const WorkerStep& step);
