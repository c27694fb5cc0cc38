#!/usr/bin/env bash
# Builds the benchmarks (release, no sanitizers) and prints their figures as one table:
#   ./scripts/bench.sh [name...]      (no names: every benchmark; "Blur" runs bench_Blur)
# Each benchmark judges its own goals on the exact values; the last column says whether a row with a goal met
# it. A benchmark that fails gets a row with its exit status, the others run all the same, and the script then
# exits with 1.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

build="$root/build/bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARSEL_BENCHMARKS=ON >/dev/null

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
    cmake --build "$build" --parallel "$jobs" --target benchmarks
    for exe in "$build"/bench/bench_*; do
        [ -f "$exe" ] && [ -x "$exe" ] || continue
        name=$(basename "$exe"); names+=("${name#bench_}")
    done
fi

export QT_QPA_PLATFORM=offscreen
home=$(mktemp -d)
rows=$(mktemp)
trap 'rm -rf "$home" "$rows"' EXIT
mkdir -p "$home/runtime" && chmod 700 "$home/runtime"

# Each benchmark prints rows "measure<TAB>value<TAB>unit<TAB>goal[<TAB>met]"; a row without a goal has no verdict.
failed=0
printf 'benchmark\tmeasure\tvalue\tunit\tgoal\tmet\n' >"$rows"
for name in "${names[@]}"; do
    output=$(mktemp)
    status=0
    HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache" \
        XDG_RUNTIME_DIR="$home/runtime" "$build/bench/bench_$name" >"$output" || status=$?
    awk -F'\t' -v OFS='\t' -v name="bench_$name" 'NF >= 4 { print name, $1, $2, $3, $4, (NF >= 5 ? $5 : "") }' \
        "$output" >>"$rows"
    rm -f "$output"
    if [ "$status" -ne 0 ]; then
        printf 'bench_%s\tthe benchmark failed\t%d\texit status\t-\tFAILED\n' "$name" "$status" >>"$rows"
        failed=1
    fi
done
column -t -s $'\t' "$rows"
exit "$failed"
