#include <gtest/gtest.h>

#include <limits>

#include "cluster/cluster_summary.h"
#include "stream_journal.h"

namespace {

CollectedFigures worker(int rank, const std::string& name, double spentSeconds) {
    return {rank, name, spentSeconds, 16777216.0 / spentSeconds};
}

// A section written from a fixed list of workers, as if they had arrived over the network.
void writeSection(StreamJournal& journal, WorkloadKind kind, double baselineRate,
                  const std::vector<CollectedFigures>& workers, ClusterTotals* totalsOut = nullptr) {
    ClusterTotals totals;
    writeClusterOpening(journal.channel, kind);
    for (const auto& figures : workers) writeWorkerGroup(journal.channel, kind, totals, figures);
    writeClusterTotals(journal.channel, kind, totals, baselineRate, static_cast<int>(workers.size()));
    if (totalsOut) *totalsOut = totals;
}

}  // namespace

TEST(ClusterSection, AllocateAndKeepOfTwoWorkers) {
    ClusterTotals totals;
    StreamJournal journal;
    writeSection(journal, WorkloadKind::AllocateAndKeep, 16777216.0 / 0.2,
                {worker(1, "node-a", 0.25), worker(2, "node-b", 0.5)}, &totals);
    const std::vector<JournalLine> expected = {
        {'C', ""},
        {'F', ""},
        {'C', "Multi-Thread Enabled:"},
        {'F', "Multi-Thread Enabled:"},
        {'C', ""},
        {'F', ""},
        {'C', "Low speeds:"},
        {'F', "Low speeds:"},
        {'C', "Thread:1 @node-a The system spent: 0.25 Secs. "},
        {'C', "Thread:1 @node-a It was: 67.1089 Millions Executions/sec."},
        {'C', "Conventionally, it was: 1024 MB/sec."},
        {'F', "Thread:1 @node-a The spent: 0.25 Secs. "},
        {'F', "Thread:1 @node-a It was: 67.1089 Millions Executions/sec."},
        {'F', "Conventionally, it was: 1024 MB/sec."},
        {'C', "Thread:2 @node-b The system spent: 0.5 Secs. "},
        {'C', "Thread:2 @node-b It was: 33.5544 Millions Executions/sec."},
        {'C', "Conventionally, it was: 512 MB/sec."},
        {'F', "Thread:2 @node-b The spent: 0.5 Secs. "},
        {'F', "Thread:2 @node-b It was: 33.5544 Millions Executions/sec."},
        {'F', "Conventionally, it was: 512 MB/sec."},
        {'C', ""},
        {'C', "Overall, It was: 100.663 Millions Executions/sec."},
        {'C', "Conventionally, it was: 1536 MB/sec."},
        {'C', ""},
        {'F', ""},
        {'F', "Overall, It was: 100.663 Millions Executions/sec."},
        {'F', "Conventionally, it was: 1536 MB/sec."},
        {'F', ""},
        {'C', "Multi-Thread Improvements: 1.2 times."},
        {'F', "Multi-Thread Improvements: 1.2 times."},
        {'C', ""},
        {'C', "Among all nodes, the average per thread was: 50.3316 Millions Millions Executions/sec."},
        {'C', "Conventionally, it was: 768 MB/sec."},
        {'F', ""},
        {'F', "Among all nodes, the average per thread  was: 50.3316 Millions Millions Executions/sec."},
        {'F', "Conventionally, it was: 768 MB/sec."},
        {'C', ""},
        {'F', ""},
    };
    EXPECT_EQ(journal.lines, expected);
    EXPECT_EQ(journal.errors, "");
    EXPECT_EQ(totals.rateSum, 67108864.0 + 33554432.0);
}

TEST(ClusterSection, AllocateAndFreeHasNoLeadingBlankAndNoMegabyteLines) {
    StreamJournal journal;
    writeSection(journal, WorkloadKind::AllocateAndFree, 16777216.0, {worker(1, "n 1.b", 1.0)});
    const std::vector<std::string> console = {
        "Multi-Thread Enabled:",
        "",
        "Power of Memory Allocation.",
        "Thread:1 @n 1.b This thread spent: 1 Secs. ",
        "Thread:1 @n 1.b It was: 16.7772 Millions Allocations/sec.",
        "",
        "Overall, it was: 16.7772 Millions Allocations/sec.",
        "Multi-Thread Improvements: 1 times.",
        "",
        "Among all nodes, the average per thread was: 16.7772 Millions Allocations/sec.",
        "",
    };
    EXPECT_EQ(journal.of('C'), console);
    std::vector<std::string> file = console;
    file[9] = "Among all nodes, the average per thread  was: 16.7772 Millions Allocations/sec.";
    EXPECT_EQ(journal.of('F'), file);
}

TEST(ClusterSection, FillArrayEndsWithItsAverageMegabyteLine) {
    StreamJournal journal;
    writeSection(journal, WorkloadKind::FillArray, 16777216.0 / 0.5,
                {worker(1, "a", 0.5), worker(2, "b", 0.5), worker(3, "c", 0.5)});
    const std::vector<std::string> file = journal.of('F');
    ASSERT_EQ(file.size(), 21u);
    EXPECT_EQ(file[0], "");
    EXPECT_EQ(file[4], "Thread:1 @a The system spent: 0.5 Secs. ");
    EXPECT_EQ(file[14], "Overall, It was: 100.663 Millions Executions/sec.");
    EXPECT_EQ(file[15], "Conventionally, it was: 768 MB/sec.");
    // The root's own rate is in neither sum nor average: three equal workers make three times
    // the baseline, and their average is one worker's rate.
    EXPECT_EQ(file[17], "Multi-Thread Improvements: 3 times.");
    EXPECT_EQ(file[19], "Among all nodes, the average per thread  was: 33.5544 Millions Millions Executions/sec.");
    EXPECT_EQ(file.back(), "Conventionally, it was: 256 MB/sec.");
}

TEST(ClusterSection, InfiniteWorkerRateMakesTheTotalsInfinite) {
    StreamJournal journal;
    writeSection(journal, WorkloadKind::AllocateAndFree, 16777216.0, {worker(1, "a", 1.0), worker(2, "b", 0.0)});
    const std::vector<std::string> console = journal.of('C');
    EXPECT_EQ(console[6], "Thread:2 @b It was: inf Millions Allocations/sec.");
    EXPECT_EQ(console[8], "Overall, it was: inf Millions Allocations/sec.");
    EXPECT_EQ(console[9], "Multi-Thread Improvements: inf times.");
    EXPECT_EQ(console[11], "Among all nodes, the average per thread was: inf Millions Allocations/sec.");
}

TEST(ClusterSection, WorkerGroupAddsItsRateToTheSumOfItsWorkload) {
    StreamJournal journal;
    ClusterTotals totals;
    writeWorkerGroup(journal.channel, WorkloadKind::FillArray, totals, worker(5, "x", 2.0));
    writeWorkerGroup(journal.channel, WorkloadKind::FillArray, totals, worker(6, "y", 4.0));
    EXPECT_EQ(totals.rateSum, 8388608.0 + 4194304.0);
    // The whole group goes to the console before any of it goes to the file.
    const std::string order = [&] {
        std::string streams;
        for (const auto& line : journal.lines) streams += line.stream;
        return streams;
    }();
    EXPECT_EQ(order, "CCCFFFCCCFFF");
}
