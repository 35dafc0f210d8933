// Every input of the fuzz target's seed corpus and every input it ever found wrong, replayed
// through the same check in the ordinary test suite.

#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/reader_input_check.h"
#include "support/test_files.h"

namespace fs = std::filesystem;

TEST(FuzzRegressions, EveryKeptInputPassesTheReadersCheck) {
    std::size_t inputs = 0;
    for (const char* folder : {"regressions", "corpus"}) {
        for (const auto& entry : fs::directory_iterator(fs::path(MEMBENCH_FUZZ_DIR) / folder)) {
            SCOPED_TRACE(entry.path().string());
            EXPECT_EQ(checkReaderInput(testfiles::readFile(entry.path())), "");
            ++inputs;
        }
    }
    EXPECT_GE(inputs, 6u);
}
