#include "cluster/cluster_summary.h"

#include "report/report_text.h"
#include "workloads/phase_figures.h"

void writeClusterOpening(ReportChannel& channel, WorkloadKind kind) {
    const WorkloadFacts& facts = factsOf(kind);
    if (facts.blankBeforeSection) blankOnBoth(channel);
    lineOnBoth(channel, kClusterHeading);
    blankOnBoth(channel);
    lineOnBoth(channel, facts.heading);
}

namespace {

void writeGroupLines(std::ostream& out, const WorkloadFacts& facts, const char* spentLabel,
                     const CollectedFigures& worker) {
    writeLine(out, kWorkerPrefix, worker.rankNumber, " ", kWorkerNamePrefix, worker.processorName,
              " ", spentLabel, worker.spentSeconds, kSecondsUnit);
    writeLine(out, kWorkerPrefix, worker.rankNumber, " ", kWorkerNamePrefix, worker.processorName,
              " ", kRateLabel, millionsPerSecond(worker.operationsPerSecond), facts.rateUnit);
    if (facts.hasBandwidthFigure) {
        writeLine(out, kBandwidthLabel,
                  megabytesPerSecond(worker.operationsPerSecond, facts.bytesPerOperation),
                  kBandwidthUnit);
    }
}

// Blank line, overall line and (where the workload has one) its megabyte line and a blank.
void writeOverallLines(std::ostream& out, const WorkloadFacts& facts, double rateSum) {
    writeLine(out);
    writeLine(out, facts.overallLabel, millionsPerSecond(rateSum), facts.rateUnit);
    if (facts.hasBandwidthFigure) {
        writeLine(out, kBandwidthLabel, megabytesPerSecond(rateSum, facts.bytesPerOperation),
                  kBandwidthUnit);
        writeLine(out);
    }
}

// Blank line, average line and (where the workload has one) its megabyte line.
void writeAverageLines(std::ostream& out, const WorkloadFacts& facts, const char* averageLabel,
                       double average) {
    writeLine(out);
    writeLine(out, averageLabel, millionsPerSecond(average), facts.averageUnit);
    if (facts.hasBandwidthFigure) {
        writeLine(out, kBandwidthLabel, megabytesPerSecond(average, facts.bytesPerOperation),
                  kBandwidthUnit);
    }
}

}  // namespace

void writeWorkerGroup(ReportChannel& channel, WorkloadKind kind, ClusterTotals& totals,
                      const CollectedFigures& worker) {
    const WorkloadFacts& facts = factsOf(kind);
    totals.rateSum += worker.operationsPerSecond;
    writeGroupLines(*channel.console, facts, facts.workerSpentLabelConsole, worker);
    writeGroupLines(*channel.file, facts, facts.workerSpentLabelFile, worker);
}

void writeClusterTotals(ReportChannel& channel, WorkloadKind kind, const ClusterTotals& totals,
                        double baselineRate, int workerCount) {
    const WorkloadFacts& facts = factsOf(kind);
    writeOverallLines(*channel.console, facts, totals.rateSum);
    writeOverallLines(*channel.file, facts, totals.rateSum);
    lineOnBoth(channel, kImprovementLabel, totals.rateSum / baselineRate, kImprovementUnit);
    // The average is per worker process: the root's own baseline is not part of the sum.
    const double average = totals.rateSum / static_cast<double>(workerCount);
    writeAverageLines(*channel.console, facts, kAverageLabelConsole, average);
    writeAverageLines(*channel.file, facts, kAverageLabelFile, average);
    if (facts.blankAfterSection) blankOnBoth(channel);
}
