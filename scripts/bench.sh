#!/usr/bin/env bash
# Builds the benchmarks (release, no sanitizers) and prints their figures as one table:
#   ./scripts/bench.sh [name...]      (no names: every benchmark; "Blur" runs bench_Blur)
# Each benchmark judges its own goals on the exact values; the last column says whether a row with a goal met
# it. A benchmark that fails, a goal that is not judged and a row name given twice each get a FAILED row, and
# the others run all the same. The count of missed goals comes last; the script exits with 1 when a goal is
# missed or anything failed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

build="$root/build/bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARSEL_BENCHMARKS=ON >/dev/null

# "name<TAB>program" for each benchmark this configuration builds (bench/CMakeLists.txt writes it).
declare -A programs=()
while IFS=$'\t' read -r target program; do
    programs[${target#bench_}]=$program
done <"$build/bench/benchmarks.txt"

names=()
for name in "$@"; do
    name=${name#bench_}
    if [ -z "${programs[$name]+set}" ]; then
        echo "No benchmark named $name in this build; there are:" $(printf '%s\n' "${!programs[@]}" | sort)
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
    mapfile -t names < <(printf '%s\n' "${!programs[@]}" | sort)
fi

export QT_QPA_PLATFORM=offscreen
home=$(mktemp -d)
rows=$(mktemp)
trap 'rm -rf "$home" "$rows"' EXIT
mkdir -p "$home/runtime" && chmod 700 "$home/runtime"

# Each benchmark prints rows "measure<TAB>value<TAB>unit<TAB>goal[<TAB>met]"; a row without a goal ("-") has no
# verdict, and one with a goal must have "yes" or "MISSED".
for name in "${names[@]}"; do
    output=$(mktemp)
    status=0
    HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache" \
        XDG_RUNTIME_DIR="$home/runtime" "${programs[$name]}" >"$output" || status=$?
    awk -F'\t' -v OFS='\t' -v name="bench_$name" '
        NF >= 4 {
            met = NF >= 5 ? $5 : ""
            if ($4 != "-" && met != "yes" && met != "MISSED")
                met = "FAILED: goal not judged"
            print name, $1, $2, $3, $4, met
            if (seen[$1]++)
                print name, $1, "-", "-", "-", "FAILED: row name given twice"
        }' "$output" >>"$rows"
    rm -f "$output"
    if [ "$status" -ne 0 ]; then
        printf 'bench_%s\tthe benchmark failed\t%d\texit status\t-\tFAILED\n' "$name" "$status" >>"$rows"
    fi
done
{ printf 'benchmark\tmeasure\tvalue\tunit\tgoal\tmet\n'; cat "$rows"; } | column -t -s $'\t'
failed=$(awk -F'\t' '$6 ~ /^FAILED/' "$rows" | wc -l)
missed=$(awk -F'\t' '$6 == "MISSED"' "$rows" | wc -l)
[ "$failed" -eq 0 ] || echo "$failed row(s) FAILED"
echo "$missed goal(s) missed"
[ "$missed" -eq 0 ] && [ "$failed" -eq 0 ]
