#include <gtest/gtest.h>

#include <limits>
#include <sstream>

#include "report/report_channel.h"
#include "stream_journal.h"

TEST(GeneralNumber, WritesSixSignificantDigitsLikePercentG) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {16.777216, "16.7772"},  {67.108864, "67.1089"},   {1024.0, "1024"},
        {0.5, "0.5"},            {1.2, "1.2"},             {0.0000123, "1.23e-05"},
        {100.0, "100"},          {1000000.0, "1e+06"},     {16777216.0, "1.67772e+07"},
        {999999.5, "1e+06"},     {999999.4, "999999"},     {0.0001, "0.0001"},
        {0.0, "0"},              {123456.7, "123457"},     {1e300, "1e+300"},
        {std::numeric_limits<double>::infinity(), "inf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(generalNumber(c.value), c.text) << c.value;
    }
}

TEST(ReportLine, WritesPiecesWithNothingBetweenThemAndIntegersPlain) {
    std::ostringstream out;
    writeLine(out, "Thread:", 2, " ", "@", std::string("node a.b"), " x ", 0.5, "|", 4095, -1);
    EXPECT_EQ(out.str(), "Thread:2 @node a.b x 0.5|4095-1\n");
}

TEST(ReportLine, EveryLineEndFlushesItsStreamAndLinesOnBothGoConsoleFirst) {
    StreamJournal journal;
    lineOnBoth(journal.channel, "Low speeds:");
    blankOnBoth(journal.channel);
    fileLine(journal.channel, "file only");
    consoleLine(journal.channel, "console only ", 1.5);
    const std::vector<JournalLine> expected = {
        {'C', "Low speeds:"}, {'F', "Low speeds:"}, {'C', ""},
        {'F', ""},           {'F', "file only"},   {'C', "console only 1.5"},
    };
    EXPECT_EQ(journal.lines, expected);
    EXPECT_EQ(journal.errors, "");
}
