#!/usr/bin/env bash
# Prints one closing line over the whole `make test` run: the ctest totals of the given build
# folders plus one test per fuzzer. Only reached when everything before it passed.
set -euo pipefail

passed=0
not_run=()
for build in "$@"; do
    if [[ -d "$build" && ! -f "$build/ctest.log" && ! -e "$build"/fuzz_*.log ]]; then
        not_run+=("$build")
    fi
    if [[ -f "$build/ctest.log" ]]; then
        count=$(grep -oP 'tests failed out of \K[0-9]+' "$build/ctest.log" | tail -n 1 || true)
        passed=$((passed + ${count:-0}))
    fi
    for log in "$build"/fuzz_*.log; do
        [[ -f "$log" ]] && passed=$((passed + 1))
    done
done
echo "summary: $passed passed, 0 failed"
if [[ ${#not_run[@]} -gt 0 ]]; then
    echo "summary: built but not run here: ${not_run[*]} (see the reason above)"
fi
