#include "workloads/workload_kind.h"

const char* workloadName(WorkloadKind kind) {
    switch (kind) {
        case WorkloadKind::AllocateAndFree: return "AllocateAndFree";
        case WorkloadKind::AllocateAndKeep: return "AllocateAndKeep";
        case WorkloadKind::FillArray: return "FillArray";
    }
    return "unknown";
}
