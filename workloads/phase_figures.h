#pragma once

#include <cstddef>
#include <cstdint>

// Every run performs exactly this many operations between its two timer readings.
constexpr std::uint64_t kOperationsPerRun = 16777216;  // 2^24
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

double millionsPerSecond(double rate);
// The workload's bytesPerOperation (workloads/workload_facts.h) gives the bytes per operation.
double megabytesPerSecond(double rate, double bytesPerOperation);
