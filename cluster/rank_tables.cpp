#include "cluster/rank_tables.h"

#include <algorithm>

int tableCapacityFor(int worldSize) { return std::max(kRankCapacity, worldSize); }

namespace {

void growTo(RankTables& tables, std::size_t entries) {
    for (auto* table : {&tables.spentSecondsByRank, &tables.operationsPerSecondByRank,
                        &tables.receivedOperationsPerSecond, &tables.receivedSpentSeconds}) {
        if (table->size() < entries) table->resize(entries, 0.0);
    }
    if (tables.workerNames.size() < entries) tables.workerNames.resize(entries);
}

}  // namespace

ExchangeTables createExchangeTables(int worldSize, int nameCapacity) {
    ExchangeTables tables;
    tables.receivedName.assign(static_cast<std::size_t>(nameCapacity), '\0');
    fitTablesToJob(tables, worldSize);
    return tables;
}

void fitTablesToJob(ExchangeTables& tables, int worldSize) {
    const auto entries = static_cast<std::size_t>(tableCapacityFor(worldSize));
    for (auto& workloadTables : tables.byWorkload) growTo(workloadTables, entries);
    if (tables.rankNumbers.size() < entries) tables.rankNumbers.resize(entries, 0);
    if (tables.receivedRankNumbers.size() < entries) tables.receivedRankNumbers.resize(entries, 0);
}

RankTables& tablesOf(ExchangeTables& tables, WorkloadKind kind) {
    return tables.byWorkload[workloadIndex(kind)];
}

void enterOwnFigures(ExchangeTables& tables, WorkloadKind kind, int ownRank,
                     const PhaseFigures& figures) {
    RankTables& own = tablesOf(tables, kind);
    const auto entry = static_cast<std::size_t>(ownRank);
    own.spentSecondsByRank.at(entry) = figures.spentSeconds;
    own.operationsPerSecondByRank.at(entry) = figures.operationsPerSecond;
    tables.rankNumbers.at(entry) = ownRank;
}

CollectedFigures collectedFiguresOf(ExchangeTables& tables, WorkloadKind kind, int source) {
    RankTables& received = tablesOf(tables, kind);
    const auto entry = static_cast<std::size_t>(source);
    CollectedFigures figures;
    figures.rankNumber = tables.receivedRankNumbers.at(entry);
    figures.processorName = received.workerNames.at(entry);
    figures.spentSeconds = received.receivedSpentSeconds.at(entry);
    figures.operationsPerSecond = received.receivedOperationsPerSecond.at(entry);
    return figures;
}
