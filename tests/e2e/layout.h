#pragma once

// The report's layout as line patterns (literal texts with placeholders for the figures), and
// the figures read back from a report that matched it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace e2e {

// Regex of one general number as C's "%g" writes it, captured.
extern const std::string kNumber;
// Regex-escaped literal text.
std::string literal(const std::string& text);

enum class Stream { Console, File };

// Expected lines of a whole run: the console up to the prompt, or the whole results file.
// workerNames[s - 1] is the processor name of worker s.
std::vector<std::string> reportLayout(Stream stream, int worldSize,
                                      const std::vector<std::string>& workerNames);

// Line by line, every line against its pattern, and no line more or fewer. The captures of
// all lines, in order, go to captures; every number among them must read back as written.
testing::AssertionResult matchLayout(const std::vector<std::string>& lines,
                                     const std::vector<std::string>& layout,
                                     std::vector<std::string>* captures);

struct FigureLines {
    double spent = 0, millions = 0, megabytes = 0;
};

struct SectionFigures {
    std::vector<FigureLines> workers;
    double overallMillions = 0, overallMegabytes = 0, improvement = 0;
    double averageMillions = 0, averageMegabytes = 0;
};

struct ReportFigures {
    FigureLines baseline[3];
    std::vector<SectionFigures> sections;  // empty for one process
    std::string resultsPath;               // console only
};

// Reads the captures of a matched report back into figures.
ReportFigures readFigures(const std::vector<std::string>& captures, Stream stream, int worldSize);

// Checks every relation between printed figures: rate against spent time, megabytes against
// millions, sum, improvement over the baseline, average per worker.
void expectConsistentFigures(const ReportFigures& figures);

}  // namespace e2e
