// cluster-membench-results: reads results files written by cluster-membench and prints their
// figures as CSV or JSON, and optionally draws a chart of one run.

#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "reader/exports.h"
#include "reader/results_parser.h"
#include "reader/svg_chart.h"

namespace {

// Writes the chart beside its destination first and renames it into place only when it is
// complete, so a failure never leaves a half-written chart.
bool writeChartFile(const std::string& path, const ResultsRun& run) {
    const std::string partial = path + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out) {
            std::cerr << "cluster-membench-results: cannot write " << partial << "\n";
            return false;
        }
        writeChartSvg(out, run);
        out.close();
        if (!out) {
            std::cerr << "cluster-membench-results: writing " << partial << " failed\n";
            std::remove(partial.c_str());
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) {
        std::cerr << "cluster-membench-results: cannot move the chart to " << path << ": "
                  << error.message() << "\n";
        std::remove(partial.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Reads results files of cluster-membench and prints one row per file, workload and process\n"
        "(rank 0 is the root's single-process baseline) as CSV, or as JSON with --format json.\n"
        "Every file is checked against the layout the benchmark writes; a file that does not\n"
        "follow it is reported with its line, and nothing is printed or written.",
        "cluster-membench-results"};
    std::vector<std::string> files;
    std::string format = "csv";
    std::string chart;
    app.add_option("FILE", files, "results files (LF or CR LF line ends)")->required();
    app.add_option("--format", format, "csv (default) or json")
        ->check(CLI::IsMember({"csv", "json"}));
    app.add_option("--chart", chart,
                   "also write an SVG chart of the run to this file (needs exactly one FILE)");
    CLI11_PARSE(app, argc, argv);

    if (!chart.empty() && files.size() != 1) {
        std::cerr << "cluster-membench-results: --chart draws one run; give exactly one FILE\n";
        return 2;
    }

    std::vector<ResultsRun> runs;
    for (const std::string& file : files) {
        try {
            runs.push_back(readResultsFile(file));
        } catch (const ResultsFormatError& error) {
            std::cerr << "cluster-membench-results: " << error.what() << "\n";
            return 1;
        }
    }
    if (!chart.empty() && !writeChartFile(chart, runs.front())) return 1;
    if (format == "json") {
        writeJson(std::cout, runs);
    } else {
        writeCsv(std::cout, runs);
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}
