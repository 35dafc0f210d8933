#!/usr/bin/env bash
# Measures the program's own cost; prints figures, asserts nothing.
#   1. harness overhead: each workload as the program runs it against a minimal reference loop
#   2. instructions per operation under callgrind, program against reference
#   3. cost around the workloads: whole-job wall time minus the three spent times, against an
#      MPI job that only starts and finalizes
#   4. memory: peak resident memory of a process against what the workloads must hold
#   5. collection at scale: the root's time to collect and write each section, 2 to 16 processes
# Usage: scripts/measure_overhead.sh [rounds]   (default 31 rounds for 1, 9 for 3 and 4)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

rounds=${1:-31}
source scripts/mpi_launcher.sh
chooseMpi "${MEMBENCH_MPI:-openmpi}" 16  # the largest job below
launchFlags=("${launcherFlags[@]}")
scripts/setup.sh "${mpiPackages[@]}" valgrind libbenchmark-dev time
cmake -S . -B "$buildDir" -DMPI_CXX_COMPILER="$mpiCompiler" -DMPIEXEC_EXECUTABLE="$launcher"
cmake --build "$buildDir" -j "$(nproc)"
build=$buildDir

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "== Machine"
echo "$(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores, $(free -g | awk '/Mem:/ { print $2 }') GiB;" \
     "$(uname -sr); $("$launcher" --version 2>&1 | head -n 1); $(c++ --version | head -n 1)"

echo
echo "== 1. Harness overhead ($rounds rounds, each in fresh processes)"
"$build"/bench/membench_overhead "$rounds"

echo
echo "== Where the workloads' time goes (getrusage around each run)"
"$build"/bench/membench_fault_share

echo
echo "== 2. Instructions per operation (valgrind --tool=callgrind)"
for mode in program reference; do
  (cd "$scratch" && valgrind --tool=callgrind --callgrind-out-file="$scratch/cg.$mode" \
      "$root/$build/bench/membench_instructions" "$mode" >/dev/null 2>&1)
done
printf "%-16s %14s %14s\n" workload program reference
index=1
for workload in AllocateAndFree AllocateAndKeep FillArray; do
  program=$(awk '/^summary:/ { print $2 / 16777216 }' "$scratch/cg.program.$index")
  reference=$(awk '/^summary:/ { print $2 / 16777216 }' "$scratch/cg.reference.$index")
  printf "%-16s %14.4f %14.4f\n" "$workload" "$program" "$reference"
  index=$((index + 1))
done

jobRounds=9
echo
echo "== 3. Cost around the workloads ($jobRounds rounds, mpirun -np 1)"
mkdir -p "$scratch/run"
for round in $(seq "$jobRounds"); do
  start=$(date +%s.%N)
  (cd "$scratch/run" && "$launcher" "${launchFlags[@]}" -np 1 "$root/$build/cluster-membench" \
      </dev/null >/dev/null)
  end=$(date +%s.%N)
  # The three spent times, read from the results file by the project's own reader.
  spent=$("$build"/cluster-membench-results --format csv "$scratch/run"/results_* |
          awk -F, 'NR > 1 { sum += $(NF - 2) } END { print sum }')
  echo "$end $start $spent" | awk '{ print $1 - $2 - $3 }' >>"$scratch/around.txt"
  start=$(date +%s.%N)
  "$launcher" "${launchFlags[@]}" -np 1 "$build"/bench/membench_mpi_empty </dev/null
  end=$(date +%s.%N)
  echo "$end $start" | awk '{ print $1 - $2 }' >>"$scratch/empty.txt"
  rm -f "$scratch/run"/results_*
done
around=$(median <"$scratch/around.txt")
empty=$(median <"$scratch/empty.txt")
echo "$around $empty" | awk '{ printf "job minus spent times: %.3f s; empty MPI job: %.3f s; ratio %.2f (goal <= 1.2)\n", $1, $2, $1 / $2 }'

echo
echo "== 4. Memory"
"$build"/bench/membench_block_size
for program in "$build/cluster-membench" "$build/bench/membench_mpi_empty"; do
  (cd "$scratch/run" && "$launcher" "${launchFlags[@]}" -np 1 /usr/bin/time -f "%M" -o "$scratch/rss.txt" \
      "$root/$program" </dev/null >/dev/null)
  echo "$program: peak resident $(awk '{ printf "%.1f MiB", $1 / 1024 }' "$scratch/rss.txt")"
  rm -f "$scratch/run"/results_*
done
echo "the workloads must hold 2^24 blocks x 32 bytes + 128 MiB = 640 MiB"

echo
echo "== 5. Collection at scale (every worker's figures ready; times of one run)"
for processes in 2 4 8 16; do
  "$launcher" "${launchFlags[@]}" -np "$processes" "$build"/bench/membench_collection "$scratch/section.txt" </dev/null
done
echo "bytes received per workload: (N - 1) x 20 x N + names; N = 4096: $((4095 * 20 * 4096)) bytes of tables"
