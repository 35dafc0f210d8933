// What the reader does with input that is not a results file, however hostile: it reads only
// regular files, never more than it needs, and says what is wrong in one short message.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "reader/results_parser.h"
#include "reader/utf8_text.h"
#include "results_fixture.h"
#include "support/platform.h"
#include "support/test_files.h"

namespace fs = std::filesystem;

namespace {

std::string failureOf(const std::function<void()>& read) {
    try {
        read();
    } catch (const ResultsFormatError& error) {
        return error.what();
    }
    return "accepted";
}

}  // namespace

TEST(ReaderInput, OnlyRegularFilesAreOpened) {
    testfiles::ScratchFolder scratch;
    std::vector<std::string> paths = {scratch.path.string()};
    if (!testplatform::kOnWindows) {
        const fs::path fifo = scratch.path / "fifo";
        ASSERT_TRUE(testplatform::makeFifo(fifo));  // no writer: opening it would block
        paths.push_back(fifo.string());
        paths.push_back("/dev/zero");  // would never end
    }
    for (const std::string& path : paths) {
        EXPECT_EQ(failureOf([&] { readResultsFile(path); }), path + ": not a regular file");
    }
    EXPECT_NE(failureOf([&] { readResultsFile((scratch.path / "absent").string()); }).find(": cannot be read: "),
              std::string::npos);
}

TEST(ReaderInput, AFileLargerThanAnyJobsIsRefusedUnread) {
    testfiles::ScratchFolder scratch;
    const fs::path huge = scratch.path / "huge.txt";
    testfiles::writeFile(huge, "");
    fs::resize_file(huge, kLargestResultsFile + 1);  // sparse: nothing is written
    EXPECT_EQ(failureOf([&] { readResultsFile(huge.string()); }),
              huge.string() + ": is 268435457 bytes long, more than any results file (the limit is 268435456 bytes)");
}

TEST(ReaderInput, StopsAtTheFirstLineThatCannotBeRightAndQuotesLittleOfIt) {
    const std::string good = resultsText({"h", {1, 1, 1}}, {});
    const struct {
        const char* what;
        std::string text;
        std::string message;
    } cases[] = {
        // Millions of empty lines are not read past the first.
        {"empty lines", std::string(10 << 20, '\n'), "x.txt:1: not a results file"},
        {"zeros", std::string(1 << 20, '\0'), "x.txt:1: a line longer than 4096 bytes"},
        {"one long line", good.substr(0, good.find('\n') + 1) + std::string(1 << 20, 'y'), "x.txt:2: a line longer"},
        {"long wrong line", good.substr(0, good.find('\n') + 1) + std::string(5000, 'z').substr(0, 4000) + "\n",
         "x.txt:2: expected a blank line, found \"" + std::string(80, 'z') + "...\""},
    };
    for (const auto& c : cases) {
        const std::string message = failureOf([&] { parseResults("x.txt", c.text); });
        EXPECT_EQ(message.rfind(c.message, 0), 0u) << c.what << ": " << message.substr(0, 300);
        EXPECT_LT(message.size(), 300u) << c.what;
    }
}

TEST(Utf8Text, ReplacesWhatIsNotUtf8AndDropsWhatXmlForbids) {
    const struct {
        std::string text, valid, xml;
    } cases[] = {
        {"node-1", "node-1", "node-1"},
        {"\xFF\xFE", "\xEF\xBF\xBD\xEF\xBF\xBD", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"a\xC3", "a\xEF\xBF\xBD", "a\xEF\xBF\xBD"},                        // cut inside a character
        {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD", "\xEF\xBF\xBD\xEF\xBF\xBD"},  // overlong "/"
        {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // surrogate
        {"x\xEF\xBF\xBEy", "x\xEF\xBF\xBEy", "xy"},  // U+FFFE is UTF-8 but not XML
        {"bell\x07<&>\"'", "bell\x07<&>\"'", "bell&lt;&amp;&gt;&quot;&apos;"},
        {"caf\xC3\xA9 \xF0\x9F\x96\xA5", "caf\xC3\xA9 \xF0\x9F\x96\xA5", "caf\xC3\xA9 \xF0\x9F\x96\xA5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(validUtf8(c.text), c.valid);
        EXPECT_EQ(xmlText(c.text), c.xml);
    }
}

TEST(Utf8Text, ShortensAtCharacterBoundaries) {
    std::string accented = "a";
    for (int index = 0; index < 40; ++index) accented += "\xC3\xA9";
    const std::string shortened = shortenText(accented, 10);
    EXPECT_EQ(shortened, "a\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9...");
    EXPECT_EQ(characterCount(shortened), 10u);
    EXPECT_EQ(validUtf8(shortened), shortened);
    EXPECT_EQ(shortenText("short", 10), "short");
    EXPECT_EQ(lineExcerpt(accented, 4), "a\xC3\xA9...") << "an excerpt never ends inside a character";
    EXPECT_EQ(lineExcerpt("tiny"), "tiny");
}
