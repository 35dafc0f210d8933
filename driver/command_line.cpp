#include "driver/command_line.h"

#include <cstring>

#ifndef MEMBENCH_VERSION
#define MEMBENCH_VERSION "unknown"
#endif

CommandLineRequest commandLineRequest(int argc, const char* const* argv) {
    for (int index = 1; index < argc; ++index) {
        if (std::strcmp(argv[index], "--help") == 0 || std::strcmp(argv[index], "-h") == 0) {
            return CommandLineRequest::ShowHelp;
        }
        if (std::strcmp(argv[index], "--version") == 0) return CommandLineRequest::ShowVersion;
    }
    return CommandLineRequest::RunBenchmark;
}

std::string versionText() { return std::string("cluster-membench ") + MEMBENCH_VERSION + "\n"; }

std::string helpText() {
    return "Usage: LAUNCHER [LAUNCHER OPTIONS] cluster-membench < /dev/null\n"
           "       cluster-membench --help | --version\n"
           "\n"
           "A benchmark of memory allocation for clusters, started as one MPI job. Every process\n"
           "times three fixed workloads of 2^24 operations (allocate and free an 8-byte block,\n"
           "allocate and keep one, fill a 128 MiB array); rank 0 runs them alone first as a\n"
           "baseline, then reports every other rank's figures, their sum, the sum over the\n"
           "baseline and the average per rank. Each process needs about 650 MiB.\n"
           "\n"
           "Start it under an MPI launcher, for example:\n"
           "  mpirun -np 8 cluster-membench < /dev/null\n"
           "  mpirun --hostfile hosts -np 64 cluster-membench < /dev/null\n"
           "  srun --mpi=pmix --input=0 cluster-membench < /dev/null\n"
           "  mpiexec -n 4 cluster-membench.exe < NUL                (Windows, Microsoft MPI)\n"
           "\n"
           "The report goes to rank 0's standard output and to a results file in the folder\n"
           "rank 0 starts in, named\n"
           "  results_memory_windows_clusters @ <host> @ local date YYYY.MM.DD time HH.MM.SS.txt\n"
           "At the end rank 0 shows the file's path and waits for Enter; in scripts give the\n"
           "launcher standard input from /dev/null (NUL on Windows), and the run ends at once.\n"
           "\n"
           "Exit status: 0; not 0 when the results file could not be written whole, a process\n"
           "ran out of memory, or the launcher ended the job.\n"
           "cluster-membench-results reads results files into CSV, JSON and charts.\n";
}
