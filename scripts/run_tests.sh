#!/usr/bin/env bash
# Sets everything up, builds the benchmark and its tests, and runs every test through CTest:
#   1. Open MPI: the whole suite (unit and end-to-end tests)
#   2. MPICH: the end-to-end suite again
#   3. AddressSanitizer and UndefinedBehaviorSanitizer: the unit tests and the jobs of 1 to 3
#      processes with Open MPI, leak checks on
#   4. libFuzzer: the reader's fuzz target for a minute, from its seed corpus and every input it
#      ever found wrong
#   5. Windows: a cross build with mingw-w64, its unit tests and a one-process job under Wine
# Each MPI library is chosen explicitly (its compiler wrapper and its launcher), never by
# whichever mpicxx or mpirun happens to be the system's default.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

# MPICH beside Open MPI; iproute2 and util-linux for the simulated hosts; Slurm and munge for
# the batch-scheduler tests; e2fsprogs for the tiny file systems of the full-disk tests; an
# allocator and GNU time for the allocator comparisons; Clang and its runtimes for fuzzing;
# dpkg-dev and debootstrap to make the Debian package and install it into a clean Debian;
# mingw-w64 and Wine for the Windows build.
scripts/setup.sh mpich libmpich-dev iproute2 util-linux slurm-wlm munge e2fsprogs libjemalloc2 time \
                 clang libclang-rt-14-dev dpkg-dev debootstrap g++-mingw-w64-x86-64-posix wine64

configure() {  # build folder, compiler wrapper, launcher, further CMake options
  local folder=$1 compiler=$2 launcher=$3
  shift 3
  cmake -S . -B "$folder" -DBUILD_TESTING=ON -DMEMBENCH_REQUIRE_TESTS=ON \
        -DMPI_CXX_COMPILER="$compiler" -DMPIEXEC_EXECUTABLE="$launcher" "$@"
  cmake --build "$folder" -j "$(nproc)"
}

# The launcher must never wait on an open terminal or a closed input: standard input is
# /dev/null throughout.
echo "=== Open MPI: all tests, and the Debian package in a clean Debian 12"
configure build /usr/bin/mpicxx.openmpi /usr/bin/mpirun.openmpi
(cd build && ctest --output-on-failure </dev/null)

echo "=== MPICH: end-to-end tests"
configure build-mpich /usr/bin/mpicxx.mpich /usr/bin/mpiexec.mpich
(cd build-mpich && ctest --output-on-failure -L e2e </dev/null)

echo "=== Sanitizers (address, undefined behaviour, leaks): unit tests and jobs of 1 to 3 processes"
configure build-sanitize /usr/bin/mpicxx.openmpi /usr/bin/mpirun.openmpi \
          -DMEMBENCH_SANITIZE=ON -DMEMBENCH_BUILD_BENCH=OFF
# Left out: the out-of-memory job (a virtual memory limit leaves no room for the sanitizer's
# shadow memory), jobs of 4 processes, the simulated hosts, Slurm, the package and the install
# (run above), and the tests that preload a library of their own before the sanitizer's.
(cd build-sanitize &&
 LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0" \
 UBSAN_OPTIONS=print_stacktrace=1 \
 ctest --output-on-failure -LE package \
       -E "OutOfMemory|/4$|EachWorkerAppears|SimulatedHosts|SingleNodeSlurm|ShippedJobScript|AllocatorComparison|ToolOptions" \
       </dev/null)

echo "=== Fuzzing the reader for 60 seconds"
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DMEMBENCH_FUZZ=ON -DMEMBENCH_WITH_MPI=OFF \
      -DBUILD_TESTING=OFF -DMEMBENCH_BUILD_BENCH=OFF
cmake --build build-fuzz -j "$(nproc)" --target reader_fuzzer
mkdir -p build-fuzz/corpus build-fuzz/findings
# A crash, a sanitizer report, an input slower than 10 s or a process over 2 GiB is a finding:
# the fuzzer stops with a non-zero status and leaves the input in build-fuzz/findings/, which
# then belongs in tests/fuzz/regressions/.
build-fuzz/tests/fuzz/reader_fuzzer -max_total_time=60 -timeout=10 -rss_limit_mb=2048 \
    -dict=tests/fuzz/results.dict -artifact_prefix=build-fuzz/findings/ -print_final_stats=1 \
    build-fuzz/corpus tests/fuzz/corpus tests/fuzz/regressions </dev/null

echo "=== Windows: mingw-w64 cross build, tests under Wine"
# Microsoft MPI cannot be installed here: the program is compiled against MPICH's standard
# mpi.h and runs against a single-process MPI test double named like MS-MPI's DLL. GoogleTest is
# built from Debian's sources; the reader's header-only libraries are taken from Debian's
# headers (only those two folders, never the host's system headers).
deps=$root/build-windows-deps/include
mkdir -p "$deps"
ln -sfn /usr/include/nlohmann "$deps/nlohmann"
ln -sfn /usr/include/CLI "$deps/CLI"
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DBUILD_TESTING=ON -DMEMBENCH_REQUIRE_TESTS=ON -DMEMBENCH_REQUIRE_XML_TESTS=OFF \
      -DMEMBENCH_GTEST_SOURCE_DIR=/usr/src/googletest \
      -DMEMBENCH_MPI_DOUBLE_INCLUDE_DIR=/usr/include/x86_64-linux-gnu/mpich \
      -DMEMBENCH_JSON_INCLUDE_DIR="$deps" -DMEMBENCH_CLI11_INCLUDE_DIR="$deps" -DMEMBENCH_BUILD_BENCH=OFF
cmake --build build-windows -j "$(nproc)"
# One Wine server and its services for all tests, started with no output of ours to hold (CTest
# would otherwise wait for them), and stopped at the end. The prefix is made first, by a
# server of its own, which is let go before the lasting one starts.
export WINEPREFIX=$root/build-windows/wineprefix WINEDEBUG=-all
/usr/lib/wine/wine64 cmd /c exit </dev/null >/dev/null 2>&1
/usr/lib/wine/wineserver -w
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 &
trap '/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true' EXIT
/usr/lib/wine/wine64 cmd /c exit </dev/null >/dev/null 2>&1
(cd build-windows && ctest --output-on-failure </dev/null)
