#!/usr/bin/env bash
# Sourced by the run scripts. Chooses the MPI implementation explicitly, by MEMBENCH_MPI:
# openmpi (the default) or mpich, and sets
#   mpiPackages    the Debian packages it needs
#   mpiCompiler    its C++ compiler wrapper
#   launcher       its launcher
#   buildDir       the build folder of the program built with it
#   launcherFlags  the flags this launcher needs here for `processes` processes: Open MPI
#                  refuses root and more processes than cores unless told (MPICH needs neither,
#                  and knows neither flag)
case "${MEMBENCH_MPI:-openmpi}" in
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
    echo "MEMBENCH_MPI must be openmpi or mpich, not '$MEMBENCH_MPI'" >&2
    exit 2
    ;;
esac

launcherFlags=()
if [ "${MEMBENCH_MPI:-openmpi}" = openmpi ]; then
  if [ "$(id -u)" -eq 0 ]; then
    launcherFlags+=(--allow-run-as-root)
  fi
  if [ "${processes:-1}" -gt "$(nproc)" ]; then
    launcherFlags+=(--oversubscribe)
  fi
fi
