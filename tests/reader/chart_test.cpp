#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <fstream>
#include <limits>
#include <set>
#include <sstream>

#include "reader/results_parser.h"
#include "reader/svg_chart.h"
#include "results_fixture.h"

TEST(FarBelowOthers, FlagsOnlyValuesMoreThanThreeScaledDeviationsUnderTheMedian) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        std::vector<double> values;
        std::vector<bool> flagged;
    } cases[] = {
        {{10, 10.5, 9.5, 10.2, 1}, {false, false, false, false, true}},
        {{10, 9, 11}, {false, false, false}},
        {{10, 1}, {false, false}},                 // too few to tell
        {{10, 10, 10}, {false, false, false}},
        {{10, 10.1, 9.9, inf, 2}, {false, false, false, false, true}},
        {{100, 101, 99, 102, 98, 60}, {false, false, false, false, false, true}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(farBelowOthers(c.values), c.flagged);
    }
}

namespace {

// Parses the chart as XML and gathers every text and tooltip.
void readChart(const std::string& svg, std::string& texts, std::set<std::string>& classes) {
    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.Parse(svg.c_str()), tinyxml2::XML_SUCCESS) << document.ErrorStr();
    ASSERT_STREQ(document.RootElement()->Name(), "svg");
    std::vector<const tinyxml2::XMLElement*> pending = {document.RootElement()};
    while (!pending.empty()) {
        const tinyxml2::XMLElement* element = pending.back();
        pending.pop_back();
        if (element->GetText()) texts += std::string(element->GetText()) + "\n";
        if (const char* name = element->Attribute("class")) classes.insert(name);
        for (auto* child = element->FirstChildElement(); child; child = child->NextSiblingElement()) {
            pending.push_back(child);
        }
    }
}

ResultsRun runOf(int processes) {
    std::vector<FixtureProcess> workers;
    for (int rank = 1; rank < processes; ++rank) {
        const double slow = rank == processes / 2 ? 4.0 : 1.0 + 0.01 * (rank % 5);
        workers.push_back({"node" + std::to_string(rank) + (rank % 7 == 0 ? ".rack-a.cluster.example" : "") +
                               (rank == 1 ? " <&>" : ""),
                           {0.3 * slow, 0.6 * slow, 0.07 * slow}});
    }
    return parseResults(resultsFileName("head"), resultsText({"head", {0.3, 0.6, 0.07}}, workers));
}

}  // namespace

TEST(ResultsChart, IsWellFormedSvgNamingEveryProcessAndMarkingBaselineAndSlowWorkers) {
    for (int processes : {2, 5, 64}) {
        SCOPED_TRACE(std::to_string(processes) + " processes");
        const ResultsRun run = runOf(processes);
        std::ostringstream svg;
        writeChartSvg(svg, run);
        // Left in the build tree to be looked at.
        std::ofstream(std::string(MEMBENCH_TEST_OUTPUT_DIR) + "/chart-" + std::to_string(processes) + ".svg")
            << svg.str();

        std::string texts;
        std::set<std::string> classes;
        readChart(svg.str(), texts, classes);
        EXPECT_NE(texts.find("2024-03-07 09:05:02"), std::string::npos);
        for (const ResultRow& row : run.rows) {
            EXPECT_NE(texts.find(std::to_string(row.rank) + ": " + row.processor + ": "), std::string::npos)
                << row.processor;
        }
        EXPECT_TRUE(classes.count("baseline"));
        EXPECT_TRUE(classes.count("baseline-level"));
        // With 5 and 64 processes one worker is four times slower than the rest.
        EXPECT_EQ(classes.count("worker far-below"), processes >= 5 ? 1u : 0u);
    }
}
