#!/usr/bin/env bash
# Runs the benchmark job several times for each memory allocator, each run in a folder of its
# own, and summarises the runs per allocator, workload and host (cluster-membench-results
# summary): a CSV on standard output and in DIR/summary.csv, and a chart in DIR/summary.svg.
#
#   scripts/run_campaign.sh [--runs N] [--allocators LIST] [--out DIR] [--launcher "COMMAND"] [processes]
#
#   --runs N             runs per allocator (default 5)
#   --allocators LIST    comma-separated: glibc, jemalloc, tcmalloc, mimalloc, or a library's path
#                        (default glibc); the runs of the allocators take turns
#   --out DIR            where the runs go: DIR/<allocator>/run-<k>/ (default campaign-<date>-<time>)
#   --launcher "COMMAND" the launcher with its options and process count, split at blanks, e.g.
#                        "mpirun --hostfile hosts -np 64" or "srun --mpi=pmix --input=0";
#                        default: this machine's Open MPI (MEMBENCH_MPI=mpich: MPICH) with
#                        `processes` processes (default: one per core)
#
# Every rank runs through scripts/with_allocator.sh, which also records its peak resident memory
# in the run's folder (on a cluster, DIR must be on a file system the nodes share). Standard
# input is /dev/null. A failed run stops the campaign with the launcher's status; every file
# already written stays. MEMBENCH_PROGRAM and MEMBENCH_READER name programs that are already
# built; otherwise, in the source tree, they are built here (as scripts/run_benchmark.sh does),
# and an installed copy of this script runs the installed programs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -f "$here/../CMakeLists.txt" ] && [ -f "$here/setup.sh" ]; then
  root=$(cd "$here/.." && pwd)   # the source tree
else
  root=""                        # installed: PREFIX/share/cluster-membench
fi

usage() {
  sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2
  exit 2
}

runs=5
allocators=glibc
out=""
launcherCommand=""
processes=""
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=${2:?}; shift 2 ;;
    --allocators) allocators=${2:?}; shift 2 ;;
    --out) out=${2:?}; shift 2 ;;
    --launcher) launcherCommand=${2:?}; shift 2 ;;
    -h|--help) usage ;;
    -*) echo "run_campaign.sh: unknown option $1" >&2; usage ;;
    *) [ -z "$processes" ] || usage; processes=$1; shift ;;
  esac
done
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || { echo "run_campaign.sh: --runs takes a whole number, at least 1" >&2; exit 2; }
if [ -n "$processes" ]; then
  [[ "$processes" =~ ^[1-9][0-9]*$ ]] || { echo "run_campaign.sh: processes must be a whole number, at least 1" >&2; exit 2; }
  [ -z "$launcherCommand" ] || { echo "run_campaign.sh: give the process count inside --launcher" >&2; exit 2; }
fi
IFS=, read -r -a allocatorList <<<"$allocators"
[ "${#allocatorList[@]}" -gt 0 ] || usage
out=${out:-campaign-$(date +%Y%m%d-%H%M%S)}

wrapper=$here/with_allocator.sh

# The allocators' packages, GNU time for the memory figures, and the programs.
packages=(time)
for name in "${allocatorList[@]}"; do
  package=$("$wrapper" --package "$name")
  [ -z "$package" ] || packages+=("$package")
done
source "$here/mpi_launcher.sh"
chooseMpi "${MEMBENCH_MPI:-openmpi}" "${processes:-$(nproc)}"
if [ -z "$root" ]; then
  # Installed: the programs beside this folder's; allocators must be installed already (the
  # check below names any that is missing).
  program=${MEMBENCH_PROGRAM:-$here/../../bin/cluster-membench}
  reader=${MEMBENCH_READER:-$here/../../bin/cluster-membench-results}
elif [ -z "${MEMBENCH_PROGRAM:-}" ] || [ -z "${MEMBENCH_READER:-}" ]; then
  "$root/scripts/setup.sh" "${mpiPackages[@]}" "${packages[@]}"
  cmake -S "$root" -B "$root/$buildDir" -DMPI_CXX_COMPILER="$mpiCompiler" -DMPIEXEC_EXECUTABLE="$launcher" >/dev/null
  cmake --build "$root/$buildDir" --target cluster-membench cluster-membench-results -j "$(nproc)" >/dev/null
  program=$root/$buildDir/cluster-membench
  reader=$root/$buildDir/cluster-membench-results
else
  "$root/scripts/setup.sh" "${packages[@]}"
  program=$MEMBENCH_PROGRAM
  reader=$MEMBENCH_READER
fi

if [ -n "$launcherCommand" ]; then
  read -r -a launcherWords <<<"$launcherCommand"
else
  launcherWords=("$launcher" "${launcherFlags[@]}" -np "${processes:-$(nproc)}")
fi

# Every allocator is checked before the first run; each gets a label (a library's file name
# without its ending) and a folder.
labels=()
for name in "${allocatorList[@]}"; do
  "$wrapper" --check "$name" >/dev/null
  label=$(basename "$name")
  label=${label%%.so*}
  for other in "${labels[@]}"; do
    [ "$other" != "$label" ] || { echo "run_campaign.sh: two allocators are labelled $label" >&2; exit 2; }
  done
  labels+=("$label")
done
for label in "${labels[@]}"; do
  if [ -e "$out/$label" ]; then
    echo "run_campaign.sh: $out/$label exists already; give another --out" >&2
    exit 2
  fi
done
mkdir -p "$out"
out=$(cd "$out" && pwd)

total=$((runs * ${#allocatorList[@]}))
done=0
for round in $(seq "$runs"); do
  for index in "${!allocatorList[@]}"; do
    name=${allocatorList[$index]}
    label=${labels[$index]}
    folder=$out/$label/run-$round
    mkdir -p "$folder"
    done=$((done + 1))
    start=$(date +%s.%N)
    status=0
    (cd "$folder" && "${launcherWords[@]}" /usr/bin/env MEMBENCH_PEAK_RSS_DIR="$folder" \
        "$wrapper" "$name" "$program" </dev/null >console.txt 2>errors.txt) || status=$?
    seconds=$(echo "$(date +%s.%N) $start" | awk '{ printf "%.1f", $1 - $2 }')
    if [ "$status" -ne 0 ]; then
      echo "run $done of $total: $label failed with status $status after $seconds s; its output is in $folder" >&2
      sed -n '1,5p' "$folder/errors.txt" >&2
      exit "$status"
    fi
    echo "run $done of $total: $label ... $seconds s" >&2
  done
done

folders=()
for label in "${labels[@]}"; do folders+=("$out/$label"); done
"$reader" summary --chart "$out/summary.svg" "${folders[@]}" >"$out/summary.csv"
cat "$out/summary.csv"
echo "summary: $out/summary.csv, chart: $out/summary.svg" >&2
