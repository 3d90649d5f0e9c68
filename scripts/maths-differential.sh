#!/bin/sh
# Random function lines through the Linux corvane-sheet and the Windows ones under Wine, at
# --decimals 15: prints how many lines differ for each Windows build (0 is the goal).
#   scripts/maths-differential.sh [COUNT] [SEED]     (default 100000 lines, seed 2026)
# Needs build/ and build-win32/ or build-win64/ (make build windows); a build or a Wine that is
# missing is reported and skipped. WINE names another Wine loader (e.g. /usr/lib/wine/wine64).
# Where the kernel runs no 32-bit programs, the i686 build runs through qemu-i386 user emulation
# (scripts/wine32-emulated.sh) when that is available.
set -u
count=${1:-100000}
seed=${2:-2026}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/scripts/maths-lines.py" "$count" "$seed" >"$work/lines.sheet"
"$root/build/corvane-sheet" --decimals 15 <"$work/lines.sheet" >"$work/linux.out" || exit 1
status=0
for target in win32 win64; do
    exe=$root/build-$target/corvane-sheet.exe
    if [ ! -f "$exe" ]; then
        echo "$target: no $exe, skipped"
        continue
    fi
    wine=${WINE:-wine}
    emulation=
    if [ "$target" = win32 ] && [ -z "${WINE-}" ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1 &&
        "$root/scripts/wine32-emulated.sh" --check 2>/dev/null; then
        echo "win32: through qemu-i386 user emulation (this kernel runs no 32-bit programs)"
        emulation=$root/scripts/wine32-emulated.sh
    fi
    export WINEPREFIX="$root/build-$target/wineprefix" WINEDEBUG=-all
    if ! ${emulation:+"$emulation"} "$wine" "$exe" --decimals 15 <"$work/lines.sheet" \
        >"$work/$target.raw" 2>"$work/$target.err"; then
        echo "$target: did not run under $wine: $(head -c 300 "$work/$target.err")"
        status=1
        continue
    fi
    tr -d '\r' <"$work/$target.raw" >"$work/$target.out"
    differing=$(paste -d '\n' "$work/linux.out" "$work/$target.out" |
        awk 'NR % 2 == 1 { a = $0; next } a != $0 { n++ } END { print n + 0 }')
    lines=$(wc -l <"$work/$target.out")
    echo "$target: $differing of $count lines differ ($lines lines out)"
    if [ "$differing" -ne 0 ]; then
        paste -d '|' "$work/lines.sheet" "$work/linux.out" "$work/$target.out" |
            awk -F'|' '$2 != $3 { print "  " $1 ": linux " $2 ", windows " $3 }' | head -20
        status=1
    fi
    [ "$lines" -eq "$count" ] || status=1
done
exit $status
