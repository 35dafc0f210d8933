// cluster-membench-results: reads results files written by cluster-membench and prints their
// figures as CSV or JSON, optionally with a chart of one run; `summary` pools several runs per
// label, workload and host.

#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "reader/exports.h"
#include "reader/results_parser.h"
#include "reader/summary.h"
#include "reader/summary_inputs.h"
#include "reader/svg_chart.h"

namespace {

constexpr const char* kProgram = "cluster-membench-results";

// Writes the chart beside its destination first and renames it into place only when it is
// complete, so a failure never leaves a half-written chart.
bool writeChartFile(const std::string& path, const std::function<void(std::ostream&)>& draw) {
    const std::string partial = path + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out) {
            std::cerr << kProgram << ": cannot write " << partial << "\n";
            return false;
        }
        draw(out);
        out.close();
        if (!out) {
            std::cerr << kProgram << ": writing " << partial << " failed\n";
            std::remove(partial.c_str());
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) {
        std::cerr << kProgram << ": cannot move the chart to " << path << ": " << error.message() << "\n";
        std::remove(partial.c_str());
        return false;
    }
    return true;
}

int finish() {
    std::cout.flush();
    if (std::cout) return 0;
    std::cerr << kProgram << ": writing to standard output failed\n";
    return 1;
}

int printRows(const std::vector<std::string>& files, const std::string& format, const std::string& chart) {
    if (!chart.empty() && files.size() != 1) {
        std::cerr << kProgram << ": --chart draws one run; give exactly one FILE\n";
        return 2;
    }
    std::vector<ResultsRun> runs;
    for (const std::string& file : files) runs.push_back(readResultsFile(file));
    if (!chart.empty() &&
        !writeChartFile(chart, [&](std::ostream& out) { writeRunChartSvg(out, runs.front()); })) {
        return 1;
    }
    if (format == "json") {
        writeJson(std::cout, runs);
    } else {
        writeCsv(std::cout, runs);
    }
    return finish();
}

int printSummary(const std::vector<std::string>& paths, const std::string& format, const std::string& chart) {
    std::vector<LabelledRun> runs;
    std::string labels;
    for (const std::string& path : paths) {
        const LabelledFiles found = findResultsFiles(path);
        if (labels.find(found.label) == std::string::npos) labels += (labels.empty() ? "" : ", ") + found.label;
        for (const std::string& file : found.files) runs.push_back(readLabelledRun(found.label, file));
    }
    const std::vector<SummaryRow> rows = summarise(runs);
    const std::string title = "cluster-membench summary of " + std::to_string(runs.size()) + " run" +
                              (runs.size() == 1 ? "" : "s") + ": " + labels;
    if (!chart.empty() &&
        !writeChartFile(chart, [&](std::ostream& out) { writeSummaryChartSvg(out, rows, title); })) {
        return 1;
    }
    if (format == "json") {
        writeSummaryJson(std::cout, rows);
    } else {
        writeSummaryCsv(std::cout, rows);
    }
    return finish();
}

int run(int argc, char** argv) {
    CLI::App app{
        "Reads results files of cluster-membench and prints one row per file, workload and process\n"
        "(rank 0 is the root's single-process baseline) as CSV, or as JSON with --format json.\n"
        "Every file is checked against the layout the benchmark writes; a file that does not\n"
        "follow it is reported with its line, and nothing is printed or written.\n"
        "`summary` pools several runs per label, workload and host (see summary --help).",
        kProgram};
    app.set_version_flag("--version", std::string(kProgram) + " " + MEMBENCH_VERSION);
    std::vector<std::string> files;
    std::string format = "csv";
    std::string chart;
    app.add_option("FILE", files, "results files (LF or CR LF line ends)");
    app.add_option("--format", format, "csv (default) or json")->check(CLI::IsMember({"csv", "json"}));
    app.add_option("--chart", chart, "also write an SVG chart of the run to this file (needs exactly one FILE)");

    CLI::App* summary = app.add_subcommand(
        "summary",
        "Pools the figures of several runs: one row per label, workload, role (baseline: rank 0\n"
        "measured alone; worker) and host, with runs, samples, median, min, max, spread (1.4826 x\n"
        "MAD / median), slow (more than 10 % and 3 scaled MADs below the median of the label's\n"
        "hosts, with 3 hosts or more) and the peak resident memory where the runs recorded it.\n"
        "A folder stands for every results file under it and gives them its name as label.");
    std::vector<std::string> paths;
    std::string summaryFormat = "csv";
    std::string summaryChart;
    summary->add_option("PATH", paths, "results files and folders of them")->required();
    summary->add_option("--format", summaryFormat, "csv (default) or json")->check(CLI::IsMember({"csv", "json"}));
    summary->add_option("--chart", summaryChart, "also write an SVG chart of the summary to this file");
    CLI11_PARSE(app, argc, argv);

    if (summary->parsed()) return printSummary(paths, summaryFormat, summaryChart);
    if (files.empty()) {
        std::cerr << kProgram << ": give at least one FILE (see --help)\n";
        return 2;
    }
    return printRows(files, format, chart);
}

}  // namespace

// Every failure ends with one message and status 1: a file that is not a results file, one
// that cannot be read, and running out of memory alike; nothing is printed or written then.
int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const ResultsFormatError& error) {
        std::cerr << kProgram << ": " << error.what() << "\n";
    } catch (const std::bad_alloc&) {
        std::cerr << kProgram << ": out of memory\n";
    } catch (const std::exception& error) {
        std::cerr << kProgram << ": " << error.what() << "\n";
    }
    return 1;
}
