// A job of one process: the baseline report on both streams, the results file, the closing
// lines, and how the run ends.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <regex>

#include "e2e_support.h"
#include "layout.h"

namespace e2e {
namespace {

std::string resultsNamePattern(const std::string& processorName) {
    return literal("results_memory_windows_clusters @ " + processorName + " @ local date ") +
           R"(([0-9]{4})\.([0-9]{2})\.([0-9]{2}) time ([0-9]{2})\.([0-9]{2})\.([0-9]{2})\.txt)";
}

std::string resultsName(const std::string& processorName, std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[64];
    std::strftime(stamp, sizeof stamp, "local date %Y.%m.%d time %H.%M.%S.txt", &local);
    return "results_memory_windows_clusters @ " + processorName + " @ " + stamp;
}

class OneProcessJob : public ScratchTest {
protected:

    JobResult run(JobOptions options = {}) { return runJob(options, workDir, outputDir); }

    void expectWholeConsoleReport(const JobResult& result, ReportFigures* figures = nullptr) {
        std::vector<std::string> captures;
        ASSERT_TRUE(matchLayout(splitLines(result.console),
                                reportLayout(Stream::Console, 1, {}), &captures))
            << result.console << result.errors;
        ASSERT_EQ(result.console.back(), '\n');
        if (figures) *figures = readFigures(captures, Stream::Console, 1);
    }
};

TEST_F(OneProcessJob, WritesTheBaselineReportToConsoleAndResultsFile) {
    const std::time_t before = std::time(nullptr);
    const JobResult result = run();
    const std::time_t after = std::time(nullptr);
    ASSERT_EQ(result.exitStatus, 0) << result.errors;

    ReportFigures console;
    expectWholeConsoleReport(result, &console);
    expectConsistentFigures(console);

    // Exactly one file, in the start folder, named from the host name and the local time.
    const std::vector<std::string> files = filesIn(workDir);
    ASSERT_EQ(files.size(), 1u);
    std::smatch stamp;
    ASSERT_TRUE(std::regex_match(files[0], stamp, std::regex(resultsNamePattern(hostName()))))
        << files[0];
    bool fromThisRun = false;
    for (std::time_t when = before; when <= after; ++when) {
        fromThisRun = fromThisRun || files[0] == resultsName(hostName(), when);
    }
    EXPECT_TRUE(fromThisRun) << files[0];
    EXPECT_EQ(console.resultsPath, (fs::canonical(workDir) / files[0]).string());

    const std::string fileText = readFile(workDir / files[0]);
    std::vector<std::string> captures;
    ASSERT_TRUE(matchLayout(splitLines(fileText), reportLayout(Stream::File, 1, {}), &captures))
        << fileText;
    EXPECT_EQ(splitLines(fileText).size(), 21u);
    ASSERT_EQ(fileText.substr(fileText.size() - 2), "\n\n") << "the file ends with its line end";
    const ReportFigures file = readFigures(captures, Stream::File, 1);
    for (int workload = 0; workload < 3; ++workload) {
        EXPECT_EQ(file.baseline[workload].spent, console.baseline[workload].spent);
        EXPECT_EQ(file.baseline[workload].millions, console.baseline[workload].millions);
        EXPECT_EQ(file.baseline[workload].megabytes, console.baseline[workload].megabytes);
    }
}

TEST_F(OneProcessJob, ResultsFileThatCannotBeCreatedLeavesTheConsoleWholeAndFailsTheJob) {
    // Folders under every name the run may choose in the next two minutes: opening one of them
    // for writing fails, even for root.
    const std::time_t now = std::time(nullptr);
    for (std::time_t when = now; when < now + 120; ++when) {
        fs::create_directory(workDir / resultsName(hostName(), when));
    }
    const JobResult result = run();
    EXPECT_NE(result.exitStatus, 0) << "a missing results file is a failure";
    ReportFigures console;
    expectWholeConsoleReport(result, &console);
    EXPECT_TRUE(filesIn(workDir).empty());
    EXPECT_TRUE(fs::is_directory(console.resultsPath)) << console.resultsPath;
    EXPECT_NE(result.errors.find("cluster-membench: the results file \"" + console.resultsPath +
                                 "\" could not be written completely: Is a directory\n"),
              std::string::npos)
        << result.errors;
}

TEST_F(OneProcessJob, UnknownStartFolderReadsNullInThePathLine) {
    // The program starts in a folder that no longer exists.
    JobOptions options;
    options.wrapper = {"/bin/sh", "-c", "mkdir gone && cd gone && rmdir ../gone && exec \"$0\""};
    const JobResult result = run(options);
    ReportFigures console;
    expectWholeConsoleReport(result, &console);
    EXPECT_TRUE(std::regex_match(console.resultsPath,
                                 std::regex(literal("(null)/") + resultsNamePattern(hostName()))))
        << console.resultsPath;
    EXPECT_TRUE(filesIn(workDir).empty());
    // No file can be made in a removed folder: the job says so and fails.
    EXPECT_NE(result.exitStatus, 0);
    EXPECT_NE(result.errors.find("cluster-membench: the results file \"" + console.resultsPath +
                                 "\" could not be written completely: No such file or directory\n"),
              std::string::npos)
        << result.errors;
}

TEST_F(OneProcessJob, EndOfInputOrOneKeyEndsTheRun) {
    for (const char* input : {"", "\n", "x", "xyz\n"}) {
        SCOPED_TRACE(std::string("input \"") + input + "\"");
        JobOptions options;
        options.input = input;
        const JobResult result = run(options);
        EXPECT_EQ(result.exitStatus, 0) << result.errors;
        expectWholeConsoleReport(result);
    }
}

TEST_F(OneProcessJob, ResultsFileIsCompleteAndClosedWhileThePromptStands) {
    JobOptions options;
    options.input = "";
    RunningJob job = startJob(options, workDir, outputDir);
    ASSERT_TRUE(waitForConsole(job, "Press Enter to Exit.\n", 240)) << readFile(job.errorFile);

    const std::vector<std::string> files = filesIn(workDir);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(matchLayout(splitLines(readFile(workDir / files[0])),
                            reportLayout(Stream::File, 1, {}), nullptr));
    EXPECT_FALSE(fileIsOpenAnywhere(workDir / files[0]));
    int status = 0;
    EXPECT_EQ(waitpid(job.pid, &status, WNOHANG), 0) << "the job waits for its key";

    sendInput(job, "\n");
    const JobResult result = finishJob(job, 60);
    EXPECT_EQ(result.exitStatus, 0) << result.errors;
    expectWholeConsoleReport(result);
}

TEST_F(OneProcessJob, OutOfMemoryEndsTheJobWithOneMessage) {
    // Room for MPI and the first workload, not for the 2^24 kept blocks of the second.
    JobOptions options;
    options.wrapper = {"/bin/sh", "-c", "ulimit -v 600000 && exec \"$0\""};
    const JobResult result = run(options);
    EXPECT_NE(result.exitStatus, 0);
    EXPECT_NE(result.errors.find("cluster-membench: out of memory in workload AllocateAndKeep on "
                                 "rank 0 (" + hostName() + "); ending the job\n"),
              std::string::npos)
        << result.errors;
    EXPECT_EQ(result.errors.find("terminate called"), std::string::npos) << result.errors;

    // The lines written before the failure stay in the results file.
    const std::vector<std::string> files = filesIn(workDir);
    ASSERT_EQ(files.size(), 1u);
    std::vector<std::string> layout = reportLayout(Stream::File, 1, {});
    layout.resize(10);  // up to the blank line after the first workload's figures
    EXPECT_TRUE(matchLayout(splitLines(readFile(workDir / files[0])), layout, nullptr));
}

}  // namespace
}  // namespace e2e
