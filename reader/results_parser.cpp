#include "reader/results_parser.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "report/report_text.h"
#include "workloads/phase_figures.h"
#include "workloads/workload_facts.h"

ResultsFormatError::ResultsFormatError(const std::string& fileName, int lineNumber,
                                       const std::string& problem)
    : file(fileName),
      line(lineNumber),
      message(fileName + (lineNumber > 0 ? ":" + std::to_string(lineNumber) : "") + ": " + problem) {}

namespace {

// Walks the lines of one file, in order, and says where a problem lies.
struct LineCursor {
    const std::string& file;
    std::vector<std::string> lines;
    std::size_t next = 0;

    int lineNumber() const { return static_cast<int>(next); }  // of the line last taken

    [[noreturn]] void fail(const std::string& problem) const {
        throw ResultsFormatError(file, lineNumber(), problem);
    }

    const std::string& take(const std::string& expected) {
        if (next >= lines.size()) {
            throw ResultsFormatError(file, static_cast<int>(lines.size()) + 1,
                                     "the file ends early; expected " + expected);
        }
        return lines[next++];
    }

    void expectLine(const std::string& literal) {
        const std::string& line = take("\"" + literal + "\"");
        if (line != literal) fail("expected \"" + literal + "\", found \"" + line + "\"");
    }

    void expectBlank() {
        const std::string& line = take("a blank line");
        if (!line.empty()) fail("expected a blank line, found \"" + line + "\"");
    }
};

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A number as "%g" writes it (including inf and nan); false for anything else.
bool readNumber(const std::string& text, double& value) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0])) || text[0] == '+') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && errno != ERANGE;
}

// prefix, a number, suffix: the number's text and value.
void expectFigure(LineCursor& cursor, const std::string& prefix, const std::string& suffix,
                  std::string& text, double& value) {
    const std::string wanted = "\"" + prefix + "<number>" + suffix + "\"";
    const std::string& line = cursor.take(wanted);
    if (!startsWith(line, prefix) || !endsWith(line, suffix) ||
        line.size() < prefix.size() + suffix.size()) {
        cursor.fail("expected " + wanted + ", found \"" + line + "\"");
    }
    text = line.substr(prefix.size(), line.size() - prefix.size() - suffix.size());
    if (!readNumber(text, value)) cursor.fail("\"" + text + "\" is not a number");
}

void expectFigure(LineCursor& cursor, const std::string& prefix, const std::string& suffix) {
    std::string text;
    double value = 0;
    expectFigure(cursor, prefix, suffix, text, value);
}

// "Thread:<rank> @<name> <label><number><unit>": the name may hold blanks and at-signs, so it
// is what lies between " @" and the label's last occurrence.
void expectWorkerFigure(LineCursor& cursor, int rank, const std::string& label,
                        const std::string& unit, std::string& name, std::string& text,
                        double& value) {
    const std::string prefix = std::string(kWorkerPrefix) + std::to_string(rank) + " " + kWorkerNamePrefix;
    const std::string wanted = "\"" + prefix + "<processor> " + label + "<number>" + unit + "\"";
    const std::string& line = cursor.take(wanted);
    const std::size_t labelAt = line.rfind(" " + label);
    if (!startsWith(line, prefix) || !endsWith(line, unit) || labelAt == std::string::npos ||
        labelAt < prefix.size()) {
        cursor.fail("expected " + wanted + ", found \"" + line + "\"");
    }
    name = line.substr(prefix.size(), labelAt - prefix.size());
    const std::size_t numberAt = labelAt + 1 + label.size();
    if (numberAt + unit.size() > line.size()) cursor.fail("expected " + wanted + ", found \"" + line + "\"");
    text = line.substr(numberAt, line.size() - unit.size() - numberAt);
    if (!readNumber(text, value)) cursor.fail("\"" + text + "\" is not a number");
}

std::string bandwidthText(LineCursor& cursor, double& value) {
    std::string text;
    expectFigure(cursor, kBandwidthLabel, kBandwidthUnit, text, value);
    return text;
}

// Time, millions and (where the workload has one) bandwidth lines of the baseline.
ResultRow readBaselineFigures(LineCursor& cursor, const WorkloadFacts& facts) {
    ResultRow row;
    row.workload = facts.name;
    row.rank = 0;
    expectFigure(cursor, kTimeLabel, kSecondsUnit, row.spentSecondsText, row.spentSeconds);
    expectFigure(cursor, kRateLabel, facts.rateUnit, row.millionsPerSecondText, row.millionsPerSecond);
    if (facts.hasBandwidthFigure) {
        double value = 0;
        row.megabytesPerSecondText = bandwidthText(cursor, value);
        row.megabytesPerSecond = value;
    }
    return row;
}

ResultRow readWorkerGroup(LineCursor& cursor, const WorkloadFacts& facts, int rank) {
    ResultRow row;
    row.workload = facts.name;
    row.rank = rank;
    std::string rateName;
    expectWorkerFigure(cursor, rank, facts.workerSpentLabelFile, kSecondsUnit, row.processor,
                       row.spentSecondsText, row.spentSeconds);
    expectWorkerFigure(cursor, rank, kRateLabel, facts.rateUnit, rateName,
                       row.millionsPerSecondText, row.millionsPerSecond);
    if (rateName != row.processor) {
        cursor.fail("processor \"" + rateName + "\" differs from \"" + row.processor +
                    "\" on the line before");
    }
    if (facts.hasBandwidthFigure) {
        double value = 0;
        row.megabytesPerSecondText = bandwidthText(cursor, value);
        row.megabytesPerSecond = value;
    }
    return row;
}

void readClusterSection(LineCursor& cursor, const WorkloadFacts& facts, int processes,
                        std::vector<ResultRow>& rows) {
    if (facts.blankBeforeSection) cursor.expectBlank();
    cursor.expectLine(kClusterHeading);
    cursor.expectBlank();
    cursor.expectLine(facts.heading);
    for (int rank = 1; rank < processes; ++rank) rows.push_back(readWorkerGroup(cursor, facts, rank));
    cursor.expectBlank();
    expectFigure(cursor, facts.overallLabel, facts.rateUnit);
    if (facts.hasBandwidthFigure) {
        expectFigure(cursor, kBandwidthLabel, kBandwidthUnit);
        cursor.expectBlank();
    }
    expectFigure(cursor, kImprovementLabel, kImprovementUnit);
    cursor.expectBlank();
    expectFigure(cursor, kAverageLabelFile, facts.averageUnit);
    if (facts.hasBandwidthFigure) expectFigure(cursor, kBandwidthLabel, kBandwidthUnit);
    if (facts.blankAfterSection) cursor.expectBlank();
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool complete = end != std::string::npos;
        if (!complete) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// "results_memory_windows_clusters @ <processor> @ local date YYYY.MM.DD time HH.MM.SS.txt"
void readFileName(const std::string& file, ResultsRun& run) {
    const std::size_t slash = file.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
    const std::string prefix = kResultsFilePrefix;
    const std::string stampStart = std::string(kResultsFileSeparator) + "local date ";
    // " @ local date 2024.03.07 time 09.05.02.txt": the stamp has a fixed length.
    const std::size_t stampLength = stampStart.size() + 10 + 6 + 8 + 4;
    if (!startsWith(name, prefix) || name.size() < prefix.size() + stampLength) return;
    const std::string stamp = name.substr(name.size() - stampLength);
    if (!startsWith(stamp, stampStart)) return;
    const std::string date = stamp.substr(stampStart.size(), 10);  // YYYY.MM.DD
    const std::string time = stamp.substr(stampStart.size() + 16, 8);  // HH.MM.SS
    auto digitsAt = [](const std::string& text, std::initializer_list<int> positions) {
        for (int at : positions) {
            if (!std::isdigit(static_cast<unsigned char>(text[at]))) return false;
        }
        return true;
    };
    if (stamp.compare(stampStart.size() + 10, 6, " time ") != 0 || !endsWith(stamp, ".txt") ||
        !digitsAt(date, {0, 1, 2, 3, 5, 6, 8, 9}) || date[4] != '.' || date[7] != '.' ||
        !digitsAt(time, {0, 1, 3, 4, 6, 7}) || time[2] != '.' || time[5] != '.') {
        return;
    }
    run.processor = name.substr(prefix.size(), name.size() - prefix.size() - stampLength);
    run.date = date.substr(0, 4) + "-" + date.substr(5, 2) + "-" + date.substr(8, 2);
    run.time = time.substr(0, 2) + ":" + time.substr(3, 2) + ":" + time.substr(6, 2);
}

}  // namespace

ResultsRun parseResults(const std::string& file, const std::string& text) {
    LineCursor cursor{file, splitLines(text)};
    ResultsRun run;
    run.file = file;
    readFileName(file, run);

    if (cursor.lines.empty() || cursor.lines[0] != kFileTitle) {
        throw ResultsFormatError(file, 1, "not a results file of cluster-membench (its first line is not \"" +
                                              std::string(kFileTitle) + "\")");
    }
    cursor.expectLine(kFileTitle);
    cursor.expectBlank();
    std::string countText;
    double count = 0;
    expectFigure(cursor, kProcessCountLabel, "", countText, count);
    if (countText.find_first_not_of("0123456789") != std::string::npos || count < 1 || count > 1e9) {
        cursor.fail("\"" + countText + "\" is not a process count");
    }
    run.processes = static_cast<int>(count);
    cursor.expectBlank();
    cursor.expectLine(kSingleProcessNote);
    cursor.expectBlank();

    std::vector<ResultRow> baseline;
    for (const WorkloadFacts& facts : kWorkloads) {
        cursor.expectLine(facts.heading);
        baseline.push_back(readBaselineFigures(cursor, facts));
        baseline.back().processor = run.processor;
        cursor.expectBlank();
        if (facts.blankAfterBaseline) cursor.expectBlank();
    }

    std::vector<ResultRow> workers;
    if (run.processes > 1) {
        for (const WorkloadFacts& facts : kWorkloads) readClusterSection(cursor, facts, run.processes, workers);
    }
    if (!text.empty() && text.back() != '\n') {
        cursor.fail("the last line has no line end: the file is cut short");
    }
    if (cursor.next < cursor.lines.size()) {
        ++cursor.next;
        cursor.fail("unexpected line after the end of the report: \"" + cursor.lines[cursor.next - 1] + "\"");
    }

    // Workload by workload: the baseline, then the workers.
    const std::size_t perWorkload = static_cast<std::size_t>(run.processes - 1);
    for (int index = 0; index < kWorkloadCount; ++index) {
        run.rows.push_back(baseline[index]);
        for (std::size_t worker = 0; worker < perWorkload; ++worker) {
            run.rows.push_back(workers[index * perWorkload + worker]);
        }
    }
    return run;
}

ResultsRun readResultsFile(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw ResultsFormatError(file, 0, std::string("cannot be read: ") + std::strerror(errno));
    std::ostringstream text;
    text << in.rdbuf();
    return parseResults(file, text.str());
}
