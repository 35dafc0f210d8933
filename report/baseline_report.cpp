#include "report/baseline_report.h"

#include "report/report_text.h"

void writeBaselinePreamble(ReportChannel& channel, int worldSize) {
    consoleLine(channel);
    consoleLine(channel, kConsoleTitle);
    consoleLine(channel, kNoticeLine);
    consoleLine(channel, kContactLine);
    consoleLine(channel);
    consoleLine(channel);
    consoleLine(channel);
    consoleLine(channel, kProcessCountLabel, worldSize);
    consoleLine(channel);

    fileLine(channel, kFileTitle);
    fileLine(channel);
    fileLine(channel, kProcessCountLabel, worldSize);
    fileLine(channel);

    lineOnBoth(channel, kSingleProcessNote);
    blankOnBoth(channel);
    for (const WorkloadFacts& facts : kWorkloads) {
        if (facts.headingBeforeRun) lineOnBoth(channel, facts.heading);
    }
}

namespace {

// Time, millions and (where the workload has one) bandwidth lines of one run on one stream.
void writeFigureLines(std::ostream& out, const WorkloadFacts& facts, const PhaseFigures& figures) {
    writeLine(out, kTimeLabel, figures.spentSeconds, kSecondsUnit);
    writeLine(out, kRateLabel, millionsPerSecond(figures.operationsPerSecond), facts.rateUnit);
    if (facts.hasBandwidthFigure) {
        writeLine(out, kBandwidthLabel,
                  megabytesPerSecond(figures.operationsPerSecond, facts.bytesPerOperation),
                  kBandwidthUnit);
    }
}

// Heading, figures and a blank line, as one block on one stream.
void writeHeadedBlock(std::ostream& out, const WorkloadFacts& facts, const PhaseFigures& figures) {
    writeLine(out, facts.heading);
    writeFigureLines(out, facts, figures);
    writeLine(out);
}

}  // namespace

void writeBaselineFigures(ReportChannel& channel, WorkloadKind kind, const PhaseFigures& figures) {
    const WorkloadFacts& facts = factsOf(kind);
    if (facts.headingBeforeRun) {
        // The heading went out with the preamble and stood on both streams during the run.
        writeFigureLines(*channel.console, facts, figures);
        writeFigureLines(*channel.file, facts, figures);
        blankOnBoth(channel);
    } else {
        writeHeadedBlock(*channel.console, facts, figures);
        writeHeadedBlock(*channel.file, facts, figures);
    }
    if (facts.blankAfterBaseline) blankOnBoth(channel);
}
