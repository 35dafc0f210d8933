#pragma once

#include <string>

#include "workloads/workload_kind.h"

// Runs this process's part of the job, from MPI set-up to MPI_Finalize, and returns the exit
// status. The rank alone decides the role: rank 0 runs the baseline, collects the workers'
// figures and writes the report; every other rank runs the workloads and sends its figures.
int runBenchmark(int argc, char** argv);

// The one line written to standard error when a workload cannot obtain its memory.
std::string allocationFailureMessage(WorkloadKind kind, int rank, const std::string& processorName);
