#!/usr/bin/env bash
# Sourced by the run scripts. Defines chooseMpi.

# chooseMpi KIND PROCESSES: picks the MPI implementation KIND (openmpi or mpich) explicitly,
# never whichever mpicxx or mpirun is the system's default, and sets
#   mpiPackages    the Debian packages it needs
#   mpiCompiler    its C++ compiler wrapper
#   launcher       its launcher
#   buildDir       the build folder of the program built with it
#   launcherFlags  the flags this launcher needs here for PROCESSES processes: Open MPI refuses
#                  root and more processes than cores unless told (MPICH needs neither, and
#                  knows neither flag)
chooseMpi() {
  local kind=$1 processes=$2
  case "$kind" in
    openmpi)
      mpiPackages=(openmpi-bin libopenmpi-dev)
      mpiCompiler=/usr/bin/mpicxx.openmpi
      launcher=/usr/bin/mpirun.openmpi
      buildDir=build
      ;;
    mpich)
      mpiPackages=(mpich libmpich-dev)
      mpiCompiler=/usr/bin/mpicxx.mpich
      launcher=/usr/bin/mpiexec.mpich
      buildDir=build-mpich
      ;;
    *)
      echo "MEMBENCH_MPI must be openmpi or mpich, not '$kind'" >&2
      exit 2
      ;;
  esac
  launcherFlags=()
  if [ "$kind" = openmpi ]; then
    if [ "$(id -u)" -eq 0 ]; then
      launcherFlags+=(--allow-run-as-root)
    fi
    if [ "$processes" -gt "$(nproc)" ]; then
      launcherFlags+=(--oversubscribe)
    fi
  fi
}
