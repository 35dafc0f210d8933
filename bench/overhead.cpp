// Harness overhead: each workload as the program runs it (runWorkload) against the minimal
// reference loop, alternately, each round in fresh processes that run the three workloads in
// the program's order (so the heap is in the same state as in the program). Prints, per
// workload, the median over the rounds of (program rate / reference rate).
//
// Usage: membench_overhead [rounds]    (default 9)

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/reference_loops.h"
#include "reader/statistics.h"
#include "workloads/workloads.h"

namespace {

// Spent seconds of the three workloads, in a child process of their own.
bool runInChild(bool program, double spent[3]) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        double seconds[3];
        if (program) {
            for (WorkloadKind kind : kWorkloadOrder) {
                seconds[workloadIndex(kind)] = runWorkload(kind, steadySeconds).spentSeconds;
            }
        } else {
            for (int index = 0; index < 3; ++index) {
                const double start = steadySeconds();
                kReferenceLoops[index]();
                seconds[index] = steadySeconds() - start;
            }
        }
        const bool written = write(fds[1], seconds, sizeof seconds) == sizeof seconds;
        _exit(written ? 0 : 1);
    }
    close(fds[1]);
    const bool readOk = read(fds[0], spent, 3 * sizeof(double)) == 3 * sizeof(double);
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return readOk && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 9;
    if (rounds < 1) {
        std::fprintf(stderr, "usage: %s [rounds >= 1]\n", argv[0]);
        return 2;
    }
    std::vector<double> ratios[3], programSeconds[3], referenceSeconds[3];
    for (int round = 0; round < rounds; ++round) {
        double program[3], reference[3];
        // Alternate which goes first, so neither always runs on a warmer machine.
        const bool programFirst = round % 2 == 0;
        if (!runInChild(programFirst, programFirst ? program : reference) ||
            !runInChild(!programFirst, programFirst ? reference : program)) {
            std::fprintf(stderr, "a measuring process failed\n");
            return 1;
        }
        for (int index = 0; index < 3; ++index) {
            ratios[index].push_back(reference[index] / program[index]);  // rate ratio
            programSeconds[index].push_back(program[index]);
            referenceSeconds[index].push_back(reference[index]);
        }
    }
    std::printf("%-16s %14s %14s %22s\n", "workload", "program (s)", "reference (s)",
                "median rate ratio");
    for (WorkloadKind kind : kWorkloadOrder) {
        const int index = workloadIndex(kind);
        std::printf("%-16s %14.4f %14.4f %22.3f\n", factsOf(kind).name, median(programSeconds[index]),
                    median(referenceSeconds[index]), median(ratios[index]));
    }
    std::printf("(%d rounds; median seconds per run; ratio = program rate / reference rate, goal >= 0.97)\n",
                rounds);
    return 0;
}
