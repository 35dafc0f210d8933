#pragma once

// Runs this process's part of the job, from MPI set-up to MPI_Finalize, and returns the exit
// status. The rank alone decides the role: rank 0 runs the baseline, collects the workers'
// figures and writes the report; every other rank runs the workloads and sends its figures.
int runBenchmark(int argc, char** argv);
