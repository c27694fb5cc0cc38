#!/usr/bin/env bash
# Builds the benchmarks (release, no sanitizers) and prints their figures as one table.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

build="$root/build/bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARSEL_TESTS=ON
cmake --build "$build" --parallel "$jobs"

export QT_QPA_PLATFORM=offscreen
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/runtime" && chmod 700 "$home/runtime"
# Each benchmark prints rows "measure<TAB>value<TAB>unit<TAB>goal".
{
    printf 'benchmark\tmeasure\tvalue\tunit\tgoal\n'
    for exe in "$build"/bench/bench_*; do
        [ -f "$exe" ] && [ -x "$exe" ] || continue
        name=$(basename "$exe")
        HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache" XDG_RUNTIME_DIR="$home/runtime" \
            "$exe" | while IFS= read -r row; do printf '%s\t%s\n' "$name" "$row"; done
    done
} | column -t -s $'\t'
