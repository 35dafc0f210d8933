// Proves that every timed operation really happens in the optimised build: the global
// allocation functions of this test binary are replaced by counting ones, and the workloads
// run with a clock that switches the counting on at its first reading and off at its second.
// So only what happens inside the timed bracket is counted.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <new>

#include "workloads/workloads.h"

namespace {

struct AllocationLog {
    bool counting = false;
    std::size_t singleAllocations = 0;
    std::size_t singleReleases = 0;
    std::size_t arrayAllocations = 0;
    std::size_t arrayReleases = 0;
    std::size_t bytesOtherThanEight = 0;  // single allocations of any other size
    std::size_t arrayBytes = 0;
    void* array = nullptr;
    void** blocks = nullptr;  // addresses of single allocations, when recorded
    std::size_t blockCapacity = 0;
    int clockReadings = 0;
    bool failArrays = false;
};

AllocationLog log;

void* allocate(std::size_t bytes) {
    void* memory = std::malloc(bytes == 0 ? 1 : bytes);
    if (memory == nullptr) throw std::bad_alloc();
    return memory;
}

double countingClock() {
    ++log.clockReadings;
    log.counting = !log.counting;
    return static_cast<double>(log.clockReadings);
}

void resetLog() {
    void** blocks = log.blocks;
    const std::size_t capacity = log.blockCapacity;
    log = AllocationLog{};
    log.blocks = blocks;
    log.blockCapacity = capacity;
}

}  // namespace

void* operator new(std::size_t bytes) {
    void* memory = allocate(bytes);
    if (log.counting) {
        if (log.blocks != nullptr && log.singleAllocations < log.blockCapacity) {
            log.blocks[log.singleAllocations] = memory;
        }
        ++log.singleAllocations;
        if (bytes != 8) ++log.bytesOtherThanEight;
    }
    return memory;
}

void* operator new[](std::size_t bytes) {
    if (log.counting && log.failArrays) throw std::bad_alloc();
    void* memory = allocate(bytes);
    if (log.counting) {
        ++log.arrayAllocations;
        log.arrayBytes += bytes;
        log.array = memory;
    }
    return memory;
}

void operator delete(void* memory) noexcept {
    if (log.counting) ++log.singleReleases;
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept { operator delete(memory); }
void operator delete[](void* memory) noexcept {
    if (log.counting) ++log.arrayReleases;
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept { operator delete[](memory); }

class WorkloadAllocations : public testing::Test {
protected:
    void SetUp() override { resetLog(); }
};

TEST_F(WorkloadAllocations, AllocateAndFreeAllocatesAndReleasesEveryBlock) {
    const PhaseFigures figures = runWorkload(WorkloadKind::AllocateAndFree, countingClock);
    EXPECT_EQ(log.clockReadings, 2);
    EXPECT_EQ(log.singleAllocations, 16777216u);
    EXPECT_EQ(log.singleReleases, 16777216u);
    EXPECT_EQ(log.bytesOtherThanEight, 0u);
    EXPECT_EQ(log.arrayAllocations, 0u);
    EXPECT_EQ(figures.spentSeconds, 1.0);  // the clock's readings 1 and 2
    EXPECT_EQ(figures.operationsPerSecond, 16777216.0);
}

TEST_F(WorkloadAllocations, AllocateAndKeepKeepsEveryBlockHoldingItsCounter) {
    log.blockCapacity = 16777216;
    log.blocks = static_cast<void**>(std::malloc(log.blockCapacity * sizeof(void*)));
    ASSERT_NE(log.blocks, nullptr);

    runWorkload(WorkloadKind::AllocateAndKeep, countingClock);
    EXPECT_EQ(log.clockReadings, 2);
    EXPECT_EQ(log.singleAllocations, 16777216u);
    EXPECT_EQ(log.singleReleases, 0u);
    EXPECT_EQ(log.bytesOtherThanEight, 0u);
    EXPECT_EQ(log.arrayAllocations, 0u);
    std::size_t wrong = 0;
    for (std::uint64_t counter = 0; counter < 16777216; ++counter) {
        if (*static_cast<std::uint64_t*>(log.blocks[counter]) != counter) ++wrong;
    }
    EXPECT_EQ(wrong, 0u);

    // The program keeps its blocks until it ends; the test gives them back, so that a leak
    // checker sees no leak of its own.
    for (std::uint64_t counter = 0; counter < 16777216; ++counter) std::free(log.blocks[counter]);
    std::free(log.blocks);
    log.blocks = nullptr;
    log.blockCapacity = 0;
}

TEST_F(WorkloadAllocations, FillArrayAllocatesItsArrayInsideTheBracketAndWritesEveryElement) {
    runWorkload(WorkloadKind::FillArray, countingClock);
    EXPECT_EQ(log.clockReadings, 2);
    EXPECT_EQ(log.arrayAllocations, 1u);
    EXPECT_EQ(log.arrayBytes, 134217728u);
    EXPECT_EQ(log.arrayReleases, 0u);
    EXPECT_EQ(log.singleAllocations, 0u);
    ASSERT_NE(log.array, nullptr);
    const auto* elements = static_cast<const std::uint64_t*>(log.array);
    std::size_t wrong = 0;
    for (std::uint64_t index = 0; index < 16777216; ++index) {
        if (elements[index] != index) ++wrong;
    }
    EXPECT_EQ(wrong, 0u);
    EXPECT_EQ(elements[0], 0u);
    EXPECT_EQ(elements[16777215], 16777215u);
    std::free(log.array);  // kept by the program, given back by the test
}

TEST_F(WorkloadAllocations, AllocationFailureLeavesTheRunAsStdBadAlloc) {
    log.failArrays = true;
    EXPECT_THROW(runWorkload(WorkloadKind::FillArray, countingClock), std::bad_alloc);
    log.counting = false;
}
