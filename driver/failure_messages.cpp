#include "driver/failure_messages.h"

#include <cstdio>
#include <cstring>

void formatAllocationFailure(char* buffer, std::size_t capacity, WorkloadKind kind, int rank,
                             const char* processorName) {
    std::snprintf(buffer, capacity,
                  "cluster-membench: out of memory in workload %s on rank %d (%s); ending the job",
                  factsOf(kind).name, rank, processorName);
}

std::string resultsFileFailure(const std::string& path, int error) {
    return "cluster-membench: the results file \"" + path + "\" could not be written completely: " +
           std::strerror(error);
}
