// Jobs of several processes on this machine: every worker's figures in rank order, the three
// cluster sections on both streams, silent workers, and workers with host names of their own.

#include <gtest/gtest.h>

#include "cluster_checks.h"
#include "e2e_support.h"

namespace e2e {
namespace {

class ClusterJob : public ScratchTest {
protected:
    void runAndCheck(const JobOptions& options, const std::string& rootName,
                     const std::vector<std::string>& workerNames) {
        runAndCheckClusterJob(options, workDir, outputDir, rootName, workerNames);
    }
};

class JobOfSize : public ClusterJob, public testing::WithParamInterface<int> {};

TEST_P(JobOfSize, ReportsEveryWorkerWhileWorkersStaySilent) {
    const int worldSize = GetParam();
    // Every rank runs through a wrapper that keeps a worker's own output apart and notes each
    // process's exit status.
    const fs::path wrapper = writeScript(
        scratch.path / "wrapper.sh",
        rankVariableScript() + "out='" + outputDir.string() + "'\n" +
            "if [ \"$rank\" = 0 ]; then \"$@\"; else \"$@\" >\"$out/worker.$rank.out\" "
            "2>\"$out/worker.$rank.err\"; fi\n"
            "status=$?\necho $status >\"$out/status.$rank\"\nexit $status\n");
    JobOptions options;
    options.processes = worldSize;
    options.wrapper = {"/bin/sh", wrapper.string()};
    runAndCheck(options, hostName(), std::vector<std::string>(worldSize - 1, hostName()));

    for (int rank = 0; rank < worldSize; ++rank) {
        EXPECT_EQ(readFile(outputDir / ("status." + std::to_string(rank))), "0\n") << "rank " << rank;
        if (rank == 0) continue;
        EXPECT_EQ(readFile(outputDir / ("worker." + std::to_string(rank) + ".out")), "");
        EXPECT_EQ(readFile(outputDir / ("worker." + std::to_string(rank) + ".err")), "");
    }
}

INSTANTIATE_TEST_SUITE_P(TwoToFourProcesses, JobOfSize, testing::Values(2, 3, 4));

TEST_F(ClusterJob, EachWorkerAppearsWithExactlyItsOwnProcessorName) {
    if (!canSetHostNamePerProcess()) {
        GTEST_SKIP() << "this machine does not let a process enter a UTS namespace (unshare --uts)";
    }
    // A long name received before a short one, and names with dots and blanks.
    const std::vector<std::string> names = {"head.node", "worker-with-a-much-longer-name.rack07.cluster",
                                            "n2", "node 3.b x"};
    std::string cases;
    for (std::size_t rank = 0; rank < names.size(); ++rank) {
        cases += "  " + std::to_string(rank) + ") name='" + names[rank] + "' ;;\n";
    }
    const fs::path wrapper = writeScript(
        scratch.path / "named.sh",
        rankVariableScript() + "case $rank in\n" + cases + "esac\n" +
            "exec unshare --uts /bin/sh -c 'printf %s \"$0\" >/proc/sys/kernel/hostname && exec "
            "\"$@\"' \"$name\" \"$@\"\n");
    JobOptions options;
    options.processes = 4;
    options.wrapper = {"/bin/sh", wrapper.string()};
    runAndCheck(options, names[0], {names[1], names[2], names[3]});
}

TEST_F(ClusterJob, GroupsStandInRankOrderWhenALowerRankFinishesLast) {
    // Rank 1 starts four seconds late, so rank 2 delivers every workload first.
    const fs::path wrapper = writeScript(
        scratch.path / "late.sh",
        rankVariableScript() + "if [ \"$rank\" = 1 ]; then sleep 4; fi\nexec \"$@\"\n");
    JobOptions options;
    options.processes = 3;
    options.wrapper = {"/bin/sh", wrapper.string()};
    runAndCheck(options, hostName(), {hostName(), hostName()});
}

}  // namespace
}  // namespace e2e
