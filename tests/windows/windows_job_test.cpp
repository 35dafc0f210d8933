// The real program on Windows (under Wine here, against a single-process MPI test double): a
// job of one process writes both streams with CR LF line ends, joins folder and file name with
// a backslash, names the file after the computer, and ends with end of input.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "e2e/layout.h"
#include "support/test_files.h"

namespace fs = std::filesystem;

namespace {

// The program's path as Windows writes it (a build tree on a Unix host is drive Z: to Wine).
std::string windowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& character : path) {
        if (character == '/') character = '\\';
    }
    return path;
}

// Lines of a text whose every line ends with CR LF; fails on a bare LF or a missing last end.
testing::AssertionResult crLfLines(const std::string& text, std::vector<std::string>& lines) {
    lines.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) return testing::AssertionFailure() << "the last line has no line end";
        if (end == start || text[end - 1] != '\r') {
            return testing::AssertionFailure() << "line " << lines.size() + 1 << " ends with LF alone";
        }
        lines.push_back(text.substr(start, end - 1 - start));
        start = end + 1;
    }
    return testing::AssertionSuccess();
}

}  // namespace

TEST(WindowsJob, OneProcessWritesCrLfLinesAndABackslashPathAndEndsAtEndOfInput) {
    testfiles::ScratchFolder scratch;
    const fs::path previous = fs::current_path();
    fs::current_path(scratch.path);
    // Standard input from NUL: the wait for Enter ends at once.
    const std::string command = windowsPath(MEMBENCH_PROGRAM_PATH) + " < NUL > console.txt 2> errors.txt";
    const int status = std::system(command.c_str());
    const fs::path folder = fs::current_path();
    fs::current_path(previous);
    ASSERT_EQ(status, 0) << testfiles::readFile(scratch.path / "errors.txt");
    EXPECT_EQ(testfiles::readFile(scratch.path / "errors.txt"), "");

    std::vector<std::string> lines;
    ASSERT_TRUE(crLfLines(testfiles::readFile(scratch.path / "console.txt"), lines));
    std::vector<std::string> captures;
    ASSERT_TRUE(e2e::matchLayout(lines, e2e::reportLayout(e2e::Stream::Console, 1, {}), &captures));
    const e2e::ReportFigures console = e2e::readFigures(captures, e2e::Stream::Console, 1);
    e2e::expectConsistentFigures(console);

    std::vector<std::string> results;
    for (const auto& entry : fs::directory_iterator(scratch.path)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("results_memory_windows_clusters @ ", 0) == 0) results.push_back(name);
    }
    ASSERT_EQ(results.size(), 1u);
    EXPECT_TRUE(std::regex_match(results[0], std::regex(R"(results_memory_windows_clusters @ .+ @ local date )"
                                                        R"([0-9]{4}\.[0-9]{2}\.[0-9]{2} time [0-9]{2}\.[0-9]{2}\.[0-9]{2}\.txt)")))
        << results[0];
    // The folder the program started in, one backslash, the file's name: the file that exists.
    EXPECT_EQ(console.resultsPath, folder.string() + "\\" + results[0]);
    EXPECT_NE(console.resultsPath.find('\\'), std::string::npos);

    ASSERT_TRUE(crLfLines(testfiles::readFile(scratch.path / results[0]), lines));
    EXPECT_TRUE(e2e::matchLayout(lines, e2e::reportLayout(e2e::Stream::File, 1, {}), nullptr));
}
