#pragma once

// Minimal reference loops: the same work per operation as the program's workloads, written
// inline the way a micro-benchmark would write it, with no harness around them (no clock
// passed in, no dispatch on the workload, no figures).
void referenceAllocateAndFree();
void referenceAllocateAndKeep();
void referenceFillArray();

// The reference loop of a workload, in the order of kWorkloadOrder.
using ReferenceLoop = void (*)();
constexpr ReferenceLoop kReferenceLoops[] = {referenceAllocateAndFree, referenceAllocateAndKeep,
                                             referenceFillArray};

// Seconds of the steady clock: the clock every bench program times runs with.
double steadySeconds();
