#!/usr/bin/env bash
# Sets everything up, builds the benchmark and its tests, and runs every test through CTest:
# unit tests first, then the end-to-end tests that run the program under the MPI launcher.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -DBUILD_TESTING=ON -DMEMBENCH_REQUIRE_TESTS=ON
cmake --build build -j "$(nproc)"
cd build
# The launcher must never wait on an open terminal or a closed input.
ctest --output-on-failure </dev/null
