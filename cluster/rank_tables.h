#pragma once

#include <string>
#include <vector>

#include "workloads/phase_figures.h"
#include "workloads/workload_facts.h"

// Tables indexed by rank number, from which workers send their figures and into which the root
// process receives them. They hold kRankCapacity entries, or the whole job when it is larger,
// so no entry is ever written, sent or received beyond a table.
constexpr int kRankCapacity = 4096;

// Entries a table needs for a job of worldSize processes.
int tableCapacityFor(int worldSize);

struct RankTables {
    // Worker side: only entry [own rank] is ever written; the others stay 0 and travel as 0.
    std::vector<double> spentSecondsByRank;
    std::vector<double> operationsPerSecondByRank;
    // Root side: landing areas, overwritten by every worker's message in turn.
    std::vector<double> receivedOperationsPerSecond;
    std::vector<double> receivedSpentSeconds;
    std::vector<std::string> workerNames;
};

// One RankTables per workload, plus the tables that the three workloads share.
struct ExchangeTables {
    RankTables byWorkload[kWorkloadCount];
    std::vector<int> rankNumbers;          // worker side: entry [own rank] = own rank
    std::vector<int> receivedRankNumbers;  // root side landing area
    std::vector<char> receivedName;        // root side landing area for a processor name
};

// Zero-filled tables of tableCapacityFor(worldSize) entries, with a name buffer of
// nameCapacity characters.
ExchangeTables createExchangeTables(int worldSize, int nameCapacity);

// Grows the tables (never shrinks them) to hold a job of worldSize processes.
void fitTablesToJob(ExchangeTables& tables, int worldSize);

RankTables& tablesOf(ExchangeTables& tables, WorkloadKind kind);

// Enters a worker's figures of one run that travel (spent seconds and rate), and its rank, at
// entry [ownRank].
void enterOwnFigures(ExchangeTables& tables, WorkloadKind kind, int ownRank,
                     const PhaseFigures& figures);

// One worker's figures of one workload as the root process hands them to the summary.
struct CollectedFigures {
    int rankNumber = 0;
    std::string processorName;
    double spentSeconds = 0.0;
    double operationsPerSecond = 0.0;
};

// Reads entry [source] of what arrived from that worker.
CollectedFigures collectedFiguresOf(ExchangeTables& tables, WorkloadKind kind, int source);
