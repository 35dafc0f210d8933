#pragma once

#include <cstddef>
#include <string>

#include "workloads/workload_facts.h"

// The one line (without its line end) written to standard error when a workload cannot obtain
// its memory. Composed in the caller's buffer, since no memory may be left to allocate.
void formatAllocationFailure(char* buffer, std::size_t capacity, WorkloadKind kind, int rank,
                             const char* processorName);

// The line written to standard error when the results file could not be created, or not every
// line reached it: "cluster-membench: the results file "<path>" could not be written
// completely: <reason>".
std::string resultsFileFailure(const std::string& path, int error);
