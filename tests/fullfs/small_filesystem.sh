#!/bin/sh
# A tiny file system for the tests of a full disk: an ext2 image of 1 KiB blocks, loop-mounted
# at DIR/mnt, with exactly FREE_KIB kibibytes left for new data (0: full), and, with "noinodes",
# no inode left either (no new file can be created).
#   small_filesystem.sh up DIR FREE_KIB [noinodes]
#   small_filesystem.sh down DIR
# Needs root (mount) and e2fsprogs (mkfs.ext2).
set -eu

action=$1
dir=$2

freeBlocks() { stat -f -c %a "$dir/mnt"; }

case "$action" in
  up)
    want=$3
    mkdir -p "$dir/mnt"
    dd if=/dev/zero of="$dir/image" bs=1k count=256 status=none
    mkfs.ext2 -q -F -b 1024 -N 32 -m 0 "$dir/image"
    mount -o loop "$dir/image" "$dir/mnt"
    chmod 777 "$dir/mnt"
    # Fill every block, then give back what the test asks for, a block at a time (a block map
    # freed along the way may give one more).
    dd if=/dev/zero of="$dir/mnt/filler" bs=1k status=none 2>/dev/null || true
    sync
    while [ "$(freeBlocks)" -lt "$want" ]; do
      truncate -s -1K "$dir/mnt/filler"
      sync
    done
    while [ "$(freeBlocks)" -gt "$want" ]; do
      dd if=/dev/zero bs=1k count=1 status=none >>"$dir/mnt/filler" 2>/dev/null || break
      sync
    done
    if [ "${4:-}" = noinodes ]; then
      count=0
      while (: >"$dir/mnt/inode.$count") 2>/dev/null; do count=$((count + 1)); done
    fi
    echo "$(freeBlocks) KiB free, $(stat -f -c %d "$dir/mnt") inodes free"
    [ "$(freeBlocks)" -eq "$want" ]
    ;;
  down)
    umount "$dir/mnt"
    ;;
  *)
    echo "usage: $0 up DIR FREE_KIB [noinodes] | down DIR" >&2
    exit 2
    ;;
esac
