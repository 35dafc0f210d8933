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
    lineOnBoth(channel, workloadHeading(WorkloadKind::AllocateAndFree));
}

namespace {

// Time, millions and (where the workload has one) bandwidth lines of one run on one stream.
void writeFigureLines(std::ostream& out, WorkloadKind kind, const PhaseFigures& figures) {
    writeLine(out, kTimeLabel, figures.spentSeconds, kSecondsUnit);
    writeLine(out, kRateLabel, millionsPerSecond(figures.operationsPerSecond), rateUnit(kind));
    if (hasBandwidthFigure(kind)) {
        writeLine(out, kBandwidthLabel,
                  megabytesPerSecond(figures.operationsPerSecond, bytesPerOperation(kind)),
                  kBandwidthUnit);
    }
}

// Heading, figures and a blank line, as one block on one stream.
void writeHeadedBlock(std::ostream& out, WorkloadKind kind, const PhaseFigures& figures) {
    writeLine(out, workloadHeading(kind));
    writeFigureLines(out, kind, figures);
    writeLine(out);
}

}  // namespace

void writeBaselineFigures(ReportChannel& channel, WorkloadKind kind, const PhaseFigures& figures) {
    switch (kind) {
        case WorkloadKind::AllocateAndFree:
            // Its heading went out with the preamble, before the run.
            writeFigureLines(*channel.console, kind, figures);
            writeFigureLines(*channel.file, kind, figures);
            blankOnBoth(channel);
            break;
        case WorkloadKind::AllocateAndKeep:
            writeHeadedBlock(*channel.console, kind, figures);
            writeHeadedBlock(*channel.file, kind, figures);
            break;
        case WorkloadKind::FillArray:
            writeHeadedBlock(*channel.console, kind, figures);
            writeHeadedBlock(*channel.file, kind, figures);
            blankOnBoth(channel);
            break;
    }
}
