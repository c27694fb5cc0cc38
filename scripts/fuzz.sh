#!/usr/bin/env bash
# Builds every fuzz harness with clang and libFuzzer and runs each for the given seconds (default 60).
# New inputs are kept in fuzz/corpus/<harness>/; the first crash stops the run with its input saved.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
seconds=${1:-60}

build="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARSEL_FUZZ=ON
cmake --build "$build" --parallel "$jobs"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_stack_use_after_return=0:detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache"
export XDG_RUNTIME_DIR="$home/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
mkdir -p "$root/fuzz/crashes"

for exe in "$build"/fuzz/fuzz_*; do
    [ -f "$exe" ] && [ -x "$exe" ] || continue
    name=$(basename "$exe"); name=${name#fuzz_}
    corpus="$root/fuzz/corpus/$name"
    mkdir -p "$corpus"
    echo "== $name: $seconds s"
    "$exe" "$corpus" -max_total_time="$seconds" -artifact_prefix="$root/fuzz/crashes/$name-" -print_final_stats=1
done
echo "All harnesses ran clean."
