#pragma once

#include <cstdint>

// The three workloads, in the order in which every process runs them.
enum class WorkloadKind { AllocateAndFree, AllocateAndKeep, FillArray };

constexpr int kWorkloadCount = 3;
constexpr WorkloadKind kWorkloadOrder[kWorkloadCount] = {
    WorkloadKind::AllocateAndFree, WorkloadKind::AllocateAndKeep, WorkloadKind::FillArray};

// Position of a workload in kWorkloadOrder; used to index per-workload arrays.
constexpr int workloadIndex(WorkloadKind kind) { return static_cast<int>(kind); }

// The enumerator's name, for messages meant for people and for machine-readable exports.
const char* workloadName(WorkloadKind kind);
