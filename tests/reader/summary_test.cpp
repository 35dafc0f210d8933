#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>

#include "reader/exports.h"
#include "reader/results_parser.h"
#include "reader/summary.h"
#include "reader/summary_inputs.h"
#include "results_fixture.h"
#include "support/test_files.h"

namespace fs = std::filesystem;

namespace {

// A run of rank 0 on "head" and four workers, two on each of "a" and "b", whose AllocateAndFree
// times are given; the other workloads take the same times.
ResultsRun run(double root, double a1, double a2, double b1, double b2) {
    const auto times = [](double t) { return FixtureProcess{"", {t, t, t}}; };
    std::vector<FixtureProcess> workers = {times(a1), times(a2), times(b1), times(b2)};
    workers[0].name = workers[1].name = "a";
    workers[2].name = workers[3].name = "b";
    FixtureProcess head = times(root);
    head.name = "head";
    return parseResults(resultsFileName("head"), resultsText(head, workers));
}

double millions(double seconds) { return 16.777216 / seconds; }

const SummaryRow& rowOf(const std::vector<SummaryRow>& rows, const std::string& label, const std::string& workload,
                        const std::string& role, const std::string& processor) {
    for (const SummaryRow& row : rows) {
        if (row.label == label && row.workload == workload && row.role == role && row.processor == processor) return row;
    }
    throw std::runtime_error("no row " + label + "/" + workload + "/" + role + "/" + processor);
}

}  // namespace

TEST(Summary, PoolsRanksPerHostAndRunsPerLabelAndKeepsTheBaselineApart) {
    const std::vector<SummaryRow> rows = summarise({
        {"glibc", run(1.0, 1.0, 2.0, 4.0, 4.0), {{0, 1024.0}, {1, 2048.0}, {2, 4096.0}, {3, 512.0}}},
        {"glibc", run(0.5, 1.0, 1.0, 4.0, 8.0), {}},
        {"jemalloc", run(0.25, 0.5, 0.5, 0.5, 0.5), {}},
    });
    // Two labels x three workloads x (baseline + hosts a and b).
    ASSERT_EQ(rows.size(), 2u * 3 * 3);
    EXPECT_EQ(rows[0].label, "glibc");
    EXPECT_EQ(rows[0].workload, "AllocateAndFree");
    EXPECT_EQ(rows[0].role, "baseline");
    EXPECT_EQ(rows[1].processor, "a");
    EXPECT_EQ(rows[2].processor, "b");
    EXPECT_EQ(rows.back().label, "jemalloc");
    EXPECT_EQ(rows.back().workload, "FillArray");

    const SummaryRow& baseline = rowOf(rows, "glibc", "AllocateAndFree", "baseline", "head");
    EXPECT_EQ(baseline.runs, 2);
    EXPECT_EQ(baseline.samples, 2);
    EXPECT_NEAR(baseline.medianMillionsPerSecond, (millions(1.0) + millions(0.5)) / 2, 1e-3);
    EXPECT_FALSE(baseline.slow);
    ASSERT_TRUE(baseline.peakResidentMib.has_value());
    EXPECT_DOUBLE_EQ(*baseline.peakResidentMib, 1.0);

    // Host a: ranks 1 and 2 of two runs, four figures.
    const SummaryRow& a = rowOf(rows, "glibc", "AllocateAndKeep", "worker", "a");
    EXPECT_EQ(a.runs, 2);
    EXPECT_EQ(a.samples, 4);
    EXPECT_NEAR(a.minMillionsPerSecond, millions(2.0), 1e-4);
    EXPECT_NEAR(a.maxMillionsPerSecond, millions(1.0), 1e-4);
    EXPECT_NEAR(a.medianMillionsPerSecond, millions(1.0), 1e-4);
    EXPECT_NEAR(a.spread, 0.0, 1e-12) << "three of four figures agree";
    // Memory only where a run recorded it: the median of ranks 1 and 2, 2 and 4 MiB.
    ASSERT_TRUE(a.peakResidentMib.has_value());
    EXPECT_DOUBLE_EQ(*a.peakResidentMib, 3.0);

    const SummaryRow& b = rowOf(rows, "glibc", "FillArray", "worker", "b");
    EXPECT_NEAR(b.medianMillionsPerSecond, millions(4.0), 1e-4);
    EXPECT_NEAR(b.spread, 1.4826 * 0 / millions(4.0), 1e-12);
    EXPECT_FALSE(b.slow) << "two hosts are too few to tell";

    const SummaryRow& fast = rowOf(rows, "jemalloc", "AllocateAndFree", "worker", "b");
    EXPECT_EQ(fast.runs, 1);
    EXPECT_EQ(fast.samples, 2);
    EXPECT_FALSE(fast.peakResidentMib.has_value());
}

TEST(Summary, FlagsTheSlowHostOfALabelWithTheSharedRule) {
    std::vector<FixtureProcess> workers;
    for (const char* host : {"n1", "n2", "n3", "n4"}) {
        const double t = std::string(host) == "n3" ? 2.0 : 0.5;
        workers.push_back({host, {t, t, t}});
    }
    const std::vector<SummaryRow> rows = summarise(
        {{"x", parseResults(resultsFileName("h"), resultsText({"h", {0.5, 0.5, 0.5}}, workers)), {}}});
    for (const SummaryRow& row : rows) {
        EXPECT_EQ(row.slow, row.processor == "n3") << row.workload << " " << row.processor;
    }
}

TEST(SummaryInputs, AFolderIsLabelledByItsNameAndHoldsEveryResultsFileUnderIt) {
    testfiles::ScratchFolder scratch;
    const fs::path campaign = scratch.path / "campaign";
    for (const char* run : {"run-1", "run-2"}) {
        fs::create_directories(campaign / "jemalloc" / run);
        testfiles::writeFile(campaign / "jemalloc" / run / resultsFileName("head"),
                             resultsText({"head", {1, 1, 1}}, {{"w", {1, 1, 1}}}));
        testfiles::writeFile(campaign / "jemalloc" / run / "console.txt", "not a results file");
    }
    testfiles::writeFile(campaign / "jemalloc" / "run-1" / "peak-rss.rank-1.txt", "2048\n");
    testfiles::writeFile(campaign / "jemalloc" / "run-1" / "peak-rss.rank-x.txt", "1\n");

    for (const std::string& given : {(campaign / "jemalloc").string(), (campaign / "jemalloc").string() + "/"}) {
        const LabelledFiles found = findResultsFiles(given);
        EXPECT_EQ(found.label, "jemalloc");
        ASSERT_EQ(found.files.size(), 2u);
        EXPECT_NE(found.files[0].find("run-1"), std::string::npos);
    }
    const LabelledFiles single = findResultsFiles((campaign / "jemalloc" / "run-2" / resultsFileName("head")).string());
    EXPECT_EQ(single.label, "run-2") << "a file by itself takes its folder's name";

    const LabelledRun withMemory = readLabelledRun("jemalloc", findResultsFiles((campaign / "jemalloc").string()).files[0]);
    EXPECT_EQ(withMemory.peakResidentKib, (std::map<int, double>{{1, 2048.0}}));

    fs::create_directories(scratch.path / "empty");
    EXPECT_THROW(findResultsFiles((scratch.path / "empty").string()), ResultsFormatError);
    EXPECT_THROW(findResultsFiles((scratch.path / "absent").string()), ResultsFormatError);
}

TEST(SummaryExport, CsvAndJsonHaveTheDocumentedColumns) {
    const std::vector<SummaryRow> rows = summarise({{"a,b", run(1, 1, 1, 1, 1), {{0, 1536.0}}}});
    std::ostringstream csv;
    writeSummaryCsv(csv, rows);
    std::istringstream lines(csv.str());
    std::string header, first;
    std::getline(lines, header);
    std::getline(lines, first);
    EXPECT_EQ(header, "label,workload,processor,role,runs,samples,median_millions_per_second,"
                      "min_millions_per_second,max_millions_per_second,spread,slow,peak_resident_mib");
    EXPECT_EQ(first, "\"a,b\",AllocateAndFree,head,baseline,1,1,16.7772,16.7772,16.7772,0,false,1.5");

    std::ostringstream json;
    writeSummaryJson(json, rows);
    const nlohmann::json parsed = nlohmann::json::parse(json.str());
    ASSERT_EQ(parsed.size(), rows.size());
    EXPECT_EQ(parsed[0]["role"], "baseline");
    EXPECT_EQ(parsed[0]["peak_resident_mib"], 1.5);
    EXPECT_TRUE(parsed[1]["peak_resident_mib"].is_null());
    EXPECT_EQ(parsed[1]["slow"], false);
}
