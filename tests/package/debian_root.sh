#!/bin/sh
# A clean Debian 12 root for the package test: debootstrap's minimal system in DIR/root, from the
# mirror this machine uses, with /proc, /sys and /dev mounted inside so that MPI jobs can run
# there (chroot DIR/root ...).
#   debian_root.sh up DIR
#   debian_root.sh down DIR
# Needs root and debootstrap.
set -eu

action=$1
dir=$2
root=$dir/root

mirror() {
  url=""
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    url=$(awk '/^URIs:/ && $2 ~ /\/debian\/?$/ { print $2; exit }' /etc/apt/sources.list.d/debian.sources)
  fi
  if [ -z "$url" ] && [ -f /etc/apt/sources.list ]; then
    url=$(awk '$1 == "deb" && $2 ~ /\/debian\/?$/ { print $2; exit }' /etc/apt/sources.list)
  fi
  echo "${url:-http://deb.debian.org/debian}"
}

case "$action" in
  up)
    command -v debootstrap >/dev/null || { echo "debootstrap is not installed" >&2; exit 1; }
    mkdir -p "$root"
    debootstrap --variant=minbase bookworm "$root" "$(mirror)"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys"
    mount --make-rslave "$root/sys"
    mount --rbind /dev "$root/dev"
    mount --make-rslave "$root/dev"
    ;;
  down)
    status=0
    for mounted in dev sys proc; do
      if mountpoint -q "$root/$mounted"; then umount -R "$root/$mounted" || umount -l "$root/$mounted" || status=1; fi
    done
    exit $status
    ;;
  *)
    echo "usage: $0 up DIR | down DIR" >&2
    exit 2
    ;;
esac
