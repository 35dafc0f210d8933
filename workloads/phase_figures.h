#pragma once

#include <cstddef>
#include <cstdint>

#include "workloads/workload_kind.h"

// Every run performs exactly this many operations between its two timer readings.
constexpr std::uint64_t kOperationsPerRun = 16777216;  // 2^24
constexpr double kOperationsPerRunAsRate = 16777216.0;
constexpr std::size_t kSmallBlockBytes = 8;
constexpr std::size_t kFillArrayBytes = 134217728;  // kOperationsPerRun elements of 8 bytes

// Figures of one timed run on one process.
struct PhaseFigures {
    double startTime = 0.0;
    double endTime = 0.0;
    double spentSeconds = 0.0;
    double operationsPerSecond = 0.0;
};

// Derives spent seconds and rate from the two timer readings. A spent time of 0 gives an
// infinite rate, which is reported as it is.
PhaseFigures figuresFromReadings(double startTime, double endTime);

// Bytes that one operation of the workload is counted as moving in the megabyte figures;
// 0 for AllocateAndFree, which has no megabyte figure.
double bytesPerOperation(WorkloadKind kind);
bool hasBandwidthFigure(WorkloadKind kind);

double millionsPerSecond(double rate);
double megabytesPerSecond(double rate, double bytesPerOperationOfWorkload);
