#include "report/report_text.h"

const char* workloadHeading(WorkloadKind kind) {
    switch (kind) {
        case WorkloadKind::AllocateAndFree: return "Power of Memory Allocation.";
        case WorkloadKind::AllocateAndKeep: return "Low speeds:";
        case WorkloadKind::FillArray: return "High speeds:";
    }
    return "";
}

const char* rateUnit(WorkloadKind kind) {
    return kind == WorkloadKind::AllocateAndFree ? kAllocationsUnit : kExecutionsUnit;
}

const char* workerSpentLabelConsole(WorkloadKind kind) {
    return kind == WorkloadKind::AllocateAndFree ? "This thread spent: " : "The system spent: ";
}

// The results file shortens the label of the allocate-and-keep section only.
const char* workerSpentLabelFile(WorkloadKind kind) {
    switch (kind) {
        case WorkloadKind::AllocateAndFree: return "This thread spent: ";
        case WorkloadKind::AllocateAndKeep: return "The spent: ";
        case WorkloadKind::FillArray: return "The system spent: ";
    }
    return "";
}

const char* overallLabel(WorkloadKind kind) {
    return kind == WorkloadKind::AllocateAndFree ? "Overall, it was: " : "Overall, It was: ";
}

const char* averageUnit(WorkloadKind kind) {
    return kind == WorkloadKind::AllocateAndFree ? " Millions Allocations/sec."
                                                 : " Millions Millions Executions/sec.";
}
