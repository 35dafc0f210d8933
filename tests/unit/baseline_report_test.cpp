#include <gtest/gtest.h>

#include "report/baseline_report.h"
#include "report/report_text.h"
#include "stream_journal.h"

namespace {

const std::string kConsoleTitleText =
    "Tarvonet :: Quellwright Benchmark MultiProcessor Memory for Windows Clusters on x86 64bit "
    "system 2022.10.31";
const std::string kFileTitleText =
    "Tarvonet :: Quellwright Benchmark MultiProcessor Memory for Windows Clusters on x86 64it "
    "system 2022.10.31.";

// The whole baseline report of a process count, every run taking half a second.
void writeHalfSecondReport(StreamJournal& journal, int worldSize) {
    writeBaselinePreamble(journal.channel, worldSize);
    for (WorkloadKind kind : kWorkloadOrder) {
        writeBaselineFigures(journal.channel, kind, figuresFromReadings(1.0, 1.5));
    }
}

}  // namespace

TEST(BaselineReport, WritesEveryLineInItsOrderOnItsStream) {
    StreamJournal journal;
    writeHalfSecondReport(journal, 1);
    const std::vector<JournalLine> expected = {
        {'C', ""},
        {'C', kConsoleTitleText},
        {'C', kNoticeLine},
        {'C', kContactLine},
        {'C', ""},
        {'C', ""},
        {'C', ""},
        {'C', "Thread(s): 1"},
        {'C', ""},
        {'F', kFileTitleText},
        {'F', ""},
        {'F', "Thread(s): 1"},
        {'F', ""},
        {'C', "Force to be single thread."},
        {'F', "Force to be single thread."},
        {'C', ""},
        {'F', ""},
        {'C', "Power of Memory Allocation."},
        {'F', "Power of Memory Allocation."},
        {'C', "The system spent: 0.5 Secs. "},
        {'C', "It was: 33.5544 Millions Allocations/sec."},
        {'F', "The system spent: 0.5 Secs. "},
        {'F', "It was: 33.5544 Millions Allocations/sec."},
        {'C', ""},
        {'F', ""},
        {'C', "Low speeds:"},
        {'C', "The system spent: 0.5 Secs. "},
        {'C', "It was: 33.5544 Millions Executions/sec."},
        {'C', "Conventionally, it was: 512 MB/sec."},
        {'C', ""},
        {'F', "Low speeds:"},
        {'F', "The system spent: 0.5 Secs. "},
        {'F', "It was: 33.5544 Millions Executions/sec."},
        {'F', "Conventionally, it was: 512 MB/sec."},
        {'F', ""},
        {'C', "High speeds:"},
        {'C', "The system spent: 0.5 Secs. "},
        {'C', "It was: 33.5544 Millions Executions/sec."},
        {'C', "Conventionally, it was: 256 MB/sec."},
        {'C', ""},
        {'F', "High speeds:"},
        {'F', "The system spent: 0.5 Secs. "},
        {'F', "It was: 33.5544 Millions Executions/sec."},
        {'F', "Conventionally, it was: 256 MB/sec."},
        {'F', ""},
        {'C', ""},
        {'F', ""},
    };
    EXPECT_EQ(journal.lines, expected);
    EXPECT_EQ(journal.errors, "");
    EXPECT_EQ(journal.of('C').size(), 26u);
    EXPECT_EQ(journal.of('F').size(), 21u);
}

TEST(BaselineReport, NoticeAndContactAreSingleLinesOfTheirOwn) {
    for (const char* text : {kNoticeLine, kContactLine}) {
        EXPECT_NE(std::string(text), "");
        EXPECT_EQ(std::string(text).find('\n'), std::string::npos);
    }
}

TEST(BaselineReport, FirstHeadingStandsBeforeItsRunAndTheOthersAfterTheirs) {
    StreamJournal journal;
    writeBaselinePreamble(journal.channel, 12);
    EXPECT_EQ(journal.of('C').back(), "Power of Memory Allocation.");
    EXPECT_EQ(journal.of('F').back(), "Power of Memory Allocation.");
    EXPECT_EQ(journal.of('C')[7], "Thread(s): 12");
    EXPECT_EQ(journal.of('F')[2], "Thread(s): 12");

    writeBaselineFigures(journal.channel, WorkloadKind::AllocateAndFree, figuresFromReadings(0, 2));
    const std::size_t before = journal.lines.size();
    writeBaselineFigures(journal.channel, WorkloadKind::AllocateAndKeep, figuresFromReadings(0, 1));
    EXPECT_EQ(journal.lines[before].text, "Low speeds:");
    EXPECT_EQ(journal.lines[before + 1].text, "The system spent: 1 Secs. ");
    EXPECT_EQ(journal.lines[before + 2].text, "It was: 16.7772 Millions Executions/sec.");
    EXPECT_EQ(journal.lines[before + 3].text, "Conventionally, it was: 256 MB/sec.");
}
