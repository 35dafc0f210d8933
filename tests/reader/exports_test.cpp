#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <limits>
#include <sstream>

#include "reader/exports.h"
#include "reader/results_parser.h"
#include "results_fixture.h"

namespace {

std::vector<ResultsRun> twoRuns() {
    return {parseResults(resultsFileName("root,1"), resultsText({"root,1", {0.5, 1, 0.25}}, {{"w \"1\"", {1, 2, 0.5}}})),
            parseResults("plain.txt", resultsText({"r", {1, 1, 1}}, {}))};
}

}  // namespace

TEST(CsvExport, OneRowPerFileWorkloadAndProcessQuotedWhereNeeded) {
    std::ostringstream out;
    writeCsv(out, twoRuns());
    std::istringstream in(out.str());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 1u + 6 + 3);
    EXPECT_EQ(lines[0], "file,date,time,workload,rank,processor,spent_seconds,millions_per_second,megabytes_per_second");
    const std::string file = "\"results_memory_windows_clusters @ root,1 @ local date 2024.03.07 time 09.05.02.txt\"";
    EXPECT_EQ(lines[1], file + ",2024-03-07,09:05:02,AllocateAndFree,0,\"root,1\",0.5,33.5544,");
    EXPECT_EQ(lines[2], file + ",2024-03-07,09:05:02,AllocateAndFree,1,\"w \"\"1\"\"\",1,16.7772,");
    EXPECT_EQ(lines[3], file + ",2024-03-07,09:05:02,AllocateAndKeep,0,\"root,1\",1,16.7772,256");
    EXPECT_EQ(lines[9], "plain.txt,,,FillArray,0,,1,16.7772,128");
}

TEST(JsonExport, SameRowsAsNumbersWithNullWhereThereIsNoFigure) {
    std::vector<ResultsRun> runs = twoRuns();
    runs[1].rows[0].millionsPerSecond = std::numeric_limits<double>::infinity();
    std::ostringstream out;
    writeJson(out, runs);
    const nlohmann::json rows = nlohmann::json::parse(out.str());
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[1]["processor"], "w \"1\"");
    EXPECT_EQ(rows[1]["rank"], 1);
    EXPECT_EQ(rows[1]["workload"], "AllocateAndFree");
    EXPECT_EQ(rows[1]["spent_seconds"], 1.0);
    EXPECT_DOUBLE_EQ(rows[1]["millions_per_second"].get<double>(), 16.7772);
    EXPECT_TRUE(rows[1]["megabytes_per_second"].is_null());
    EXPECT_EQ(rows[2]["megabytes_per_second"], 256.0);
    EXPECT_EQ(rows[0]["date"], "2024-03-07");
    EXPECT_TRUE(rows[6]["millions_per_second"].is_null()) << "infinity has no JSON number";
}
