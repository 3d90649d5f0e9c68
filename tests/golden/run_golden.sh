#!/bin/sh
# Runs corvane-sheet on one golden case: <case>.sheet on standard input, the options of
# <case>.args (one line, optional), from the case's folder. Its output must equal <case>.expected,
# with each LF as CR LF when the line end is crlf (the Windows build).
#   run_golden.sh <case> <lf|crlf> <command that runs corvane-sheet>...
set -u
case=$1
line_end=$2
shift 2
dir=$(dirname "$case")
set -f
args=""
if [ -f "$case.args" ]; then
    args=$(cat "$case.args")
fi
actual=$(mktemp)
expected=$(mktemp)
trap 'rm -f "$actual" "$expected"' EXIT
if [ "$line_end" = crlf ]; then
    sed 's/$/\r/' "$case.expected" >"$expected"
    # sed ends a last line that had no line end with one; the program would not.
    [ -n "$(tail -c 1 "$case.expected")" ] && truncate -s -1 "$expected"
else
    cp "$case.expected" "$expected"
fi
# shellcheck disable=SC2086 # the options are one line of words
(cd "$dir" && "$@" $args) <"$case.sheet" >"$actual"
rc=$?
if [ $rc -ne 0 ]; then
    echo "corvane-sheet exited with $rc" >&2
    exit 1
fi
if cmp -s "$expected" "$actual"; then
    exit 0
fi
echo "output differs from $case.expected:"
# One report per differing line, with the input line that produced it.
awk 'BEGIN {
    n = 0
    while ((getline input < ARGV[1]) > 0) {
        n++
        expected = ""; actual = ""
        getline expected < ARGV[2]
        getline actual < ARGV[3]
        sub(/\r$/, "", input)
        if (expected != actual)
            printf "line %d: %s\n  expected: %s\n  actual:   %s\n", n, input, expected, actual
    }
}' "$case.sheet" "$expected" "$actual"
diff -u "$expected" "$actual"
exit 1
