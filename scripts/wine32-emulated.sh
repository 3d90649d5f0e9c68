#!/usr/bin/env bash
# Runs a command in which 32-bit x86 Linux programs (32-bit Wine's loader among them) run through
# qemu-i386 user emulation, for a kernel that cannot start 32-bit programs itself ("Exec format
# error"). The i386 ELF handler is registered with binfmt_misc in a private user and mount
# namespace of the command alone (Linux 6.7 or later): the machine's own handlers stay as they
# are, and every other process still gets "Exec format error".
#   scripts/wine32-emulated.sh COMMAND [ARG...]
#   scripts/wine32-emulated.sh --check     exit 0 when this works here; else 1 and why, on stderr
# qemu 7.2 takes mmap's MAP_FIXED_NOREPLACE for a hint, which breaks 32-bit Wine; a small
# library preloaded into the 32-bit programs (wine32-noreplace.c) restores the flag. It is built
# with clang-14 once into $CORVANE_WINE32_DIR (default: build-win32/wine32-emulated).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
qemu=/usr/bin/qemu-i386-static
dir=${CORVANE_WINE32_DIR:-$root/build-win32/wine32-emulated}
library=wine32-noreplace.so

fail() {
    echo "wine32-emulated: $*" >&2
    exit 1
}

# The preloaded library, for i386, and an empty one of the same name for x86_64: LD_PRELOAD
# names it through $LIB, so 64-bit programs (wineserver, the shell) load the empty one quietly.
build_library() {
    local lib32=$dir/lib/i386-linux-gnu/$library lib64=$dir/lib/x86_64-linux-gnu/$library
    [[ $lib32 -nt $root/scripts/wine32-noreplace.c && -f $lib64 ]] && return 0
    command -v clang-14 >/dev/null || fail "clang-14 is missing (scripts/install-deps.sh)"
    mkdir -p "$(dirname "$lib32")" "$(dirname "$lib64")"
    # Built beside and renamed into place, so that tests started together never load a half file.
    clang-14 --target=i386-linux-gnu -O2 -fPIC -shared -nostdlib -o "$lib32.$$" \
        "$root/scripts/wine32-noreplace.c" || fail "cannot build $lib32"
    clang-14 -x c -fPIC -shared -nostdlib -o "$lib64.$$" /dev/null || fail "cannot build $lib64"
    mv -f "$lib64.$$" "$lib64"
    mv -f "$lib32.$$" "$lib32"
}

# In the new namespaces: a binfmt_misc of their own, i386 ELF executables and shared objects
# (e_machine 3) handed to qemu, opened now (flag F) so that it serves every program below.
inner='
mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null || {
    echo "wine32-emulated: this kernel has no binfmt_misc of its own for a namespace" \
         "(Linux 6.7 or later)" >&2
    exit 1
}
echo ":qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:$0:F" \
    >/proc/sys/fs/binfmt_misc/register || exit 1
exec "$@"'

run() {
    [[ -x $qemu ]] || fail "$qemu is missing (the package qemu-user-static)"
    command -v unshare >/dev/null || fail "unshare is missing (the package util-linux)"
    build_library
    LD_PRELOAD="$dir/\$LIB/$library" \
        exec unshare --user --map-root-user --mount sh -c "$inner" "$qemu" "$@"
}

if [[ ${1-} == --check ]]; then
    # The 32-bit Wine loader has to start.
    output=$("$0" /usr/lib/wine/wine --version 2>&1) ||
        fail "32-bit Wine does not start under emulation: $output"
    exit 0
fi
[[ $# -gt 0 ]] || { echo "usage: $0 --check | COMMAND [ARG...]" >&2; exit 2; }
run "$@"
