#!/usr/bin/env bash
# Sets everything up, builds the benchmark and its tests, and runs every test through CTest:
# the whole suite with Open MPI, then the end-to-end suite again with MPICH. Each MPI library
# is chosen explicitly (its compiler wrapper and its launcher), never by whichever mpicxx or
# mpirun happens to be the system's default.
set -euo pipefail
cd "$(dirname "$0")/.."

# MPICH beside Open MPI; iproute2 and util-linux for the simulated hosts; Slurm and munge for
# the batch-scheduler tests; e2fsprogs for the tiny file systems of the full-disk tests; an
# allocator and GNU time for the allocator comparisons.
scripts/setup.sh mpich libmpich-dev iproute2 util-linux slurm-wlm munge e2fsprogs libjemalloc2 time

configure() {  # build folder, compiler wrapper, launcher
  cmake -S . -B "$1" -DBUILD_TESTING=ON -DMEMBENCH_REQUIRE_TESTS=ON \
        -DMPI_CXX_COMPILER="$2" -DMPIEXEC_EXECUTABLE="$3"
  cmake --build "$1" -j "$(nproc)"
}

# The launcher must never wait on an open terminal or a closed input: standard input is
# /dev/null throughout.
echo "=== Open MPI: all tests"
configure build /usr/bin/mpicxx.openmpi /usr/bin/mpirun.openmpi
(cd build && ctest --output-on-failure </dev/null)

echo "=== MPICH: end-to-end tests"
configure build-mpich /usr/bin/mpicxx.mpich /usr/bin/mpiexec.mpich
(cd build-mpich && ctest --output-on-failure -L e2e </dev/null)
