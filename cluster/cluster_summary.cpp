#include "cluster/cluster_summary.h"

#include "report/report_text.h"
#include "workloads/phase_figures.h"

void writeClusterOpening(ReportChannel& channel, WorkloadKind kind) {
    if (kind != WorkloadKind::AllocateAndFree) blankOnBoth(channel);
    lineOnBoth(channel, kClusterHeading);
    blankOnBoth(channel);
    lineOnBoth(channel, workloadHeading(kind));
}

namespace {

void writeGroupLines(std::ostream& out, WorkloadKind kind, const char* spentLabel,
                     const CollectedFigures& worker) {
    writeLine(out, kWorkerPrefix, worker.rankNumber, " ", kWorkerNamePrefix, worker.processorName,
              " ", spentLabel, worker.spentSeconds, kSecondsUnit);
    writeLine(out, kWorkerPrefix, worker.rankNumber, " ", kWorkerNamePrefix, worker.processorName,
              " ", kRateLabel, millionsPerSecond(worker.operationsPerSecond), rateUnit(kind));
    if (hasBandwidthFigure(kind)) {
        writeLine(out, kBandwidthLabel,
                  megabytesPerSecond(worker.operationsPerSecond, bytesPerOperation(kind)),
                  kBandwidthUnit);
    }
}

// Blank line, overall line and (where the workload has one) its megabyte line and a blank.
void writeOverallLines(std::ostream& out, WorkloadKind kind, double rateSum) {
    writeLine(out);
    writeLine(out, overallLabel(kind), millionsPerSecond(rateSum), rateUnit(kind));
    if (hasBandwidthFigure(kind)) {
        writeLine(out, kBandwidthLabel, megabytesPerSecond(rateSum, bytesPerOperation(kind)),
                  kBandwidthUnit);
        writeLine(out);
    }
}

// Blank line, average line and (where the workload has one) its megabyte line.
void writeAverageLines(std::ostream& out, WorkloadKind kind, const char* averageLabel,
                       double average) {
    writeLine(out);
    writeLine(out, averageLabel, millionsPerSecond(average), averageUnit(kind));
    if (hasBandwidthFigure(kind)) {
        writeLine(out, kBandwidthLabel, megabytesPerSecond(average, bytesPerOperation(kind)),
                  kBandwidthUnit);
    }
}

}  // namespace

void writeWorkerGroup(ReportChannel& channel, WorkloadKind kind, ClusterTotals& totals,
                      const CollectedFigures& worker) {
    totals.rateSum += worker.operationsPerSecond;
    writeGroupLines(*channel.console, kind, workerSpentLabelConsole(kind), worker);
    writeGroupLines(*channel.file, kind, workerSpentLabelFile(kind), worker);
}

void writeClusterTotals(ReportChannel& channel, WorkloadKind kind, const ClusterTotals& totals,
                        double baselineRate, int workerCount) {
    writeOverallLines(*channel.console, kind, totals.rateSum);
    writeOverallLines(*channel.file, kind, totals.rateSum);
    lineOnBoth(channel, kImprovementLabel, totals.rateSum / baselineRate, kImprovementUnit);
    // The average is per worker process: the root's own baseline is not part of the sum.
    const double average = totals.rateSum / static_cast<double>(workerCount);
    writeAverageLines(*channel.console, kind, kAverageLabelConsole, average);
    writeAverageLines(*channel.file, kind, kAverageLabelFile, average);
    if (kind != WorkloadKind::FillArray) blankOnBoth(channel);
}

void writeClusterSection(ReportChannel& channel, WorkloadKind kind, double baselineRate,
                         int workerCount, ClusterTotals& totals, const WorkerSource& workers) {
    writeClusterOpening(channel, kind);
    workers([&](const CollectedFigures& worker) { writeWorkerGroup(channel, kind, totals, worker); });
    writeClusterTotals(channel, kind, totals, baselineRate, workerCount);
}
