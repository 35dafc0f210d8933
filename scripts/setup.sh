#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing cluster-membench need,
# when any is missing. Extra package names may be given as arguments.
# As root it installs them with apt-get; as another user it names them and stops.
set -euo pipefail

packages=(g++ make cmake openmpi-bin libopenmpi-dev libgtest-dev
          nlohmann-json3-dev libcli11-dev libtinyxml2-dev "$@")

missing=()
for package in "${packages[@]}"; do
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

echo "Installing ${missing[*]} ..."
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q "${missing[@]}"
