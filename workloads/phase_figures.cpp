#include "workloads/phase_figures.h"

PhaseFigures figuresFromReadings(double startTime, double endTime) {
    PhaseFigures figures;
    figures.startTime = startTime;
    figures.endTime = endTime;
    figures.spentSeconds = endTime - startTime;
    figures.operationsPerSecond = kOperationsPerRunAsRate / figures.spentSeconds;
    return figures;
}

double bytesPerOperation(WorkloadKind kind) {
    switch (kind) {
        case WorkloadKind::AllocateAndKeep: return 16.0;
        case WorkloadKind::FillArray: return 8.0;
        case WorkloadKind::AllocateAndFree: break;
    }
    return 0.0;
}

bool hasBandwidthFigure(WorkloadKind kind) { return kind != WorkloadKind::AllocateAndFree; }

double millionsPerSecond(double rate) { return rate / 1000000.0; }

double megabytesPerSecond(double rate, double bytesPerOperationOfWorkload) {
    return ((rate * bytesPerOperationOfWorkload) / 1024.0) / 1024.0;
}
