#!/usr/bin/env bash
# Exits 0 when this machine can run 32-bit Windows programs under Wine. A kernel built without
# 32-bit program support (some virtual machines) cannot start Wine's 32-bit loader at all
# ("Exec format error"); then the i686 tests are built but cannot run, and this says why.
loader=/usr/lib/wine/wine
if [[ ! -e $loader ]]; then
    echo "wine32-can-run: $loader is missing: install wine32:i386 (scripts/install-deps.sh)" >&2
    exit 2
fi
if ! output=$("$loader" --version 2>&1); then
    echo "wine32-can-run: this kernel cannot start 32-bit programs: $output" >&2
    exit 1
fi
exit 0
