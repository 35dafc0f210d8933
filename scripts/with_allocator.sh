#!/usr/bin/env bash
# Runs a program (every rank of an MPI job) with the memory allocator of your choice preloaded.
# Launcher-neutral: put it between any launcher and the program.
#
#   with_allocator.sh NAME PROGRAM [ARGS...]
#     mpirun -np 8 scripts/with_allocator.sh jemalloc build/cluster-membench < /dev/null
#     srun --mpi=pmix --input=0 scripts/with_allocator.sh tcmalloc build/cluster-membench
#   with_allocator.sh --check NAME...     says which library each NAME loads here, or why not
#   with_allocator.sh --package NAME      the Debian package that provides NAME (none: nothing)
#
# NAME: glibc (nothing preloaded: the C library's own malloc), jemalloc, tcmalloc, mimalloc
# (Debian's libjemalloc2, libtcmalloc-minimal4, libmimalloc2.0, found by their library names),
# or the path of any library that replaces malloc.
#
# A library that is missing or cannot be loaded on this host ends the rank with one line naming
# the allocator, the library and the host, and status 3: never a silent run with glibc.
#
# With MEMBENCH_PEAK_RSS_DIR set to a folder, the rank's peak resident memory (KiB) is written
# there as peak-rss.rank-<rank>.txt (measured by GNU time, Debian package "time").
set -euo pipefail

me=$(basename "$0")

# Debian package and library name of each allocator.
packageOf() {
  case "$1" in
    jemalloc) echo libjemalloc2 ;;
    tcmalloc) echo libtcmalloc-minimal4 ;;
    mimalloc) echo libmimalloc2.0 ;;
    *) echo "" ;;
  esac
}
sonameOf() {
  case "$1" in
    jemalloc) echo libjemalloc.so.2 ;;
    tcmalloc) echo libtcmalloc_minimal.so.4 ;;
    mimalloc) echo libmimalloc.so.2 ;;
    *) echo "" ;;
  esac
}

host=$(uname -n)

fail() {  # allocator, library, reason
  echo "$me: allocator $1: library $2 $3 on host $host; the program is not started" >&2
  exit 3
}

# The library to preload for an allocator (empty for glibc), or a failure.
libraryOf() {
  local name=$1 library soname
  case "$name" in
    glibc) echo ""; return ;;
    */*) library=$name
         [ -f "$library" ] || fail "$name" "$library" "does not exist" ;;
    jemalloc|tcmalloc|mimalloc)
      soname=$(sonameOf "$name")
      library=""
      for ldconfig in ldconfig /sbin/ldconfig /usr/sbin/ldconfig; do
        if command -v "$ldconfig" >/dev/null 2>&1; then
          library=$("$ldconfig" -p 2>/dev/null | awk -v so="$soname" '$1 == so { print $NF; exit }')
          break
        fi
      done
      if [ -z "$library" ]; then
        for folder in /usr/lib/x86_64-linux-gnu /usr/lib64 /usr/lib /lib/x86_64-linux-gnu /usr/local/lib; do
          if [ -f "$folder/$soname" ]; then library=$folder/$soname; break; fi
        done
      fi
      [ -n "$library" ] || fail "$name" "$soname" "is not installed (Debian package $(packageOf "$name"))" ;;
    *) echo "$me: unknown allocator '$name' (glibc, jemalloc, tcmalloc, mimalloc, or a library's path)" >&2
       exit 2 ;;
  esac
  # The dynamic loader only warns about a library it cannot preload, and goes on without it.
  local complaint
  complaint=$(LD_PRELOAD=$library /bin/true 2>&1 | tr '\n' ' ' || true)
  [ -z "$complaint" ] || fail "$name" "$library" "cannot be preloaded ($complaint)"
  echo "$library"
}

case "${1:-}" in
  ""|-h|--help)
    sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2
    exit 2 ;;
  --check)
    shift
    for name in "$@"; do
      library=$(libraryOf "$name")
      echo "$name: ${library:-nothing preloaded, the C library malloc}"
    done
    exit 0 ;;
  --package)
    packageOf "${2:-}"
    exit 0 ;;
esac

[ $# -ge 2 ] || { echo "usage: $me NAME PROGRAM [ARGS...]   (see $me --help)" >&2; exit 2; }
name=$1
shift
library=$(libraryOf "$name")
if [ -n "$library" ]; then
  export LD_PRELOAD="$library${LD_PRELOAD:+:$LD_PRELOAD}"
fi

if [ -n "${MEMBENCH_PEAK_RSS_DIR:-}" ]; then
  # The rank as each launcher names it: Open MPI, MPICH's Hydra, PMIx, Slurm.
  rank=${OMPI_COMM_WORLD_RANK:-${PMI_RANK:-${PMIX_RANK:-${SLURM_PROCID:-0}}}}
  [ -x /usr/bin/time ] || { echo "$me: recording peak memory needs GNU time (Debian package time), missing on host $host" >&2; exit 3; }
  mkdir -p "$MEMBENCH_PEAK_RSS_DIR"
  exec /usr/bin/time --quiet -f %M -o "$MEMBENCH_PEAK_RSS_DIR/peak-rss.rank-$rank.txt" "$@"
fi
exec "$@"
