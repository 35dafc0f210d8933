#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "driver/failure_messages.h"

TEST(AllocationFailure, MessageNamesWorkloadRankAndProcessor) {
    char message[512];
    formatAllocationFailure(message, sizeof message, WorkloadKind::FillArray, 7, "node 7.b");
    EXPECT_STREQ(message,
                 "cluster-membench: out of memory in workload FillArray on rank 7 (node 7.b); ending "
                 "the job");
    // A longest processor name still leaves a whole, terminated line.
    const std::string longest(255, 'n');
    formatAllocationFailure(message, sizeof message, WorkloadKind::AllocateAndKeep, 4095, longest.c_str());
    EXPECT_EQ(std::string(message), "cluster-membench: out of memory in workload AllocateAndKeep on rank 4095 (" +
                                        longest + "); ending the job");
}

TEST(ResultsFileFailure, NamesTheFileAndTheReason) {
    EXPECT_EQ(resultsFileFailure("/scratch/results @ n @ x.txt", ENOSPC),
              "cluster-membench: the results file \"/scratch/results @ n @ x.txt\" could not be "
              "written completely: No space left on device");
}
