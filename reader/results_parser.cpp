#include "reader/results_parser.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "reader/utf8_text.h"

#include "report/report_text.h"
#include "workloads/phase_figures.h"
#include "workloads/workload_facts.h"

ResultsFormatError::ResultsFormatError(const std::string& fileName, int lineNumber,
                                       const std::string& problem)
    : file(fileName),
      line(lineNumber),
      message(fileName + (lineNumber > 0 ? ":" + std::to_string(lineNumber) : "") + ": " + problem) {}

namespace {

// Hands out the lines of one file in order, reading them as they are wanted (so a file that is
// not a results file is refused at its first line), and says where a problem lies. A line
// longer than any the benchmark writes, or a file longer than any job's, ends the reading.
struct LineCursor {
    const std::string& file;
    std::istream& in;
    int taken = 0;                // lines handed out so far
    bool lastHadLineEnd = true;   // whether the line last handed out ended with '\n'
    std::uint64_t bytesRead = 0;
    std::string current;

    int lineNumber() const { return taken; }  // of the line last taken

    [[noreturn]] void fail(const std::string& problem) const {
        throw ResultsFormatError(file, lineNumber(), problem);
    }

    // The next line without its line end (LF or CR LF), or false at the end of the file.
    bool next(std::string& line) {
        line.clear();
        int character = std::char_traits<char>::eof();
        const std::uint64_t before = bytesRead;
        while ((character = in.get()) != std::char_traits<char>::eof()) {
            if (++bytesRead > kLargestResultsFile) {
                throw ResultsFormatError(file, 0, "longer than any results file (more than " +
                                                      std::to_string(kLargestResultsFile) + " bytes)");
            }
            if (character == '\n') break;
            if (line.size() >= kLongestResultsLine) {
                throw ResultsFormatError(file, taken + 1,
                                         "a line longer than " + std::to_string(kLongestResultsLine) +
                                             " bytes, which the benchmark never writes (\"" +
                                             lineExcerpt(line) + "\")");
            }
            line += static_cast<char>(character);
        }
        if (in.bad()) throw ResultsFormatError(file, taken + 1, "reading failed");
        if (bytesRead == before) return false;  // nothing left
        lastHadLineEnd = character == '\n';
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ++taken;
        return true;
    }

    const std::string& take(const std::string& expected) {
        if (!next(current)) {
            throw ResultsFormatError(file, taken + 1, "the file ends early; expected " + expected);
        }
        return current;
    }

    void expectLine(const std::string& literal) {
        const std::string& line = take("\"" + literal + "\"");
        if (line != literal) fail("expected \"" + literal + "\", found \"" + lineExcerpt(line) + "\"");
    }

    void expectBlank() {
        const std::string& line = take("a blank line");
        if (!line.empty()) fail("expected a blank line, found \"" + lineExcerpt(line) + "\"");
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
    // An underflow (a denormal figure, which "%g" can write) is a number; an overflow is not.
    return end == text.c_str() + text.size() && !(errno == ERANGE && std::fabs(value) > 1.0);
}

// prefix, a number, suffix: the number's text and value.
void expectFigure(LineCursor& cursor, const std::string& prefix, const std::string& suffix,
                  std::string& text, double& value) {
    const std::string wanted = "\"" + prefix + "<number>" + suffix + "\"";
    const std::string& line = cursor.take(wanted);
    if (!startsWith(line, prefix) || !endsWith(line, suffix) ||
        line.size() < prefix.size() + suffix.size()) {
        cursor.fail("expected " + wanted + ", found \"" + lineExcerpt(line) + "\"");
    }
    text = line.substr(prefix.size(), line.size() - prefix.size() - suffix.size());
    if (!readNumber(text, value)) cursor.fail("\"" + lineExcerpt(text) + "\" is not a number");
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
        cursor.fail("expected " + wanted + ", found \"" + lineExcerpt(line) + "\"");
    }
    name = line.substr(prefix.size(), labelAt - prefix.size());
    const std::size_t numberAt = labelAt + 1 + label.size();
    if (numberAt + unit.size() > line.size()) {
        cursor.fail("expected " + wanted + ", found \"" + lineExcerpt(line) + "\"");
    }
    text = line.substr(numberAt, line.size() - unit.size() - numberAt);
    if (!readNumber(text, value)) cursor.fail("\"" + lineExcerpt(text) + "\" is not a number");
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
        cursor.fail("processor \"" + lineExcerpt(rateName) + "\" differs from \"" +
                    lineExcerpt(row.processor) + "\" on the line before");
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

ResultsRun parseResults(const std::string& file, std::istream& in) {
    LineCursor cursor{file, in, 0, true, 0, {}};
    ResultsRun run;
    run.file = file;
    readFileName(file, run);

    std::string first;
    if (!cursor.next(first) || first != kFileTitle) {
        throw ResultsFormatError(file, 1, "not a results file of cluster-membench (its first line is not \"" +
                                              std::string(kFileTitle) + "\")");
    }
    cursor.expectBlank();
    std::string countText;
    double count = 0;
    expectFigure(cursor, kProcessCountLabel, "", countText, count);
    if (countText.find_first_not_of("0123456789") != std::string::npos || count < 1 || count > 1e9) {
        cursor.fail("\"" + lineExcerpt(countText) + "\" is not a process count");
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
    if (!cursor.lastHadLineEnd) cursor.fail("the last line has no line end: the file is cut short");
    std::string extra;
    if (cursor.next(extra)) {
        cursor.fail("unexpected line after the end of the report: \"" + lineExcerpt(extra) + "\"");
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

ResultsRun parseResults(const std::string& file, const std::string& text) {
    std::istringstream in(text);
    return parseResults(file, in);
}

ResultsRun readResultsFile(const std::string& file) {
    // Only a regular file is opened: a folder, a FIFO (whose opening would block until a writer
    // comes) or a device (which may never end) is refused before it is touched.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (error) throw ResultsFormatError(file, 0, "cannot be read: " + error.message());
    if (!std::filesystem::is_regular_file(status)) throw ResultsFormatError(file, 0, "not a regular file");
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!error && size > kLargestResultsFile) {
        throw ResultsFormatError(file, 0, "is " + std::to_string(size) +
                                              " bytes long, more than any results file (the limit is " +
                                              std::to_string(kLargestResultsFile) + " bytes)");
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) throw ResultsFormatError(file, 0, std::string("cannot be read: ") + std::strerror(errno));
    return parseResults(file, in);
}
