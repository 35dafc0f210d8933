#include "workloads/phase_figures.h"

PhaseFigures figuresFromReadings(double startTime, double endTime) {
    PhaseFigures figures;
    figures.startTime = startTime;
    figures.endTime = endTime;
    figures.spentSeconds = endTime - startTime;
    figures.operationsPerSecond = static_cast<double>(kOperationsPerRun) / figures.spentSeconds;
    return figures;
}

double millionsPerSecond(double rate) { return rate / 1000000.0; }

double megabytesPerSecond(double rate, double bytesPerOperation) {
    return ((rate * bytesPerOperation) / 1024.0) / 1024.0;
}
