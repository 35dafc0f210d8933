#include "cluster_checks.h"

#include <gtest/gtest.h>

#include "layout.h"

namespace e2e {

void runAndCheckClusterJob(const JobOptions& options, const fs::path& workDir,
                           const fs::path& outputDir, const std::string& rootName,
                           const std::vector<std::string>& workerNames) {
    const int worldSize = options.processes;
    const JobResult result = runJob(options, workDir, outputDir);
    ASSERT_EQ(result.exitStatus, 0) << result.console << result.errors;

    std::vector<std::string> consoleCaptures;
    ASSERT_TRUE(matchLayout(splitLines(result.console),
                            reportLayout(Stream::Console, worldSize, workerNames), &consoleCaptures))
        << result.console << result.errors;
    const ReportFigures console = readFigures(consoleCaptures, Stream::Console, worldSize);
    expectConsistentFigures(console);

    const std::vector<std::string> files = filesIn(workDir);
    ASSERT_EQ(files.size(), 1u) << "workers create no file";
    EXPECT_EQ(files[0].rfind("results_memory_windows_clusters @ " + rootName + " @ ", 0), 0u) << files[0];
    EXPECT_EQ(console.resultsPath, (fs::canonical(workDir) / files[0]).string());

    const std::string fileText = readFile(workDir / files[0]);
    std::vector<std::string> fileCaptures;
    ASSERT_TRUE(matchLayout(splitLines(fileText), reportLayout(Stream::File, worldSize, workerNames),
                            &fileCaptures))
        << fileText;
    EXPECT_EQ(fileText.back(), '\n');
    // The file holds the same figures as the console, the path aside.
    consoleCaptures.pop_back();
    EXPECT_EQ(fileCaptures, consoleCaptures);
}

}  // namespace e2e
