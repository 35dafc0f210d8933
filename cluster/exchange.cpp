#include "cluster/exchange.h"

#include <mpi.h>

#include <string>

namespace {

constexpr int kRoot = 0;
constexpr int kFiguresTag = 0;

}  // namespace

void deliverFigures(ExchangeTables& tables, int worldSize, int ownRank, const char* processorName,
                    int processorNameLength, WorkloadKind kind, const PhaseFigures& figures) {
    enterOwnFigures(tables, kind, ownRank, figures);
    RankTables& own = tablesOf(tables, kind);
    MPI_Send(own.operationsPerSecondByRank.data(), worldSize, MPI_DOUBLE, kRoot, kFiguresTag,
             MPI_COMM_WORLD);
    MPI_Send(own.spentSecondsByRank.data(), worldSize, MPI_DOUBLE, kRoot, kFiguresTag,
             MPI_COMM_WORLD);
    MPI_Send(processorName, processorNameLength, MPI_CHAR, kRoot, kFiguresTag, MPI_COMM_WORLD);
    MPI_Send(tables.rankNumbers.data(), worldSize, MPI_INT, kRoot, kFiguresTag, MPI_COMM_WORLD);
}

void collectFigures(ExchangeTables& tables, int worldSize, WorkloadKind kind,
                    const WorkerStep& step) {
    RankTables& landing = tablesOf(tables, kind);
    const int nameCapacity = static_cast<int>(tables.receivedName.size());
    for (int source = 1; source < worldSize; ++source) {
        MPI_Recv(landing.receivedOperationsPerSecond.data(), worldSize, MPI_DOUBLE, source,
                 kFiguresTag, MPI_COMM_WORLD, MPI_STATUS_IGNORE);
        MPI_Recv(landing.receivedSpentSeconds.data(), worldSize, MPI_DOUBLE, source, kFiguresTag,
                 MPI_COMM_WORLD, MPI_STATUS_IGNORE);
        // The name arrives without a terminating zero; its length is what the status counts,
        // so no character of a longer name received earlier is taken along.
        MPI_Status nameStatus;
        MPI_Recv(tables.receivedName.data(), nameCapacity, MPI_CHAR, source, kFiguresTag,
                 MPI_COMM_WORLD, &nameStatus);
        int nameLength = 0;
        MPI_Get_count(&nameStatus, MPI_CHAR, &nameLength);
        MPI_Recv(tables.receivedRankNumbers.data(), worldSize, MPI_INT, source, kFiguresTag,
                 MPI_COMM_WORLD, MPI_STATUS_IGNORE);
        landing.workerNames[static_cast<std::size_t>(source)] =
            std::string(tables.receivedName.data(), static_cast<std::size_t>(nameLength));
        step(collectedFiguresOf(tables, kind, source));
    }
}
