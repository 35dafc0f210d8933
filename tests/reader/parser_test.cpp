#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "reader/results_parser.h"
#include "results_fixture.h"

namespace {

const FixtureProcess kRoot{"head.node", {0.5, 1.0, 0.25}};
const std::vector<FixtureProcess> kWorkers = {
    {"worker-one.with.a.long.name", {0.25, 0.5, 0.125}},
    {"n 2, \"quoted\" @ x", {1.0, 2.0, 0.5}},
};

std::string replaceLine(const std::string& text, int lineNumber, const std::string& line) {
    std::istringstream in(text);
    std::string result, current;
    for (int number = 1; std::getline(in, current); ++number) {
        result += (number == lineNumber ? line : current) + "\n";
    }
    return result;
}

int lineOf(const std::string& text, const std::string& line) {
    std::istringstream in(text);
    std::string current;
    for (int number = 1; std::getline(in, current); ++number) {
        if (current == line) return number;
    }
    return -1;
}

}  // namespace

TEST(ResultsParser, ReadsEveryProcessOfEveryWorkload) {
    const std::string text = resultsText(kRoot, kWorkers);
    const ResultsRun run = parseResults("some/folder/" + resultsFileName("head.node"), text);
    EXPECT_EQ(run.processor, "head.node");
    EXPECT_EQ(run.date, "2024-03-07");
    EXPECT_EQ(run.time, "09:05:02");
    EXPECT_EQ(run.processes, 3);
    ASSERT_EQ(run.rows.size(), 9u);

    const char* workloads[] = {"AllocateAndFree", "AllocateAndKeep", "FillArray"};
    const std::string names[] = {"head.node", kWorkers[0].name, kWorkers[1].name};
    const double bytes[] = {0, 16, 8};
    for (int workload = 0; workload < 3; ++workload) {
        for (int rank = 0; rank < 3; ++rank) {
            const ResultRow& row = run.rows[workload * 3 + rank];
            SCOPED_TRACE(std::string(workloads[workload]) + " rank " + std::to_string(rank));
            EXPECT_EQ(row.workload, workloads[workload]);
            EXPECT_EQ(row.rank, rank);
            EXPECT_EQ(row.processor, names[rank]);
            const double spent = rank == 0 ? kRoot.spentSeconds[workload] : kWorkers[rank - 1].spentSeconds[workload];
            EXPECT_EQ(row.spentSeconds, spent);
            EXPECT_NEAR(row.millionsPerSecond, 16.777216 / spent, 1e-5 * 16.777216 / spent);
            EXPECT_EQ(row.megabytesPerSecond.has_value(), workload > 0);
            if (workload > 0) {
                EXPECT_NEAR(*row.megabytesPerSecond, 16777216.0 / spent * bytes[workload] / 1048576.0,
                            1e-5 * *row.megabytesPerSecond);
            }
        }
    }
    EXPECT_EQ(run.rows[4].millionsPerSecondText, "33.5544");
    EXPECT_EQ(run.rows[4].megabytesPerSecondText, "512");
}

TEST(ResultsParser, ReadsOneProcessAndWindowsLineEnds) {
    const std::string text = resultsText(kRoot, {});
    const std::string crlf = std::regex_replace(text, std::regex("\n"), "\r\n");
    for (const std::string& variant : {text, crlf}) {
        const ResultsRun run = parseResults(resultsFileName("head.node"), variant);
        EXPECT_EQ(run.processes, 1);
        ASSERT_EQ(run.rows.size(), 3u);
        EXPECT_EQ(run.rows[2].workload, "FillArray");
        EXPECT_EQ(run.rows[2].spentSecondsText, "0.25");
    }
}

TEST(ResultsParser, RenamedFileLeavesProcessorDateAndTimeEmpty) {
    for (const char* name : {"node7-run1.txt", "results_memory_windows_clusters @ n @ local date 2024.3.7 time 9.5.2.txt"}) {
        const ResultsRun run = parseResults(name, resultsText(kRoot, {}));
        EXPECT_EQ(run.processor, "") << name;
        EXPECT_EQ(run.date, "") << name;
        EXPECT_EQ(run.time, "") << name;
    }
    // A processor name that itself holds " @ " is taken whole.
    const ResultsRun odd = parseResults(resultsFileName("a @ b"), resultsText(kRoot, {}));
    EXPECT_EQ(odd.processor, "a @ b");
}

TEST(ResultsParser, RejectsWhatTheBenchmarkDoesNotWrite) {
    const std::string good = resultsText(kRoot, kWorkers);
    const int lines = static_cast<int>(std::count(good.begin(), good.end(), '\n'));
    const int firstWorker = lineOf(good, "Thread:1 @worker-one.with.a.long.name This thread spent: 0.25 Secs. ");
    const int keepSpent = lineOf(good, "Thread:1 @worker-one.with.a.long.name The spent: 0.5 Secs. ");
    ASSERT_GT(firstWorker, 0);
    ASSERT_GT(keepSpent, 0);
    const struct {
        const char* what;
        std::string text;
        int line;
        const char* problem;
    } cases[] = {
        {"empty file", "", 1, "not a results file"},
        {"another file", "hello\nworld\n", 1, "not a results file"},
        {"cut short between lines", good.substr(0, good.rfind('\n', good.size() - 2) + 1), lines, "ends early"},
        {"cut short inside a line", good.substr(0, good.size() - 5), lines, ""},
        {"last line end missing", good.substr(0, good.size() - 1), lines, "no line end"},
        {"line after the end", good + "more\n", lines + 1, "unexpected line after the end"},
        {"process count not a number", replaceLine(good, 3, "Thread(s): three"), 3, "\"three\" is not a number"},
        {"process count of zero", replaceLine(good, 3, "Thread(s): 0"), 3, "is not a process count"},
        {"figure not a number", replaceLine(good, 8, "The system spent: fast Secs. "), 8, "\"fast\" is not a number"},
        {"console label in the file", replaceLine(good, keepSpent, "Thread:1 @worker-one.with.a.long.name The system spent: 0.5 Secs. "), keepSpent, "expected"},
        {"workers out of order", replaceLine(good, firstWorker, "Thread:2 @worker-one.with.a.long.name This thread spent: 0.25 Secs. "), firstWorker, "expected"},
        {"names differ within a group", replaceLine(good, firstWorker, "Thread:1 @other This thread spent: 0.25 Secs. "), firstWorker + 1, "differs"},
        {"missing blank line", replaceLine(good, 2, "x"), 2, "expected a blank line"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            parseResults("bad.txt", c.text);
            ADD_FAILURE() << "accepted";
        } catch (const ResultsFormatError& error) {
            EXPECT_EQ(error.file, "bad.txt");
            EXPECT_EQ(error.line, c.line) << error.what();
            EXPECT_NE(std::string(error.what()).find(c.problem), std::string::npos) << error.what();
            EXPECT_EQ(std::string(error.what()).rfind("bad.txt:" + std::to_string(c.line) + ": ", 0), 0u)
                << error.what();
        }
    }
}
