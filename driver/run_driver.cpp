#include "driver/run_driver.h"

#include <mpi.h>

#include <cstdio>
#include <ctime>
#include <iostream>
#include <new>
#include <optional>

#include "cluster/cluster_summary.h"
#include "cluster/exchange.h"
#include "cluster/rank_tables.h"
#include "driver/failure_messages.h"
#include "driver/start_directory.h"
#include "report/baseline_report.h"
#include "report/report_channel.h"
#include "report/report_text.h"
#include "report/results_file.h"
#include "workloads/workloads.h"

namespace {

// Process-wide values, set once at start-up.
struct ProcessContext {
    std::optional<std::string> startDirectory;
    int worldSize = 0;
    int ownRank = 0;
    char processorName[MPI_MAX_PROCESSOR_NAME] = {};
    int processorNameLength = 0;
};

std::string ownProcessorName(const ProcessContext& process) {
    return std::string(process.processorName, static_cast<std::size_t>(process.processorNameLength));
}

// A workload that cannot get its memory ends the whole job with a message rather than with an
// uncaught exception on one process. Lines already written are flushed and stay written.
PhaseFigures runWorkloadOrAbort(const ProcessContext& process, WorkloadKind kind) {
    try {
        return runWorkload(kind);
    } catch (const std::bad_alloc&) {
        char message[512];
        formatAllocationFailure(message, sizeof message, kind, process.ownRank, process.processorName);
        std::fprintf(stderr, "%s\n", message);
        std::fflush(stderr);
        MPI_Abort(MPI_COMM_WORLD, 1);
        throw;  // not reached: MPI_Abort does not return
    }
}

// One workload's cluster section: its opening, each worker's group written as soon as that
// worker's figures have arrived (in rank order), then the totals.
void writeClusterSection(const ProcessContext& process, ExchangeTables& tables,
                         ReportChannel& channel, WorkloadKind kind, double baselineRate) {
    writeClusterOpening(channel, kind);
    ClusterTotals totals;
    collectFigures(tables, process.worldSize, kind, [&](const CollectedFigures& worker) {
        writeWorkerGroup(channel, kind, totals, worker);
    });
    writeClusterTotals(channel, kind, totals, baselineRate, process.worldSize - 1);
}

// Returns the root's exit status: 0, or 1 when the results file could not be created or did not
// receive every line.
int runRoot(const ProcessContext& process, ExchangeTables& tables, ResultsFile& results) {
    openResultsFile(results, ownProcessorName(process), std::time(nullptr));
    ReportChannel channel{&std::cout, &results.stream};

    PhaseFigures baseline[kWorkloadCount];
    writeBaselinePreamble(channel, process.worldSize);
    for (WorkloadKind kind : kWorkloadOrder) {
        baseline[workloadIndex(kind)] = runWorkloadOrAbort(process, kind);
        writeBaselineFigures(channel, kind, baseline[workloadIndex(kind)]);
    }

    if (process.worldSize > 1) {
        for (WorkloadKind kind : kWorkloadOrder) {
            writeClusterSection(process, tables, channel, kind,
                                baseline[workloadIndex(kind)].operationsPerSecond);
        }
    }

    // Closing lines go to the console only; the file is complete and closed before the wait.
    const std::string resultsPath = composeResultsPath(process.startDirectory, results.fileName);
    consoleLine(channel);
    consoleLine(channel);
    consoleLine(channel, kResultsPathLabel, resultsPath);
    consoleLine(channel);
    consoleLine(channel, kExitPrompt);
    closeResultsFile(results);
    // A results file that is missing or cut short (a full disk, a quota) is a failure: said on
    // standard error, while the prompt stands, and in the exit status after the wait.
    if (results.error != 0) {
        std::fprintf(stderr, "%s\n", resultsFileFailure(resultsPath, results.error).c_str());
        std::fflush(stderr);
    }
    std::cin.get();  // one character, or end of input
    return results.error != 0 ? 1 : 0;
}

void runWorker(const ProcessContext& process, ExchangeTables& tables) {
    for (WorkloadKind kind : kWorkloadOrder) {
        const PhaseFigures figures = runWorkloadOrAbort(process, kind);
        deliverFigures(tables, process.worldSize, process.ownRank, process.processorName,
                       process.processorNameLength, kind, figures);
    }
}

}  // namespace

int runBenchmark(int argc, char** argv) {
    ProcessContext process;
    process.startDirectory = currentDirectory();
    ExchangeTables tables = createExchangeTables(kRankCapacity, MPI_MAX_PROCESSOR_NAME);
    ResultsFile results;

    MPI_Init(&argc, &argv);
    MPI_Comm_size(MPI_COMM_WORLD, &process.worldSize);
    MPI_Comm_rank(MPI_COMM_WORLD, &process.ownRank);
    MPI_Get_processor_name(process.processorName, &process.processorNameLength);
    fitTablesToJob(tables, process.worldSize);

    int status = 0;
    if (process.ownRank == 0) {
        status = runRoot(process, tables, results);
    } else {
        runWorker(process, tables);
    }

    MPI_Finalize();
    return status;
}
