#pragma once

#include "workloads/phase_figures.h"
#include "workloads/workload_facts.h"

// A source of wall-clock readings in seconds. The program reads the MPI timer; tests hand in
// their own clock to see exactly when, and how often, a run reads it.
using WallClock = double (*)();

// Reads MPI_Wtime.
double mpiWallClock();

// One timed run of the workload: a clock reading, the workload's 2^24 operations, a second
// reading. Memory the run leaves allocated is never released. An allocation failure
// propagates as std::bad_alloc.
PhaseFigures runWorkload(WorkloadKind kind, WallClock readClock = mpiWallClock);
