// The results file on a file system that has no room for it: the console report stays whole,
// the lines that fit stay in the file, and the job says so and fails. A real (tiny, loop-mounted)
// file system is filled for each case.

#include <gtest/gtest.h>

#include <regex>

#include "e2e_config.h"
#include "e2e_support.h"
#include "layout.h"

namespace e2e {
namespace {

struct FullDiskCase {
    const char* name;
    int processes;
    const char* freeKib;
    bool inodesLeft;
    bool fileCreated;
};

void PrintTo(const FullDiskCase& c, std::ostream* out) { *out << c.name; }

class FullDisk : public EnvironmentTest, public testing::WithParamInterface<FullDiskCase> {
protected:
    void SetUp() override {
        std::vector<std::string> arguments = {GetParam().freeKib};
        if (!GetParam().inodesLeft) arguments.push_back("noinodes");
        bringUpEnvironment(kSmallFileSystemScript, arguments, "a loop-mounted file system needs root");
    }
};

TEST_P(FullDisk, ConsoleStaysWholeAndTheJobReportsTheLostLines) {
    const FullDiskCase& c = GetParam();
    const fs::path startFolder = environmentDir / "mnt";
    JobOptions options;
    options.processes = c.processes;
    const JobResult result = runJob(options, startFolder, outputDir);
    EXPECT_NE(result.exitStatus, 0) << "a missing or cut results file is a failure";

    const std::vector<std::string> workers(c.processes - 1, hostName());
    std::vector<std::string> captures;
    ASSERT_TRUE(matchLayout(splitLines(result.console), reportLayout(Stream::Console, c.processes, workers),
                            &captures))
        << result.console << result.errors;
    const std::string path = readFigures(captures, Stream::Console, c.processes).resultsPath;
    EXPECT_NE(result.errors.find("cluster-membench: the results file \"" + path +
                                 "\" could not be written completely: No space left on device\n"),
              std::string::npos)
        << result.errors;

    if (!c.fileCreated) {
        EXPECT_FALSE(fs::exists(path));
        return;
    }
    // What reached the file is the report's beginning, up to where the room ran out.
    const std::string text = readFile(path);
    std::vector<std::string> lines = splitLines(text);
    const std::vector<std::string> layout = reportLayout(Stream::File, c.processes, workers);
    ASSERT_LT(lines.size(), layout.size());
    if (!text.empty() && text.back() != '\n') {
        const std::string cut = lines.back();
        lines.pop_back();
        EXPECT_FALSE(cut.empty());
    }
    EXPECT_TRUE(matchLayout(lines, std::vector<std::string>(layout.begin(), layout.begin() + lines.size()),
                            nullptr));
    // Only the room there was, and all of it that whole lines could use.
    const std::size_t room = std::stoul(c.freeKib) * 1024;
    EXPECT_LE(text.size(), room);
    if (room > 0) {
        EXPECT_GT(text.size(), room - 100) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FullDisk,
    testing::Values(
        // Created, but not a byte fits.
        FullDiskCase{"NoRoomForALine", 1, "0", true, true},
        // One kibibyte: the report is cut in the middle of a line.
        FullDiskCase{"RoomForPartOfTheReport", 2, "1", true, true},
        // Not even the file's entry fits.
        FullDiskCase{"NoRoomForTheFile", 1, "0", false, false}),
    [](const testing::TestParamInfo<FullDiskCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
