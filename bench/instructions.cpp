// Instructions per operation, under valgrind --tool=callgrind: runs the three workloads in the
// program's order, either as the program runs them or as the reference loops, and has
// callgrind dump its counts after each one, so each dump holds one run's instructions.
//
// Usage: valgrind --tool=callgrind membench_instructions program|reference

#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstring>

#include "bench/reference_loops.h"
#include "workloads/workloads.h"

int main(int argc, char** argv) {
    const bool program = argc > 1 && std::strcmp(argv[1], "program") == 0;
    const bool reference = argc > 1 && std::strcmp(argv[1], "reference") == 0;
    if (!program && !reference) {
        std::fprintf(stderr, "usage: %s program|reference\n", argv[0]);
        return 2;
    }
    for (WorkloadKind kind : kWorkloadOrder) {
        CALLGRIND_ZERO_STATS;
        if (program) {
            runWorkload(kind, steadySeconds);
        } else {
            kReferenceLoops[workloadIndex(kind)]();
        }
        CALLGRIND_DUMP_STATS_AT(factsOf(kind).name);
    }
    return 0;
}
