#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "report/report_channel.h"
#include "report/results_file.h"
#include "support/platform.h"
#include "support/test_files.h"

namespace fs = std::filesystem;

namespace {

// 2024-03-07 09:05:02 UTC.
constexpr std::time_t kMarch7th = 1709802302;

// Runs the tests in UTC so that the fixed time has a known local form.
class ResultsFileName : public testing::Test {
protected:
    void SetUp() override {
        const char* zone = std::getenv("TZ");
        savedZone_ = zone ? std::optional<std::string>(zone) : std::nullopt;
        testplatform::setEnvironment("TZ", "UTC0");
        testplatform::reloadTimeZone();
    }
    void TearDown() override {
        if (savedZone_) {
            testplatform::setEnvironment("TZ", *savedZone_);
        } else {
            testplatform::unsetEnvironment("TZ");
        }
        testplatform::reloadTimeZone();
    }

private:
    std::optional<std::string> savedZone_;
};

// A scratch folder that the test makes current, and leaves again.
class InScratchFolder : public ResultsFileName {
protected:
    void SetUp() override {
        ResultsFileName::SetUp();
        previous_ = fs::current_path();
        fs::current_path(folder_.path);
    }
    void TearDown() override {
        fs::current_path(previous_);
        ResultsFileName::TearDown();
    }

private:
    testfiles::ScratchFolder folder_;
    fs::path previous_;
};

using testfiles::readFile;

}  // namespace

TEST_F(ResultsFileName, IsMadeOfProcessorNameAndLocalTime) {
    const struct {
        const char* processorName;
        const char* fileName;
    } cases[] = {
        {"NODE7", "results_memory_windows_clusters @ NODE7 @ local date 2024.03.07 time 09.05.02.txt"},
        {"node 7.rack.b", "results_memory_windows_clusters @ node 7.rack.b @ local date 2024.03.07 time 09.05.02.txt"},
        {"", "results_memory_windows_clusters @  @ local date 2024.03.07 time 09.05.02.txt"},
    };
    for (const auto& c : cases) {
        const std::string name = composeResultsFileName(c.processorName, kMarch7th);
        EXPECT_EQ(name, c.fileName);
        EXPECT_EQ(name.size(), 76 + std::string(c.processorName).size());
    }
}

TEST_F(ResultsFileName, FollowsTheLocalTimeZone) {
    testplatform::setEnvironment("TZ", "UTC-2");  // two hours east of UTC
    testplatform::reloadTimeZone();
    EXPECT_EQ(composeResultsFileName("n", kMarch7th),
              "results_memory_windows_clusters @ n @ local date 2024.03.07 time 11.05.02.txt");
}

TEST_F(InScratchFolder, OpenCreatesOrTruncatesTheFileAndEachLineReachesItAtOnce) {
    const std::string name = composeResultsFileName("node", kMarch7th);
    { std::ofstream(name) << "left over from an earlier run\n"; }

    ResultsFile results;
    openResultsFile(results, "node", kMarch7th);
    EXPECT_EQ(results.fileName, name);
    ASSERT_TRUE(results.stream.good());
    EXPECT_EQ(readFile(name), "");

    // A text file: the platform's line end (CR LF on Windows).
    const std::string line = std::string("Low speeds:") + testplatform::kTextLineEnd;
    writeLine(results.stream, "Low speeds:");
    EXPECT_EQ(readFile(name), line) << "the line end flushes";
    closeResultsFile(results);
    EXPECT_FALSE(results.stream.is_open());
    EXPECT_EQ(results.error, 0);
    EXPECT_EQ(readFile(name), line);
}

TEST_F(InScratchFolder, FileThatCannotBeCreatedDropsItsLinesAndSaysWhy) {
    // A folder of the same name cannot be opened for writing, not even by root.
    fs::create_directory(composeResultsFileName("node", kMarch7th));
    ResultsFile results;
    openResultsFile(results, "node", kMarch7th);
    EXPECT_TRUE(results.stream.fail());

    std::ostringstream console;
    ReportChannel channel{&console, &results.stream};
    lineOnBoth(channel, "Thread(s): ", 4);
    closeResultsFile(results);
    EXPECT_TRUE(results.stream.fail());
    // EISDIR here; Windows says EACCES.
    EXPECT_EQ(results.error, testplatform::kOnWindows ? EACCES : EISDIR) << std::strerror(results.error);
    EXPECT_EQ(console.str(), "Thread(s): 4\n");
    EXPECT_TRUE(fs::is_directory(results.fileName));
}

TEST_F(InScratchFolder, AFullDeviceKeepsTheConsoleWholeAndRecordsTheFirstFailedWrite) {
    // The results file's name leads to a device on which every write fails for want of space.
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system (Windows has none)";
    fs::create_symlink("/dev/full", composeResultsFileName("node", kMarch7th));
    ResultsFile results;
    openResultsFile(results, "node", kMarch7th);
    ASSERT_TRUE(results.stream.is_open());

    std::ostringstream console;
    ReportChannel channel{&console, &results.stream};
    lineOnBoth(channel, "Thread(s): ", 4);
    EXPECT_EQ(firstWriteError(results.stream), ENOSPC);
    blankOnBoth(channel);
    lineOnBoth(channel, "Low speeds:");
    closeResultsFile(results);
    EXPECT_EQ(results.error, ENOSPC) << std::strerror(results.error);
    EXPECT_EQ(console.str(), "Thread(s): 4\n\nLow speeds:\n");
}

TEST(WriteError, IsTheFirstFailureOfAStreamAndZeroWhileAllIsWell) {
    std::ostringstream good;
    writeLine(good, "fine");
    EXPECT_EQ(firstWriteError(good), 0);

    std::ostringstream failing;
    failing.setstate(std::ios::badbit);  // failed before any line: nothing new to record
    writeLine(failing, "lost");
    EXPECT_EQ(firstWriteError(failing), 0);

    std::ostringstream later;
    errno = ENOSPC;
    noteWriteFailure(later);
    errno = EIO;
    noteWriteFailure(later);
    EXPECT_EQ(firstWriteError(later), ENOSPC) << "the first failure is kept";
}
