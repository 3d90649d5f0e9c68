#!/bin/sh
# Runs corvane-sheet on one golden case: <case>.sheet on standard input, the options of
# <case>.args (one line, optional), from the case's folder. Its output must equal <case>.expected.
set -u
sheet=$1
case=$2
dir=$(dirname "$case")
set -f
args=""
if [ -f "$case.args" ]; then
    args=$(cat "$case.args")
fi
actual=$(mktemp)
trap 'rm -f "$actual"' EXIT
# shellcheck disable=SC2086 # the options are one line of words
(cd "$dir" && "$sheet" $args) <"$case.sheet" >"$actual"
rc=$?
if [ $rc -ne 0 ]; then
    echo "corvane-sheet exited with $rc" >&2
    exit 1
fi
if cmp -s "$case.expected" "$actual"; then
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
}' "$case.sheet" "$case.expected" "$actual"
diff -u "$case.expected" "$actual"
exit 1
