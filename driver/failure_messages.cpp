#include "driver/failure_messages.h"

#include <cstdio>

void formatAllocationFailure(char* buffer, std::size_t capacity, WorkloadKind kind, int rank,
                             const char* processorName) {
    std::snprintf(buffer, capacity,
                  "cluster-membench: out of memory in workload %s on rank %d (%s); ending the job",
                  factsOf(kind).name, rank, processorName);
}
