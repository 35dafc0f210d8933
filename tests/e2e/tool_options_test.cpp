// The programs as tools: --help and --version answer at once, without a launcher, without
// setting up MPI, running a workload or writing a file; and an installed copy runs from any
// folder.

#include <gtest/gtest.h>

#include "e2e_config.h"
#include "e2e_support.h"
#include "layout.h"

namespace e2e {
namespace {

class ToolOptions : public ScratchTest {};

TEST_F(ToolOptions, HelpAndVersionAnswerWithoutMpiWorkloadsOrFiles) {
    // MPI_Init, were it called, would end the process with status 99 and say so.
    const std::string refuseMpi = "LD_PRELOAD=" + kRefuseMpiInitPath;
    const JobResult control = runCommand({"/usr/bin/env", refuseMpi, kProgramPath}, workDir, outputDir);
    ASSERT_EQ(control.exitStatus, 99) << "the preloaded MPI_Init must be the one the program calls";

    const struct {
        std::vector<std::string> arguments;
        std::string firstLine;
    } cases[] = {
        {{"--help"}, "Usage: LAUNCHER [LAUNCHER OPTIONS] cluster-membench < /dev/null"},
        {{"-h"}, "Usage: LAUNCHER [LAUNCHER OPTIONS] cluster-membench < /dev/null"},
        {{"--version"}, "cluster-membench " + kProjectVersion},
        {{"ignored", "--version"}, "cluster-membench " + kProjectVersion},
    };
    for (const auto& c : cases) {
        std::vector<std::string> command = {"/usr/bin/env", refuseMpi, kProgramPath};
        command.insert(command.end(), c.arguments.begin(), c.arguments.end());
        const JobResult result = runCommand(command, workDir, outputDir);
        EXPECT_EQ(result.exitStatus, 0) << result.errors;
        EXPECT_EQ(result.errors, "");
        ASSERT_FALSE(result.console.empty());
        EXPECT_EQ(splitLines(result.console).front(), c.firstLine);
        EXPECT_TRUE(filesIn(workDir).empty()) << "no results file";
    }

    if (!kReaderPath.empty()) {
        const JobResult reader = runCommand({kReaderPath, "--version"}, workDir, outputDir);
        EXPECT_EQ(reader.exitStatus, 0);
        EXPECT_EQ(reader.console, "cluster-membench-results " + kProjectVersion + "\n");
    }
}

TEST_F(ToolOptions, AnInstalledCopyRunsFromAnyFolder) {
    if (kReaderPath.empty()) GTEST_SKIP() << "cluster-membench-results was not built";
    const fs::path prefix = scratch.path / "prefix";
    const JobResult install =
        runCommand({kCMakeCommand, "--install", kBuildDir, "--prefix", prefix.string()}, workDir, outputDir);
    ASSERT_EQ(install.exitStatus, 0) << install.console << install.errors;

    // The programs, the scripts and the README; nothing of the tests or benchmarks.
    std::vector<std::string> installed;
    for (const auto& entry : fs::recursive_directory_iterator(prefix)) {
        if (!entry.is_directory()) installed.push_back(fs::relative(entry.path(), prefix).string());
    }
    std::sort(installed.begin(), installed.end());
    EXPECT_EQ(installed, (std::vector<std::string>{
                             "bin/cluster-membench",
                             "bin/cluster-membench-results",
                             "share/cluster-membench/membench-mpirun.sbatch",
                             "share/cluster-membench/membench-srun.sbatch",
                             "share/cluster-membench/mpi_launcher.sh",
                             "share/cluster-membench/run_campaign.sh",
                             "share/cluster-membench/with_allocator.sh",
                             "share/doc/cluster-membench/README.md",
                         }));

    // A job of the installed program in a folder of its own, and the installed reader on its file.
    JobOptions options;
    options.processes = 1;
    std::vector<std::string> command = jobCommand(options);
    command.back() = (prefix / "bin" / "cluster-membench").string();
    const JobResult job = runCommand(command, workDir, outputDir);
    ASSERT_EQ(job.exitStatus, 0) << job.errors;
    EXPECT_TRUE(matchLayout(splitLines(job.console), reportLayout(Stream::Console, 1, {}), nullptr));
    const std::vector<std::string> files = filesIn(workDir);
    ASSERT_EQ(files.size(), 1u);
    const JobResult read = runCommand({(prefix / "bin" / "cluster-membench-results").string(), files[0]}, workDir,
                                      outputDir);
    EXPECT_EQ(read.exitStatus, 0) << read.errors;
    EXPECT_EQ(splitLines(read.console).size(), 4u) << read.console;

    // The installed allocator wrapper works from there too.
    const JobResult check = runCommand(
        {(prefix / "share" / "cluster-membench" / "with_allocator.sh").string(), "--check", "glibc"}, workDir,
        outputDir);
    EXPECT_EQ(check.exitStatus, 0) << check.errors;
}

}  // namespace
}  // namespace e2e
