#!/usr/bin/env bash
# Times corvane-sheet against a small muparser evaluator (one parser and SetExpr per line) on
# the same 100,000 random arithmetic lines, in one run, and prints the ratio of their times.
#   bench/compare-muparser.sh [lines]   (BUILD=build by default; corvane-sheet must be built)
# Not part of `make test`: a speed comparison for a person to read.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
LINES=${1:-100000}
SHEET="$BUILD/corvane-sheet"
[[ -x "$SHEET" ]] || { echo "build $SHEET first (cmake --build $BUILD --target corvane-sheet)" >&2; exit 1; }

if ! dpkg -s libmuparser-dev >/dev/null 2>&1; then
    echo "installing libmuparser-dev" >&2
    sudo=""
    [[ $(id -u) -eq 0 ]] || sudo=sudo
    $sudo flock /tmp/apt.lock apt-get install -y --no-install-recommends libmuparser-dev >&2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/mu_eval.cpp" <<'CPP'
// Reads one expression per line, evaluates each with a fresh muparser parser, prints the result.
#include <muParser.h>

#include <cstdio>
#include <iostream>
#include <string>

int main() {
    std::ios::sync_with_stdio(false);
    std::string line;
    std::string out;
    char buffer[64];
    while (std::getline(std::cin, line)) {
        try {
            mu::Parser parser;
            parser.SetExpr(line);
            std::snprintf(buffer, sizeof buffer, "%.4f\n", parser.Eval());
            out += buffer;
        } catch (const mu::Parser::exception_type&) {
            out += "err\n";
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
CPP
g++ -O2 -std=c++17 "$work/mu_eval.cpp" -o "$work/mu_eval" $(pkg-config --cflags --libs muparser)

# Random arithmetic over both: integers, decimals, + - * / and parentheses, a fixed seed.
awk -v n="$LINES" 'BEGIN {
    srand(20261208)
    split("+ - * /", ops, " ")
    for (i = 0; i < n; i++) {
        terms = 2 + int(rand() * 5)
        line = ""
        open = 0
        for (t = 0; t < terms; t++) {
            if (t > 0) line = line " " ops[1 + int(rand() * 4)] " "
            if (rand() < 0.25) { line = line "("; open++ }
            if (rand() < 0.5) line = line int(rand() * 1000)
            else line = line int(rand() * 100) "." int(rand() * 100)
            if (open > 0 && rand() < 0.4) { line = line ")"; open-- }
        }
        while (open-- > 0) line = line ")"
        print line
    }
}' > "$work/lines.txt"

seconds() { # command... ; prints the wall time in seconds of one run
    local start end
    start=$(date +%s.%N)
    "$@" < "$work/lines.txt" > "$work/out.txt"
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}
sheet=$(seconds "$SHEET")
sheet_lines=$(wc -l < "$work/out.txt")
mu=$(seconds "$work/mu_eval")
mu_lines=$(wc -l < "$work/out.txt")
printf 'lines:         %d (corvane-sheet printed %d, muparser %d)\n' "$LINES" "$sheet_lines" "$mu_lines"
printf 'corvane-sheet: %.3f s (%.3f us per line)\n' "$sheet" "$(echo "$sheet * 1000000 / $LINES" | bc -l)"
printf 'muparser:      %.3f s (%.3f us per line)\n' "$mu" "$(echo "$mu * 1000000 / $LINES" | bc -l)"
printf 'ratio:         %.4f (corvane-sheet time / muparser time)\n' "$(echo "$sheet / $mu" | bc -l)"
