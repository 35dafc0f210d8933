#pragma once

#include <cstddef>

#include "workloads/workload_facts.h"

// The one line (without its line end) written to standard error when a workload cannot obtain
// its memory. Composed in the caller's buffer, since no memory may be left to allocate.
void formatAllocationFailure(char* buffer, std::size_t capacity, WorkloadKind kind, int rank,
                             const char* processorName);
