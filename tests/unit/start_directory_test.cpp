#include <gtest/gtest.h>

#include <filesystem>

#include "driver/start_directory.h"
#include "support/platform.h"
#include "support/test_files.h"

namespace fs = std::filesystem;

TEST(ResultsPath, JoinsFolderAndFileNameWithThePlatformSeparator) {
    const std::string separator(1, kPathSeparator);  // '/' here, '\\' on Windows
    EXPECT_EQ(separator, testplatform::kOnWindows ? "\\" : "/");
    EXPECT_EQ(composeResultsPath(std::string("/home/user"), "results @ n @ x.txt"),
              "/home/user" + separator + "results @ n @ x.txt");
    EXPECT_EQ(composeResultsPath(std::nullopt, "r.txt"), "(null)" + separator + "r.txt");
    // The folder text is taken as it is: nothing is normalised, so the root folder (or a
    // drive's root, "C:\\") is followed by a second separator.
    EXPECT_EQ(composeResultsPath(separator, "r.txt"), separator + separator + "r.txt");
}

TEST(ResultsPath, GrowsToFitAFolderOfAnyLength) {
    const std::string folder = "/" + std::string(10000, 'd');
    const std::string path = composeResultsPath(folder, "r.txt");
    EXPECT_EQ(path.size(), 10000u + 1 + 1 + 5);
    EXPECT_EQ(path.substr(path.size() - 6), std::string(1, kPathSeparator) + "r.txt");
}

TEST(StartDirectory, IsTheCurrentFolderOrUnknownOnceRemoved) {
    if (testplatform::kOnWindows) {
        GTEST_SKIP() << "Windows keeps folders shorter than 260 characters unless told otherwise, "
                        "and no process can remove its own current folder there";
    }
    const fs::path previous = fs::current_path();
    EXPECT_EQ(currentDirectory(), previous.string());

    testfiles::ScratchFolder scratch;
    // A folder deeper than the first buffer the query tries.
    fs::path deep = scratch.path;
    for (int level = 0; level < 12; ++level) deep /= std::string(60, 'a' + level);
    fs::create_directories(deep);
    fs::current_path(deep);
    EXPECT_EQ(currentDirectory(), deep.string());

    fs::remove_all(scratch.path);
    EXPECT_EQ(currentDirectory(), std::nullopt);
    fs::current_path(previous);
}
