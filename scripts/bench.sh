#!/usr/bin/env bash
# Builds the benchmarks (release, no sanitizers) and prints their figures as one table:
#   ./scripts/bench.sh [name...]      (no names: every benchmark; "Blur" runs bench_Blur)
# The last column says whether a row with a goal met it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

build="$root/build/bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARSEL_TESTS=ON

names=()
for name in "$@"; do
    name=${name#bench_}
    if [ ! -f "$root/bench/bench_$name.cpp" ]; then
        echo "No benchmark named $name; there are:" $(cd "$root/bench" && ls bench_*.cpp | sed 's/^bench_//; s/\.cpp$//')
        exit 2
    fi
    names+=("$name")
done
if [ ${#names[@]} -gt 0 ]; then
    targets=()
    for name in "${names[@]}"; do targets+=(--target "bench_$name"); done
    cmake --build "$build" --parallel "$jobs" "${targets[@]}"
else
    cmake --build "$build" --parallel "$jobs"
    for exe in "$build"/bench/bench_*; do
        [ -f "$exe" ] && [ -x "$exe" ] || continue
        name=$(basename "$exe"); names+=("${name#bench_}")
    done
fi

export QT_QPA_PLATFORM=offscreen
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/runtime" && chmod 700 "$home/runtime"

# A goal is a comparison with a number ("<= 1.5", "< 20", ">= 0.25"); "-" is none.
met() {
    awk -F'\t' -v OFS='\t' '{
        verdict = ""
        if (split($5, goal, " ") == 2 && goal[2] ~ /^-?[0-9.]+$/) {
            v = $3 + 0; g = goal[2] + 0
            if (goal[1] == "<=") ok = v <= g
            else if (goal[1] == "<") ok = v < g
            else if (goal[1] == ">=") ok = v >= g
            else if (goal[1] == ">") ok = v > g
            else ok = -1
            if (ok == 1) verdict = "yes"
            else if (ok == 0) verdict = "MISSED"
        }
        print $0, verdict
    }'
}

# Each benchmark prints rows "measure<TAB>value<TAB>unit<TAB>goal".
{
    printf 'benchmark\tmeasure\tvalue\tunit\tgoal\tmet\n'
    for name in "${names[@]}"; do
        HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache" XDG_RUNTIME_DIR="$home/runtime" \
            "$build/bench/bench_$name" | while IFS= read -r row; do printf 'bench_%s\t%s\n' "$name" "$row"; done | met
    done
} | column -t -s $'\t'
