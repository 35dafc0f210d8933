// Where each workload's time goes: page faults, and user against system (kernel) time, as
// getrusage reports them around each run of the three workloads in the program's order.
#include <sys/resource.h>

#include <cstdio>

#include "bench/reference_loops.h"
#include "workloads/workloads.h"

namespace {
double seconds(const timeval& value) { return value.tv_sec + value.tv_usec / 1e6; }
}  // namespace

int main() {
    std::printf("%-16s %10s %12s %10s %10s\n", "workload", "spent (s)", "page faults", "user (s)",
                "system (s)");
    for (WorkloadKind kind : kWorkloadOrder) {
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        const PhaseFigures figures = runWorkload(kind, steadySeconds);
        getrusage(RUSAGE_SELF, &after);
        std::printf("%-16s %10.4f %12ld %10.3f %10.3f\n", factsOf(kind).name, figures.spentSeconds,
                    after.ru_minflt - before.ru_minflt, seconds(after.ru_utime) - seconds(before.ru_utime),
                    seconds(after.ru_stime) - seconds(before.ru_stime));
    }
    return 0;
}
