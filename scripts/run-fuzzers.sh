#!/usr/bin/env bash
# Runs every fuzzer of a CORVANE_FUZZ build for a number of seconds each.
# usage: scripts/run-fuzzers.sh BUILD_DIR SECONDS
# Each runs on a copy of its seed corpus in the build folder, so the repository stays clean;
# crash artifacts land in BUILD_DIR/fuzz-artifacts/. Any crash, leak or timeout fails the run.
set -euo pipefail

build=${1:?build folder}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)

declare -A corpus=([fuzz_evaluate]=evaluate [fuzz_worksheet]=worksheet)
mkdir -p "$build/fuzz-artifacts"
# The settings files the worksheet fuzzer writes go to memory when it can: saving syncs to disk,
# which would otherwise cost most of the run.
if scratch=$(mktemp -d /dev/shm/corvane-fuzz.XXXXXX 2>/dev/null); then
    :
else
    mkdir -p "$build/fuzz-tmp"
    scratch=$(mktemp -d "$(cd "$build/fuzz-tmp" && pwd)/run.XXXXXX")
fi
trap 'rm -rf "$scratch"' EXIT
export TMPDIR="$scratch"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failed=0
for target in fuzz_evaluate fuzz_worksheet; do
    work="$build/fuzz-corpus/$target"
    rm -rf "$work"
    mkdir -p "$work"
    cp "$root/fuzz/corpus/${corpus[$target]}"/* "$work/"
    log="$build/$target.log"
    echo "fuzz: $target for ${seconds}s ($(ls "$work" | wc -l) seed files)"
    if "$build/fuzz/$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -dict="$root/fuzz/dict/${corpus[$target]}.dict" \
        -artifact_prefix="$build/fuzz-artifacts/$target-" "$work" >"$log" 2>&1; then
        # The last status line and the totals.
        grep -E '^#[0-9]+' "$log" | tail -n 1 || true
        grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)' \
            "$log" || true
        echo "fuzz: $target passed"
    else
        failed=1
        echo "fuzz: $target FAILED; log $log; the end of it:"
        tail -n 60 "$log"
        ls -l "$build/fuzz-artifacts/" || true
    fi
done
exit $failed
