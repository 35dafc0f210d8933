// Allocator comparisons as a user runs them: scripts/with_allocator.sh between the launcher and
// every rank, and scripts/run_campaign.sh repeating jobs per allocator and summarising them.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "e2e_config.h"
#include "e2e_support.h"

namespace e2e {
namespace {

const std::string kWrapper = kSourceDir + "/scripts/with_allocator.sh";
const std::string kCampaign = kSourceDir + "/scripts/run_campaign.sh";

// The launcher's command for a job of `processes` ranks, as words.
std::vector<std::string> launcherFor(int processes) {
    JobOptions options;
    options.processes = processes;
    std::vector<std::string> command = jobCommand(options);
    command.pop_back();  // the program: the test puts its own command there
    return command;
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    return text;
}

std::vector<std::vector<std::string>> csvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : splitLines(text)) {
        std::vector<std::string> fields(1);
        bool quoted = false;
        for (char c : line) {
            if (c == '"') quoted = !quoted;
            else if (c == ',' && !quoted) fields.emplace_back();
            else fields.back() += c;
        }
        rows.push_back(fields);
    }
    return rows;
}

class AllocatorComparison : public ScratchTest {
protected:
    void SetUp() override {
        if (kReaderPath.empty()) GTEST_SKIP() << "cluster-membench-results was not built";
    }
};

TEST_F(AllocatorComparison, ALibraryGivenByPathReachesEveryRank) {
    const fs::path marks = scratch.path / "marks";
    fs::create_directory(marks);
    std::vector<std::string> command = {"/usr/bin/env", "MEMBENCH_TEST_MARK_DIR=" + marks.string()};
    for (const std::string& word : launcherFor(2)) command.push_back(word);
    for (const std::string& word : {kWrapper, kMarkAllocatorPath, kProgramPath}) command.push_back(word);
    const JobResult result = runCommand(command, workDir, outputDir);
    ASSERT_EQ(result.exitStatus, 0) << result.errors;

    // One mark from each rank's benchmark process, rank 0 and the worker alike.
    std::multiset<std::string> ranks;
    for (const auto& entry : fs::directory_iterator(marks)) {
        std::istringstream mark(readFile(entry.path()));
        std::string rank, program;
        mark >> rank >> program;
        if (program == "cluster-membench") ranks.insert(rank);
    }
    EXPECT_EQ(ranks, (std::multiset<std::string>{"0", "1"}));
}

TEST_F(AllocatorComparison, ADebianAllocatorIsMappedIntoEveryRank) {
    std::vector<std::string> command = launcherFor(2);
    for (const std::string& word : {kWrapper, std::string("jemalloc"), std::string("/bin/sh"), std::string("-c"),
                                    std::string("grep -c libjemalloc /proc/self/maps")}) {
        command.push_back(word);
    }
    const JobResult result = runCommand(command, workDir, outputDir);
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    const std::vector<std::string> counts = splitLines(result.console);
    ASSERT_EQ(counts.size(), 2u) << result.console;
    for (const std::string& count : counts) EXPECT_GT(std::stoi(count), 0) << result.console;
}

TEST_F(AllocatorComparison, AMissingOrBrokenLibraryStopsTheRankWithOneLine) {
    writeFile(scratch.path / "not-a-library.so", "plain text\n");
    const struct {
        std::string allocator;
        std::string reason;
    } cases[] = {
        {"/nonexistent/libmalloc.so", "library /nonexistent/libmalloc.so does not exist on host " + hostName()},
        {(scratch.path / "not-a-library.so").string(), "cannot be preloaded ("},
    };
    for (const auto& c : cases) {
        const fs::path started = scratch.path / "started";
        const JobResult result = runCommand({kWrapper, c.allocator, "/usr/bin/touch", started.string()}, workDir, outputDir);
        EXPECT_EQ(result.exitStatus, 3) << result.errors;
        EXPECT_FALSE(fs::exists(started)) << "the program must not run without its allocator";
        EXPECT_EQ(std::count(result.errors.begin(), result.errors.end(), '\n'), 1) << result.errors;
        EXPECT_NE(result.errors.find("with_allocator.sh: allocator " + c.allocator + ": "), std::string::npos);
        EXPECT_NE(result.errors.find(c.reason), std::string::npos) << result.errors;
    }

    // A campaign checks every allocator before its first run.
    const fs::path out = scratch.path / "campaign";
    const JobResult campaign = runCommand(
        {"/usr/bin/env", "MEMBENCH_PROGRAM=" + kProgramPath, "MEMBENCH_READER=" + kReaderPath, "/bin/bash", kCampaign,
         "--runs", "1", "--allocators", "glibc,/nonexistent/libmalloc.so", "--out", out.string(), "--launcher",
         joined(launcherFor(1))},
        workDir, outputDir);
    EXPECT_NE(campaign.exitStatus, 0);
    EXPECT_NE(campaign.errors.find("allocator /nonexistent/libmalloc.so: library"), std::string::npos) << campaign.errors;
    EXPECT_FALSE(fs::exists(out)) << "no run started";
}

TEST_F(AllocatorComparison, ACampaignStopsAtAFailedRunWithItsStatusAndKeepsWhatItWrote) {
    // A launcher that writes a line and fails, as a job cut short would.
    const fs::path launcher = writeScript(scratch.path / "failing-launcher.sh", "echo partial output\nexit 7\n");
    const fs::path out = scratch.path / "campaign";
    const JobResult result = runCommand(
        {"/usr/bin/env", "MEMBENCH_PROGRAM=" + kProgramPath, "MEMBENCH_READER=" + kReaderPath, "/bin/bash", kCampaign,
         "--runs", "2", "--allocators", "glibc", "--out", out.string(), "--launcher", launcher.string()},
        workDir, outputDir);
    EXPECT_EQ(result.exitStatus, 7) << result.errors;
    EXPECT_NE(result.errors.find("run 1 of 2: glibc failed with status 7"), std::string::npos) << result.errors;
    EXPECT_EQ(readFile(out / "glibc" / "run-1" / "console.txt"), "partial output\n");
    EXPECT_FALSE(fs::exists(out / "glibc" / "run-2")) << "no run after the failed one";
    EXPECT_FALSE(fs::exists(out / "summary.csv"));
}

TEST_F(AllocatorComparison, ACampaignRunsEveryAllocatorAndSummarisesPerHost) {
    const fs::path out = scratch.path / "campaign";
    const JobResult result = runCommand(
        {"/usr/bin/env", "MEMBENCH_PROGRAM=" + kProgramPath, "MEMBENCH_READER=" + kReaderPath, "/bin/bash", kCampaign,
         "--runs", "2", "--allocators", "glibc,jemalloc", "--out", out.string(), "--launcher", joined(launcherFor(2))},
        workDir, outputDir);
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    for (int run = 1; run <= 4; ++run) {
        EXPECT_NE(result.errors.find("run " + std::to_string(run) + " of 4: "), std::string::npos) << result.errors;
    }

    // DIR/<allocator>/run-<k>/: one results file that the reader accepts, and both ranks' memory.
    for (const char* label : {"glibc", "jemalloc"}) {
        for (const char* run : {"run-1", "run-2"}) {
            const fs::path folder = out / label / run;
            std::vector<std::string> results;
            for (const std::string& name : filesIn(folder)) {
                if (name.rfind("results_memory_windows_clusters @ ", 0) == 0) results.push_back(name);
            }
            ASSERT_EQ(results.size(), 1u) << folder;
            EXPECT_EQ(runCommand({kReaderPath, (folder / results[0]).string()}, workDir, outputDir).exitStatus, 0);
            EXPECT_TRUE(fs::exists(folder / "peak-rss.rank-0.txt"));
            EXPECT_TRUE(fs::exists(folder / "peak-rss.rank-1.txt"));
        }
    }

    // The summary on standard output and beside the runs: each label, workload and role of this
    // host, from two runs, with memory.
    EXPECT_EQ(readFile(out / "summary.csv"), result.console);
    const auto rows = csvRows(result.console);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0][0], "label");
    std::map<std::string, std::vector<std::string>> byKey;
    for (std::size_t index = 1; index < rows.size(); ++index) {
        ASSERT_EQ(rows[index].size(), 12u);
        byKey[rows[index][0] + "/" + rows[index][1] + "/" + rows[index][3]] = rows[index];
    }
    EXPECT_EQ(byKey.size(), 2u * 3 * 2);
    for (const char* label : {"glibc", "jemalloc"}) {
        for (const char* workload : {"AllocateAndFree", "AllocateAndKeep", "FillArray"}) {
            for (const char* role : {"baseline", "worker"}) {
                const std::string key = std::string(label) + "/" + workload + "/" + role;
                ASSERT_TRUE(byKey.count(key)) << key;
                const auto& row = byKey[key];
                EXPECT_EQ(row[2], hostName()) << key;
                EXPECT_EQ(row[4], "2") << key << ": runs";
                EXPECT_EQ(row[5], "2") << key << ": samples";
                EXPECT_GT(std::stod(row[6]), 0) << key;
                EXPECT_GT(std::stod(row[11]), 100) << key << ": peak resident MiB";
            }
        }
    }
    EXPECT_EQ(readFile(out / "summary.svg").rfind("<?xml", 0), 0u);
}

}  // namespace
}  // namespace e2e
