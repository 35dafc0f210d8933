#include <gtest/gtest.h>

#include <cmath>

#include "report/report_channel.h"
#include "workloads/phase_figures.h"
#include "workloads/workload_facts.h"

TEST(PhaseFigures, RateIsOperationsOverSpentTime) {
    const PhaseFigures oneSecond = figuresFromReadings(10.0, 11.0);
    EXPECT_EQ(oneSecond.startTime, 10.0);
    EXPECT_EQ(oneSecond.endTime, 11.0);
    EXPECT_EQ(oneSecond.spentSeconds, 1.0);
    EXPECT_EQ(oneSecond.operationsPerSecond, 16777216.0);
    EXPECT_EQ(millionsPerSecond(oneSecond.operationsPerSecond), 16.777216);

    const PhaseFigures half = figuresFromReadings(2.0, 2.5);
    EXPECT_EQ(half.operationsPerSecond, 33554432.0);
    EXPECT_EQ(generalNumber(millionsPerSecond(half.operationsPerSecond)), "33.5544");
    EXPECT_EQ(generalNumber(megabytesPerSecond(half.operationsPerSecond,
                                               factsOf(WorkloadKind::AllocateAndKeep).bytesPerOperation)),
              "512");
    EXPECT_EQ(generalNumber(megabytesPerSecond(half.operationsPerSecond,
                                               factsOf(WorkloadKind::FillArray).bytesPerOperation)),
              "256");
}

TEST(PhaseFigures, NoSpentTimeGivesAnInfiniteRate) {
    const PhaseFigures instant = figuresFromReadings(3.0, 3.0);
    EXPECT_EQ(instant.spentSeconds, 0.0);
    EXPECT_TRUE(std::isinf(instant.operationsPerSecond));
    EXPECT_EQ(generalNumber(millionsPerSecond(instant.operationsPerSecond)), "inf");
}

TEST(PhaseFigures, MegabytesCountSixteenBytesPerKeptBlockAndEightPerElement) {
    EXPECT_EQ(megabytesPerSecond(1048576.0, factsOf(WorkloadKind::AllocateAndKeep).bytesPerOperation), 16.0);
    EXPECT_EQ(megabytesPerSecond(1048576.0, factsOf(WorkloadKind::FillArray).bytesPerOperation), 8.0);
    EXPECT_FALSE(factsOf(WorkloadKind::AllocateAndFree).hasBandwidthFigure);
    EXPECT_TRUE(factsOf(WorkloadKind::AllocateAndKeep).hasBandwidthFigure);
    EXPECT_TRUE(factsOf(WorkloadKind::FillArray).hasBandwidthFigure);
}
