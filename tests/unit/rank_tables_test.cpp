#include <gtest/gtest.h>

#include <stdexcept>

#include "cluster/rank_tables.h"

namespace {

std::size_t smallestTable(const ExchangeTables& tables) {
    std::size_t smallest = tables.rankNumbers.size();
    smallest = std::min(smallest, tables.receivedRankNumbers.size());
    for (const RankTables& t : tables.byWorkload) {
        for (const auto* table : {&t.spentSecondsByRank, &t.operationsPerSecondByRank,
                                  &t.receivedOperationsPerSecond, &t.receivedSpentSeconds}) {
            smallest = std::min(smallest, table->size());
        }
        smallest = std::min(smallest, t.workerNames.size());
    }
    return smallest;
}

}  // namespace

TEST(RankTables, HoldTheFixedCapacityOrTheWholeJobWhenItIsLarger) {
    const struct {
        int worldSize;
        int entries;
    } cases[] = {{1, 4096}, {2, 4096}, {4095, 4096}, {4096, 4096}, {4097, 4097}, {10000, 10000}};
    for (const auto& c : cases) {
        EXPECT_EQ(tableCapacityFor(c.worldSize), c.entries) << c.worldSize;
        const ExchangeTables tables = createExchangeTables(c.worldSize, 256);
        EXPECT_EQ(smallestTable(tables), static_cast<std::size_t>(c.entries)) << c.worldSize;
        EXPECT_EQ(tables.receivedName.size(), 256u);
    }
}

TEST(RankTables, GrowToAJobFoundLargerAfterStartUpAndNeverShrink) {
    ExchangeTables tables = createExchangeTables(kRankCapacity, 128);
    fitTablesToJob(tables, 6000);
    EXPECT_EQ(smallestTable(tables), 6000u);
    fitTablesToJob(tables, 3);
    EXPECT_EQ(smallestTable(tables), 6000u);
}

TEST(RankTables, WorkerEntersItsFiguresAtItsOwnRankOnly) {
    for (const int worldSize : {2, 4096, 5001}) {
        const int ownRank = worldSize - 1;  // 1, the last entry 4095, and one beyond 4096
        ExchangeTables tables = createExchangeTables(kRankCapacity, 128);
        fitTablesToJob(tables, worldSize);
        enterOwnFigures(tables, WorkloadKind::AllocateAndKeep, ownRank, figuresFromReadings(1.0, 1.5));

        const RankTables& own = tablesOf(tables, WorkloadKind::AllocateAndKeep);
        EXPECT_EQ(own.spentSecondsByRank[ownRank], 0.5);
        EXPECT_EQ(own.operationsPerSecondByRank[ownRank], 33554432.0);
        EXPECT_EQ(tables.rankNumbers[ownRank], ownRank);
        // Everything else that a message carries stays zero.
        for (int rank = 0; rank < worldSize - 1; ++rank) {
            ASSERT_EQ(own.operationsPerSecondByRank[rank], 0.0);
            ASSERT_EQ(own.spentSecondsByRank[rank], 0.0);
            ASSERT_EQ(tables.rankNumbers[rank], 0);
        }
        EXPECT_EQ(tablesOf(tables, WorkloadKind::FillArray).operationsPerSecondByRank[ownRank], 0.0);
    }
}

TEST(RankTables, RootReadsTheEntryOfTheSourceJustReceived) {
    ExchangeTables tables = createExchangeTables(4200, 128);
    RankTables& landing = tablesOf(tables, WorkloadKind::FillArray);
    for (const int source : {1, 4095, 4199}) {
        landing.receivedOperationsPerSecond[source] = 2.0 * source;
        landing.receivedSpentSeconds[source] = 0.5 * source;
        landing.workerNames[source] = "node" + std::to_string(source);
        tables.receivedRankNumbers[source] = source;
        const CollectedFigures figures = collectedFiguresOf(tables, WorkloadKind::FillArray, source);
        EXPECT_EQ(figures.rankNumber, source);
        EXPECT_EQ(figures.processorName, "node" + std::to_string(source));
        EXPECT_EQ(figures.spentSeconds, 0.5 * source);
        EXPECT_EQ(figures.operationsPerSecond, 2.0 * source);
    }
}

TEST(RankTables, ARankBeyondTheTablesIsRefusedRatherThanWrittenPastTheirEnd) {
    ExchangeTables tables = createExchangeTables(kRankCapacity, 128);
    EXPECT_THROW(enterOwnFigures(tables, WorkloadKind::AllocateAndFree, 4096, PhaseFigures{}),
                 std::out_of_range);
    EXPECT_THROW(collectedFiguresOf(tables, WorkloadKind::AllocateAndFree, 4096), std::out_of_range);
}
