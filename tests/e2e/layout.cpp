#include "layout.h"

#include <cmath>
#include <cstdio>
#include <regex>

namespace e2e {

const std::string kNumber = R"((inf|-?[0-9]+(?:\.[0-9]+)?(?:e[+-][0-9]{2,3})?))";

std::string literal(const std::string& text) {
    static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
    return std::regex_replace(text, special, R"(\$&)");
}

namespace {

const char* kHeadings[3] = {"Power of Memory Allocation.", "Low speeds:", "High speeds:"};
const char* kUnits[3] = {" Millions Allocations/sec.", " Millions Executions/sec.",
                         " Millions Executions/sec."};

void figureLines(std::vector<std::string>& out, int workload) {
    out.push_back(literal("The system spent: ") + kNumber + literal(" Secs. "));
    out.push_back(literal("It was: ") + kNumber + literal(kUnits[workload]));
    if (workload > 0) out.push_back(literal("Conventionally, it was: ") + kNumber + literal(" MB/sec."));
}

void clusterSection(std::vector<std::string>& out, Stream stream, int workload,
                    const std::vector<std::string>& workerNames) {
    const bool console = stream == Stream::Console;
    const char* spentLabels[3] = {"This thread spent: ",
                                  console ? "The system spent: " : "The spent: ",
                                  "The system spent: "};
    const char* overall[3] = {"Overall, it was: ", "Overall, It was: ", "Overall, It was: "};
    const char* averageUnits[3] = {" Millions Allocations/sec.", " Millions Millions Executions/sec.",
                                   " Millions Millions Executions/sec."};
    const std::string megabytes = literal("Conventionally, it was: ") + kNumber + literal(" MB/sec.");

    if (workload > 0) out.push_back("");
    out.push_back(literal("Multi-Thread Enabled:"));
    out.push_back("");
    out.push_back(literal(kHeadings[workload]));
    for (std::size_t index = 0; index < workerNames.size(); ++index) {
        const std::string who =
            literal("Thread:" + std::to_string(index + 1) + " @" + workerNames[index] + " ");
        out.push_back(who + literal(spentLabels[workload]) + kNumber + literal(" Secs. "));
        out.push_back(who + literal("It was: ") + kNumber + literal(kUnits[workload]));
        if (workload > 0) out.push_back(megabytes);
    }
    out.push_back("");
    out.push_back(literal(overall[workload]) + kNumber + literal(kUnits[workload]));
    if (workload > 0) {
        out.push_back(megabytes);
        out.push_back("");
    }
    out.push_back(literal("Multi-Thread Improvements: ") + kNumber + literal(" times."));
    out.push_back("");
    out.push_back(literal(console ? "Among all nodes, the average per thread was: "
                                  : "Among all nodes, the average per thread  was: ") +
                  kNumber + literal(averageUnits[workload]));
    if (workload > 0) out.push_back(megabytes);
    if (workload < 2) out.push_back("");
}

}  // namespace

std::vector<std::string> reportLayout(Stream stream, int worldSize,
                                      const std::vector<std::string>& workerNames) {
    std::vector<std::string> out;
    const std::string count = literal("Thread(s): " + std::to_string(worldSize));
    if (stream == Stream::Console) {
        out.push_back("");
        out.push_back(literal("Tarvonet :: Quellwright Benchmark MultiProcessor Memory for Windows "
                              "Clusters on x86 64bit system 2022.10.31"));
        out.push_back(".+");  // notice line
        out.push_back(".+");  // contact line
        out.insert(out.end(), {"", "", "", count, ""});
    } else {
        out.push_back(literal("Tarvonet :: Quellwright Benchmark MultiProcessor Memory for Windows "
                              "Clusters on x86 64it system 2022.10.31."));
        out.insert(out.end(), {"", count, ""});
    }
    out.push_back(literal("Force to be single thread."));
    out.push_back("");
    for (int workload = 0; workload < 3; ++workload) {
        out.push_back(literal(kHeadings[workload]));
        figureLines(out, workload);
        out.push_back("");
    }
    out.push_back("");
    if (worldSize > 1) {
        for (int workload = 0; workload < 3; ++workload) {
            clusterSection(out, stream, workload, workerNames);
        }
    }
    if (stream == Stream::Console) {
        out.insert(out.end(), {"", ""});
        out.push_back(literal("Results have been saved in a file and you can find it at: ") + "(.+)");
        out.push_back("");
        out.push_back(literal("Press Enter to Exit."));
    }
    return out;
}

testing::AssertionResult matchLayout(const std::vector<std::string>& lines,
                                     const std::vector<std::string>& layout,
                                     std::vector<std::string>* captures) {
    static const std::regex number("^" + kNumber + "$");
    for (std::size_t index = 0; index < std::max(lines.size(), layout.size()); ++index) {
        if (index >= lines.size()) {
            return testing::AssertionFailure()
                   << "output ends at line " << index + 1 << "; expected /" << layout[index] << "/";
        }
        if (index >= layout.size()) {
            return testing::AssertionFailure()
                   << "unexpected line " << index + 1 << ": \"" << lines[index] << "\"";
        }
        std::smatch match;
        if (!std::regex_match(lines[index], match, std::regex(layout[index]))) {
            return testing::AssertionFailure() << "line " << index + 1 << ": \"" << lines[index]
                                               << "\" does not match /" << layout[index] << "/";
        }
        for (std::size_t group = 1; group < match.size(); ++group) {
            const std::string text = match[group].str();
            if (std::regex_match(text, number)) {
                char again[32];
                std::snprintf(again, sizeof again, "%g", std::strtod(text.c_str(), nullptr));
                if (text != again) {
                    return testing::AssertionFailure()
                           << "line " << index + 1 << ": " << text << " is not in %g form";
                }
            }
            if (captures) captures->push_back(text);
        }
    }
    return testing::AssertionSuccess();
}

ReportFigures readFigures(const std::vector<std::string>& captures, Stream stream, int worldSize) {
    std::size_t next = 0;
    auto take = [&]() { return next < captures.size() ? std::strtod(captures[next++].c_str(), nullptr) : NAN; };
    auto takeLines = [&](int workload) {
        FigureLines lines;
        lines.spent = take();
        lines.millions = take();
        if (workload > 0) lines.megabytes = take();
        return lines;
    };
    ReportFigures figures;
    for (int workload = 0; workload < 3; ++workload) figures.baseline[workload] = takeLines(workload);
    if (worldSize > 1) {
        for (int workload = 0; workload < 3; ++workload) {
            SectionFigures section;
            for (int worker = 1; worker < worldSize; ++worker) section.workers.push_back(takeLines(workload));
            section.overallMillions = take();
            if (workload > 0) section.overallMegabytes = take();
            section.improvement = take();
            section.averageMillions = take();
            if (workload > 0) section.averageMegabytes = take();
            figures.sections.push_back(section);
        }
    }
    if (stream == Stream::Console && next < captures.size()) figures.resultsPath = captures[next++];
    return figures;
}

namespace {

// Printed figures carry six significant digits, so relations between them hold to a few
// parts in a million; 3e-5 leaves room for three roundings.
constexpr double kTolerance = 3e-5;
const double kBytesPerOperation[3] = {0, 16, 8};

void expectClose(double actual, double expected, const std::string& what) {
    if (std::isinf(expected)) {
        EXPECT_TRUE(std::isinf(actual)) << what;
        return;
    }
    EXPECT_NEAR(actual, expected, std::fabs(expected) * kTolerance) << what;
}

void expectConsistentLines(const FigureLines& lines, int workload, const std::string& who) {
    expectClose(lines.millions, 16.777216 / lines.spent, who + ": rate against spent time");
    if (workload > 0) {
        expectClose(lines.megabytes, lines.millions * 1e6 * kBytesPerOperation[workload] / 1048576.0,
                    who + ": MB/sec against millions");
    }
}

}  // namespace

void expectConsistentFigures(const ReportFigures& figures) {
    for (int workload = 0; workload < 3; ++workload) {
        expectConsistentLines(figures.baseline[workload], workload,
                              "baseline of workload " + std::to_string(workload + 1));
    }
    for (std::size_t workload = 0; workload < figures.sections.size(); ++workload) {
        const SectionFigures& section = figures.sections[workload];
        const int w = static_cast<int>(workload);
        const std::string name = "section " + std::to_string(workload + 1);
        double sum = 0;
        for (std::size_t worker = 0; worker < section.workers.size(); ++worker) {
            expectConsistentLines(section.workers[worker], w,
                                  name + " worker " + std::to_string(worker + 1));
            sum += section.workers[worker].millions;
        }
        const double workers = static_cast<double>(section.workers.size());
        expectClose(section.overallMillions, sum, name + ": overall is the sum of the workers");
        expectClose(section.improvement, section.overallMillions / figures.baseline[w].millions,
                    name + ": improvement is the sum over the baseline");
        expectClose(section.averageMillions, section.overallMillions / workers,
                    name + ": average is the sum over the number of workers");
        if (w > 0) {
            const double factor = 1e6 * kBytesPerOperation[w] / 1048576.0;
            expectClose(section.overallMegabytes, section.overallMillions * factor,
                        name + ": overall MB/sec");
            expectClose(section.averageMegabytes, section.averageMillions * factor,
                        name + ": average MB/sec");
        }
    }
}

}  // namespace e2e
