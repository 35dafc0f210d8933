#include "reader_input_check.h"

#include <nlohmann/json.hpp>
#include <tinyxml2.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "reader/exports.h"
#include "reader/results_parser.h"
#include "reader/summary.h"
#include "reader/svg_chart.h"
#include "report/report_text.h"

namespace {

std::string jsonProblem(const std::string& what, const std::string& text) {
    if (!nlohmann::json::accept(text)) return what + " is not valid JSON";
    return "";
}

std::string svgProblem(const std::string& what, const std::string& svg, std::size_t rows) {
    tinyxml2::XMLDocument document;
    if (document.Parse(svg.c_str(), svg.size()) != tinyxml2::XML_SUCCESS) {
        return what + " is not valid XML: " + document.ErrorStr();
    }
    // A few hundred bytes per host and workload, and a fixed frame.
    if (svg.size() > 50000 + 2000 * rows) return what + " is " + std::to_string(svg.size()) + " bytes long";
    // Every coordinate and length is a finite number (read from the parsed document: a name may
    // hold anything, "nan" or ' x="' included).
    std::vector<const tinyxml2::XMLElement*> pending = {document.RootElement()};
    while (!pending.empty()) {
        const tinyxml2::XMLElement* element = pending.back();
        pending.pop_back();
        for (const char* name : {"x", "y", "x1", "y1", "x2", "y2", "cx", "cy", "r", "width", "height"}) {
            const char* value = element->Attribute(name);
            if (value == nullptr || std::strcmp(value, "100%") == 0) continue;
            char* end = nullptr;
            const double number = std::strtod(value, &end);
            if (end == value || *end != '\0' || !std::isfinite(number)) {
                return what + " has " + name + "=\"" + value + "\", not a finite number";
            }
        }
        for (auto* child = element->FirstChildElement(); child; child = child->NextSiblingElement()) {
            pending.push_back(child);
        }
    }
    return "";
}

}  // namespace

std::string checkReaderInput(const std::string& input) {
    std::string name = "node";
    std::string text = input;
    const std::size_t zero = input.find('\0');
    if (zero != std::string::npos && zero < 300) {
        name = input.substr(0, zero);
        text = input.substr(zero + 1);
    }
    const std::string file =
        std::string(kResultsFilePrefix) + name + " @ local date 2024.03.07 time 09.05.02.txt";
    ResultsRun run;
    try {
        run = parseResults(file, text);
    } catch (const ResultsFormatError&) {
        return "";
    }

    std::ostringstream csv, json, summaryCsv, summaryJson, runChart, summaryChart;
    writeCsv(csv, {run});
    writeJson(json, {run});
    const std::vector<SummaryRow> rows = summarise({{"label", run, {{0, 1024.0}}}});
    writeSummaryCsv(summaryCsv, rows);
    writeSummaryJson(summaryJson, rows);
    writeRunChartSvg(runChart, run);
    writeSummaryChartSvg(summaryChart, rows, name);

    for (const std::string& problem :
         {jsonProblem("the rows' JSON", json.str()), jsonProblem("the summary's JSON", summaryJson.str()),
          svgProblem("the run's chart", runChart.str(), run.rows.size()),
          svgProblem("the summary's chart", summaryChart.str(), rows.size())}) {
        if (!problem.empty()) return problem;
    }
    return "";
}
