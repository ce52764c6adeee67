#!/usr/bin/env bash
# A file system of 64 KiB for the full-disk cases of the Windows tests: "mount DIR" before them,
# "unmount DIR" after. Where this machine cannot mount one, DIR stays an ordinary folder and
# those tests skip, saying why.
set -u
case "$1" in
  mount)
    mkdir -p "$2"
    if mountpoint -q "$2"; then umount -l "$2"; fi
    mount -t tmpfs -o size=64k tmpfs "$2" || echo "no small file system at $2: the full-disk tests skip" >&2
    ;;
  unmount)
    # Lazily: Wine's server may still hold the folder open for a moment.
    if mountpoint -q "$2"; then umount -l "$2"; fi
    ;;
esac
exit 0
