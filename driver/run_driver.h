#pragma once

#include <cstddef>

#include "workloads/workload_kind.h"

// Runs this process's part of the job, from MPI set-up to MPI_Finalize, and returns the exit
// status. The rank alone decides the role: rank 0 runs the baseline, collects the workers'
// figures and writes the report; every other rank runs the workloads and sends its figures.
int runBenchmark(int argc, char** argv);

// The one line (without its line end) written to standard error when a workload cannot obtain
// its memory. Composed in the caller's buffer, since no memory may be left to allocate.
void formatAllocationFailure(char* buffer, std::size_t capacity, WorkloadKind kind, int rank,
                             const char* processorName);
