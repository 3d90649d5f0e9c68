#!/bin/sh
# Runs a command with CORVANE_SMALL_DISK naming, as a path on Wine's drive Z:, an empty folder
# on a small disk of its own (a 128 KB tmpfs) for as long as the command runs. Mounting needs
# root: without it, or when the mount fails, the run is skipped (exit status 77).
#   small_disk.sh <command>...
set -u
if [ "$(id -u)" != 0 ]; then
    echo "small_disk.sh: not root, so no small disk can be mounted"
    exit 77
fi
dir=$(mktemp -d)
if ! mount -t tmpfs -o size=128k,mode=0755 tmpfs "$dir"; then
    rmdir "$dir"
    echo "small_disk.sh: the small disk could not be mounted"
    exit 77
fi
# Lazily: Wine's server may still hold the folder open for a moment.
trap 'umount -l "$dir"; rmdir "$dir"' EXIT
CORVANE_SMALL_DISK="Z:$(printf '%s' "$dir" | tr / '\\')" "$@"
