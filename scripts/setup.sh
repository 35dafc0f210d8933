#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing cluster-membench need, when
# any is missing. Extra package names may be given as arguments.
# As root it installs them with apt-get, saying so in one line and keeping apt-get's own output
# in a log file (named if anything fails); as another user it names them and stops.
set -euo pipefail

packages=(g++ make cmake openmpi-bin libopenmpi-dev libgtest-dev
          nlohmann-json3-dev libcli11-dev libtinyxml2-dev "$@")

missing=()
for package in "${packages[@]}"; do
  for seen in "${missing[@]}"; do
    [ "$seen" != "$package" ] || continue 2
  done
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "cluster-membench needs these Debian packages, which are not installed: ${missing[*]}" >&2
  echo "Install them as root, then run this command again:" >&2
  echo "  sudo apt-get install ${missing[*]}" >&2
  exit 1
fi

log=${MEMBENCH_SETUP_LOG:-${TMPDIR:-/tmp}/cluster-membench-setup.log}
echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! { apt-get update -q && apt-get install -y -q "${missing[@]}"; } >"$log" 2>&1; then
  echo "installing failed; apt-get's output is in $log, ending with:" >&2
  tail -n 15 "$log" >&2
  exit 1
fi
