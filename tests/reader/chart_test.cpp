#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <regex>
#include <set>
#include <sstream>

#include "reader/results_parser.h"
#include "reader/summary.h"
#include "reader/svg_chart.h"
#include "results_fixture.h"

namespace {

struct ChartContents {
    std::string texts;  // every element's text, tooltips included, one per line
    std::set<std::string> classes;
    std::size_t elements = 0;
    std::string error;
};

// Parses the chart as XML and gathers every text and class; checks that every coordinate and
// length is a finite number inside the picture's size.
ChartContents readChart(const std::string& svg) {
    ChartContents contents;
    tinyxml2::XMLDocument document;
    if (document.Parse(svg.c_str(), svg.size()) != tinyxml2::XML_SUCCESS) {
        contents.error = document.ErrorStr();
        return contents;
    }
    const tinyxml2::XMLElement* root = document.RootElement();
    const double width = root->DoubleAttribute("width");
    const double height = root->DoubleAttribute("height");
    std::vector<const tinyxml2::XMLElement*> pending = {root};
    while (!pending.empty()) {
        const tinyxml2::XMLElement* element = pending.back();
        pending.pop_back();
        ++contents.elements;
        if (element->GetText()) contents.texts += std::string(element->GetText()) + "\n";
        if (const char* name = element->Attribute("class")) contents.classes.insert(name);
        for (const char* attribute : {"x", "y", "x1", "y1", "x2", "y2", "cx", "cy", "r", "width", "height"}) {
            const char* text = element->Attribute(attribute);
            if (text == nullptr || std::string(text).find('%') != std::string::npos) continue;
            const double value = std::strtod(text, nullptr);
            if (!std::isfinite(value) || value < -1 || value > std::max(width, height) + 1) {
                contents.error += std::string("coordinate ") + attribute + "=\"" + text + "\" outside the picture\n";
            }
        }
        for (auto* child = element->FirstChildElement(); child; child = child->NextSiblingElement()) {
            pending.push_back(child);
        }
    }
    return contents;
}

std::string runChart(const ResultsRun& run) {
    std::ostringstream svg;
    writeRunChartSvg(svg, run);
    return svg.str();
}

// A run of `hosts` hosts with `perHost` ranks each; the host in the middle is four times slower.
ResultsRun runOf(int hosts, int perHost) {
    std::vector<FixtureProcess> workers;
    for (int rank = 1; rank < hosts * perHost; ++rank) {
        const int host = rank / perHost;
        const double slow = hosts >= 3 && host == hosts / 2 ? 4.0 : 1.0 + 0.01 * (rank % 5);
        workers.push_back({"node" + std::to_string(host) + (host % 7 == 0 ? ".rack-a.cluster.example" : "") +
                               (host == 1 ? " <&>" : ""),
                           {0.3 * slow, 0.6 * slow, 0.07 * slow}});
    }
    return parseResults(resultsFileName("head"), resultsText({"node0", {0.3, 0.6, 0.07}}, workers));
}

void keepForLooking(const std::string& name, const std::string& svg) {
    std::ofstream(std::string(MEMBENCH_TEST_OUTPUT_DIR) + "/" + name + ".svg") << svg;
}

}  // namespace

TEST(RunChart, NamesEveryHostAndMarksTheBaselineAndTheSlowHost) {
    for (const auto& [hosts, perHost] : std::vector<std::pair<int, int>>{{1, 8}, {2, 1}, {5, 1}, {8, 8}, {64, 8}}) {
        SCOPED_TRACE(std::to_string(hosts) + " hosts of " + std::to_string(perHost));
        const ResultsRun run = runOf(hosts, perHost);
        const std::string svg = runChart(run);
        keepForLooking("run-" + std::to_string(hosts) + "x" + std::to_string(perHost), svg);
        const ChartContents chart = readChart(svg);
        ASSERT_EQ(chart.error, "");
        EXPECT_NE(chart.texts.find("2024-03-07 09:05:02"), std::string::npos);
        for (const ResultRow& row : run.rows) {
            if (row.rank > 0) {
                EXPECT_NE(chart.texts.find(row.processor + ": median "), std::string::npos) << row.processor;
            }
        }
        EXPECT_TRUE(chart.classes.count("baseline"));
        EXPECT_TRUE(chart.classes.count("baseline-level"));
        // With three hosts or more, the one four times slower is flagged, and only it.
        EXPECT_EQ(chart.classes.count("host slow"), hosts >= 3 ? 1u : 0u);
        const std::regex slowPlace("class=\"host slow\"");
        const std::ptrdiff_t slowPlaces =
            std::distance(std::sregex_iterator(svg.begin(), svg.end(), slowPlace), std::sregex_iterator());
        EXPECT_EQ(slowPlaces, hosts >= 3 ? 3 : 0) << "one slow host in each workload's panel";
    }
}

TEST(RunChart, StaysBoundedAndNamesOnlySlowHostsWhenThousandsOfRanksShareIt) {
    const ResultsRun run = runOf(512, 8);  // 4096 ranks
    const std::string svg = runChart(run);
    keepForLooking("run-512x8", svg);
    const ChartContents chart = readChart(svg);
    ASSERT_EQ(chart.error, "");
    // A place per host, not per rank: a few elements for each of 512 hosts and three workloads.
    EXPECT_LT(chart.elements, 512u * 3 * 6 + 200);
    EXPECT_NE(chart.texts.find("512 hosts"), std::string::npos);
    EXPECT_TRUE(chart.classes.count("host slow"));
}

TEST(RunChart, ExtremeFiguresGiveAFiniteAxisAndFiniteCoordinates) {
    // Every figure the parser accepts, up to the edge of what a double holds.
    for (const char* figure : {"1.5e+308", "1.7e+308", "1.79769e+308", "inf", "nan", "-0", "1e-320", "0",
                               "-5", "4.9e-324"}) {
        SCOPED_TRACE(figure);
        std::string text = resultsText({"head", {0.3, 0.6, 0.07}}, {{"a", {0.3, 0.6, 0.07}}, {"b", {0.3, 0.6, 0.07}}});
        const std::string wanted = "It was: 55.9241 Millions Allocations/sec.";
        ASSERT_NE(text.find(wanted), std::string::npos);
        text.replace(text.find(wanted), wanted.size(), std::string("It was: ") + figure + " Millions Allocations/sec.");
        const ResultsRun run = parseResults(resultsFileName("head"), text);
        const ChartContents chart = readChart(runChart(run));
        EXPECT_EQ(chart.error, "");
        EXPECT_LT(chart.elements, 200u);
    }
}

TEST(RunChart, AnyBytesInANameMakeValidXmlAndLabelsAreCutBetweenCharacters) {
    const std::string eAcute = "\xC3\xA9";
    std::string longAccented = "a";
    for (int index = 0; index < 40; ++index) longAccented += eAcute;
    for (const std::string& name : {std::string("\xFF\xFE"), longAccented, std::string("x\xEF\xBF\xBEy"),
                                    std::string("bell\x07 tab\t"), std::string("\xE2\x82"),
                                    std::string("\xED\xA0\x80 surrogate"), std::string("]]> & <!--")}) {
        SCOPED_TRACE(name);
        const ResultsRun run = parseResults(resultsFileName(name),
                                            resultsText({name, {0.3, 0.6, 0.07}}, {{name, {0.3, 0.6, 0.07}}}));
        const ChartContents chart = readChart(runChart(run));
        EXPECT_EQ(chart.error, "");
    }
}

TEST(ChartAxis, HasRoundStepsAndStaysFiniteAtTheEdges) {
    const struct {
        double highest;
        double top;
        double step;
    } cases[] = {{55.6, 60, 20}, {1, 1, 0.2}, {0, 1, 1}, {123, 125, 25}, {1.5e308, 1.5e308, 5e307}};
    for (const auto& c : cases) {
        const ChartAxis axis = chartAxisFor(c.highest);
        EXPECT_DOUBLE_EQ(axis.top, c.top) << c.highest;
        EXPECT_DOUBLE_EQ(axis.step, c.step) << c.highest;
    }
    for (double highest : {1.7e308, std::numeric_limits<double>::max(), 4.9e-324, 1e-320,
                           std::numeric_limits<double>::infinity(), std::nan("")}) {
        const ChartAxis axis = chartAxisFor(highest);
        EXPECT_TRUE(std::isfinite(axis.top) && axis.top > 0) << highest;
        EXPECT_TRUE(std::isfinite(axis.step) && axis.step > 0) << highest;
        EXPECT_GE(axis.steps, 1);
        EXPECT_LE(axis.steps, 10);
        if (std::isfinite(highest)) {
            EXPECT_GE(axis.top, highest);
        }
    }
}

TEST(SummaryChart, SetsLabelsSideBySideAndSaysHowTheyCompare) {
    std::vector<LabelledRun> runs;
    const char* labels[] = {"glibc", "jemalloc", "tcmalloc", "mimalloc"};
    const double speed[] = {1.0, 0.5, 0.6, 0.55};
    for (int label = 0; label < 4; ++label) {
        std::vector<FixtureProcess> workers;
        for (int rank = 1; rank < 64; ++rank) {
            const double s = speed[label] * (rank / 8 == 3 ? 4.0 : 1.0 + 0.01 * (rank % 3));
            workers.push_back({"host" + std::to_string(rank / 8), {0.2 * s, 0.5 * s, 0.07 * s}});
        }
        runs.push_back({labels[label],
                        parseResults(resultsFileName("host0"), resultsText({"host0", {0.2, 0.5, 0.07}}, workers)),
                        {}});
    }
    std::ostringstream svg;
    writeSummaryChartSvg(svg, summarise(runs), "cluster-membench summary of 4 runs: glibc, jemalloc, tcmalloc, mimalloc");
    keepForLooking("summary-4-labels", svg.str());
    const ChartContents chart = readChart(svg.str());
    ASSERT_EQ(chart.error, "");
    // AllocateAndFree: the hosts' medians are 83.06 (glibc) and twice that (jemalloc).
    EXPECT_NE(chart.texts.find("8 hosts, fastest first. Medians: glibc 83.1 (0.50x) \xC2\xB7 "
                               "jemalloc 166 (fastest) \xC2\xB7 tcmalloc 138 (0.83x) \xC2\xB7 mimalloc 151 (0.91x)"),
              std::string::npos)
        << chart.texts;
    EXPECT_TRUE(chart.classes.count("host slow"));
}
