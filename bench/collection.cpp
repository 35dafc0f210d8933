// Collection at scale: the root's time to collect and write each cluster section when every
// worker's figures are ready, and the bytes it receives per workload. Workers deliver made-up
// figures at once (no workloads run); a barrier lines everybody up before the timing, so the
// figure is the exchange and the writing alone.
//
// Usage: mpirun -np N membench_collection [results file for the file stream]

#include <mpi.h>

#include <cstdio>
#include <fstream>

#include "cluster/cluster_summary.h"
#include "cluster/exchange.h"
#include "cluster/rank_tables.h"

int main(int argc, char** argv) {
    MPI_Init(&argc, &argv);
    int worldSize = 0, ownRank = 0, nameLength = 0;
    char name[MPI_MAX_PROCESSOR_NAME] = {};
    MPI_Comm_size(MPI_COMM_WORLD, &worldSize);
    MPI_Comm_rank(MPI_COMM_WORLD, &ownRank);
    MPI_Get_processor_name(name, &nameLength);
    ExchangeTables tables = createExchangeTables(worldSize, MPI_MAX_PROCESSOR_NAME);
    MPI_Barrier(MPI_COMM_WORLD);

    if (ownRank == 0) {
        std::ofstream console("/dev/null");
        std::ofstream file(argc > 1 ? argv[1] : "/dev/null");
        ReportChannel channel{&console, &file};
        const double tableBytes = static_cast<double>(worldSize - 1) * 20.0 * worldSize;
        std::printf("processes %d\n", worldSize);
        for (WorkloadKind kind : kWorkloadOrder) {
            ClusterTotals totals;
            double nameBytes = 0;
            const double start = MPI_Wtime();
            writeClusterOpening(channel, kind);
            collectFigures(tables, worldSize, kind, [&](const CollectedFigures& worker) {
                nameBytes += static_cast<double>(worker.processorName.size());
                writeWorkerGroup(channel, kind, totals, worker);
            });
            writeClusterTotals(channel, kind, totals, 1.0e7, worldSize - 1);
            const double seconds = MPI_Wtime() - start;
            std::printf("%-16s %10.6f s %14.0f bytes received\n", factsOf(kind).name, seconds,
                        tableBytes + nameBytes);
        }
    } else {
        for (WorkloadKind kind : kWorkloadOrder) {
            deliverFigures(tables, worldSize, ownRank, name, nameLength, kind,
                           figuresFromReadings(0.0, 0.5));
        }
    }
    MPI_Finalize();
    return 0;
}
