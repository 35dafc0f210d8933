#include "bench/reference_loops.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <new>

// Each loop does what one operation of the workload must do, no more: Google Benchmark's
// DoNotOptimize lets the block's address escape, so its store is kept and its read-back is a
// real load; the sink is volatile, as the workloads define it.

namespace {
constexpr std::uint64_t kOperations = 16777216;
constexpr std::size_t kArrayBytes = kOperations * sizeof(std::uint64_t);
}  // namespace

void referenceAllocateAndFree() {
    for (std::uint64_t counter = 0; counter < kOperations; ++counter) {
        auto* block = static_cast<std::uint64_t*>(::operator new(8));
        *block = counter;
        benchmark::DoNotOptimize(block);
        ::operator delete(block);
    }
}

void referenceAllocateAndKeep() {
    [[maybe_unused]] volatile std::uint64_t sink = 0;
    for (std::uint64_t counter = 0; counter < kOperations; ++counter) {
        auto* block = static_cast<std::uint64_t*>(::operator new(8));
        *block = counter;
        benchmark::DoNotOptimize(block);
        sink = *block;
    }
}

void referenceFillArray() {
    auto* elements = static_cast<std::uint64_t*>(::operator new[](kArrayBytes));
    benchmark::DoNotOptimize(elements);
    [[maybe_unused]] volatile std::uint64_t sink = 0;
    for (std::uint64_t counter = 0; counter < kOperations; ++counter) {
        elements[counter] = counter;
        sink = counter;
    }
    benchmark::ClobberMemory();
}

double steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
