#!/usr/bin/env bash
# Sets everything up, builds the benchmark and runs it as a local MPI job.
# Usage: scripts/run_benchmark.sh [processes]   (default: one process per core)
# MEMBENCH_MPI=mpich runs it with MPICH instead of Open MPI.
set -euo pipefail
cd "$(dirname "$0")/.."

processes=${1:-$(nproc)}
if ! [[ "$processes" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 [processes]   (a whole number of processes, at least 1)" >&2
  exit 2
fi

source scripts/mpi_launcher.sh
chooseMpi "${MEMBENCH_MPI:-openmpi}" "$processes"
scripts/setup.sh "${mpiPackages[@]}"
# One line for the build; CMake's own output goes to a log, shown if the build fails.
echo "building: $buildDir/cluster-membench"
log=$buildDir.log
if ! { cmake -S . -B "$buildDir" -DMPI_CXX_COMPILER="$mpiCompiler" -DMPIEXEC_EXECUTABLE="$launcher" &&
       cmake --build "$buildDir" --target cluster-membench -j "$(nproc)"; } >"$log" 2>&1; then
  echo "building failed; CMake's output is in $log, ending with:" >&2
  tail -n 20 "$log" >&2
  exit 1
fi

# With its own standard input closed, Open MPI's launcher hands the root process an input that
# never ends, and the final wait for Enter would never end either: give it /dev/null instead.
if ! (exec 3<&0) 2>/dev/null; then
  exec </dev/null
fi
echo "Running: $launcher ${launcherFlags[*]} -np $processes $buildDir/cluster-membench"
exec "$launcher" "${launcherFlags[@]}" -np "$processes" "$buildDir/cluster-membench"
