#!/usr/bin/env bash
# Exits 0 when this machine can run 32-bit Windows programs under Wine. A kernel built without
# 32-bit program support (some virtual machines) cannot start Wine's 32-bit loader at all
# ("Exec format error"); there the loader runs through qemu-i386 user emulation when
# scripts/wine32-emulated.sh can provide it (qemu-user-static and Linux 6.7 or later), which
# this says. Otherwise the i686 tests are built but cannot run, and this says why (exit 1).
loader=/usr/lib/wine/wine
if [[ ! -e $loader ]]; then
    echo "wine32-can-run: $loader is missing: install wine32:i386 (scripts/install-deps.sh)" >&2
    exit 2
fi
if ! output=$("$loader" --version 2>&1); then
    if emulation=$("$(dirname "$0")/wine32-emulated.sh" --check 2>&1); then
        echo "wine32-can-run: this kernel cannot start 32-bit programs (${output##*: }); the i686" \
             "programs run through qemu-i386 user emulation, i386 programs registered with" \
             "binfmt_misc for each test's own namespace only (scripts/wine32-emulated.sh)"
        exit 0
    fi
    echo "wine32-can-run: this kernel cannot start 32-bit programs: $output; nor can" \
         "emulation: $emulation" >&2
    exit 1
fi
exit 0
