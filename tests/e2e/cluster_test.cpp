// Jobs of several processes on this machine: every worker's figures in rank order, the three
// cluster sections on both streams, silent workers, and workers with host names of their own.

#include <gtest/gtest.h>

#include "cluster_checks.h"
#include "e2e_config.h"
#include "e2e_support.h"
#include "layout.h"

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

TEST_F(ClusterJob, AKilledWorkerEndsTheWholeJobAndKeepsTheLinesWrittenBefore) {
    // Worker 1 is killed as soon as rank 0 has begun its report (the results file is there),
    // long before the worker can deliver all its workloads; rank 0 is then in its baseline or
    // waiting for worker 1's figures.
    const fs::path wrapper = writeScript(
        scratch.path / "killed.sh",
        rankVariableScript() +
            "if [ \"$rank\" = 1 ]; then\n"
            "  (while ! ls results_memory_windows_clusters* >/dev/null 2>&1; do sleep 0.05; done\n"
            "   sleep 0.2; kill -KILL $$) </dev/null >/dev/null 2>&1 &\n"
            "fi\n"
            "exec \"$@\"\n");
    JobOptions options;
    options.processes = 3;
    options.wrapper = {"/bin/sh", wrapper.string()};
    const JobResult result = runJob(options, workDir, outputDir);
    EXPECT_EQ(result.errors.find("job killed after"), std::string::npos) << "the job must end by itself";
    EXPECT_NE(result.exitStatus, 0) << result.errors;

    // No process of the job is left behind.
    std::string survivors;
    for (const auto& process : fs::directory_iterator("/proc")) {
        std::error_code error;
        const fs::path exe = fs::read_symlink(process.path() / "exe", error);
        const fs::path cwd = fs::read_symlink(process.path() / "cwd", error);
        if (exe == kProgramPath || cwd == workDir) survivors += process.path().filename().string() + " ";
    }
    EXPECT_EQ(survivors, "");

    // What rank 0 wrote before the end stays, whole lines of the report's beginning.
    const std::vector<std::string> files = filesIn(workDir);
    ASSERT_EQ(files.size(), 1u);
    const std::string text = readFile(workDir / files[0]);
    std::vector<std::string> lines = splitLines(text);
    if (!text.empty() && text.back() != '\n') lines.pop_back();
    ASSERT_FALSE(lines.empty());
    const std::vector<std::string> layout = reportLayout(Stream::File, 3, {hostName(), hostName()});
    ASSERT_LT(lines.size(), layout.size()) << "the report cannot be complete";
    EXPECT_TRUE(matchLayout(lines, std::vector<std::string>(layout.begin(), layout.begin() + lines.size()), nullptr));
}

}  // namespace
}  // namespace e2e
