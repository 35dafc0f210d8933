#!/usr/bin/env bash
# Sourced by the run scripts: sets `launcher` to the MPI launcher and `launcherFlags` to the
# flags this launcher needs to start `processes` processes here (Open MPI refuses root and
# more processes than cores unless told; other launchers need neither flag).
launcher=$(command -v mpirun || command -v mpiexec || true)
if [ -z "$launcher" ]; then
  echo "No MPI launcher (mpirun) found; run scripts/setup.sh first." >&2
  exit 1
fi
launcherFlags=()
if "$launcher" --version 2>&1 | grep -q -E "Open MPI|OpenRTE"; then
  if [ "$(id -u)" -eq 0 ]; then
    launcherFlags+=(--allow-run-as-root)
  fi
  if [ "${processes:-1}" -gt "$(nproc)" ]; then
    launcherFlags+=(--oversubscribe)
  fi
fi
