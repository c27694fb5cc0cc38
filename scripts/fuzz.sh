#!/usr/bin/env bash
# Builds every fuzz harness with clang and libFuzzer and runs each for the given seconds (default 60):
#   ./scripts/fuzz.sh [seconds] [harness...]      (no names: every harness)
# FUZZ_JOBS=n runs up to n harnesses at once (default 1, one after the other).
# A harness may carry its own libFuzzer options in fuzz/<harness>.options: "name = value" lines under a
# "[libfuzzer]" heading (the layout ClusterFuzz reads), each passed on as -name=value.
# New inputs are kept in fuzz/corpus/<harness>/; the first crash stops the run with its input saved in
# fuzz/crashes/ and a non-zero exit. Each harness's log is in build/fuzz/logs/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
seconds=${1:-60}
shift || true
parallel=${FUZZ_JOBS:-1}

build="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARSEL_FUZZ=ON
if [ $# -gt 0 ]; then
    targets=()
    for name in "$@"; do targets+=(--target "fuzz_$name"); done
    cmake --build "$build" --parallel "$jobs" "${targets[@]}"
else
    cmake --build "$build" --parallel "$jobs"
fi

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_stack_use_after_return=0:detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache"
export XDG_RUNTIME_DIR="$home/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
mkdir -p "$root/fuzz/crashes" "$build/logs"

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    for exe in "$build"/fuzz/fuzz_*; do
        [ -f "$exe" ] && [ -x "$exe" ] || continue
        name=$(basename "$exe"); names+=("${name#fuzz_}")
    done
fi

# The options of a harness's .options file, one -name=value a line.
harness_options() {
    local file="$root/fuzz/$1.options"
    [ -f "$file" ] || return 0
    awk '/^[ \t]*\[/ { inside = ($0 ~ /^[ \t]*\[libfuzzer\][ \t]*$/); next }
         inside && /=/ && !/^[ \t]*[#;]/ {
             name = substr($0, 1, index($0, "=") - 1); value = substr($0, index($0, "=") + 1)
             gsub(/^[ \t]+|[ \t]+$/, "", name); gsub(/^[ \t]+|[ \t]+$/, "", value)
             print "-" name "=" value
         }' "$file"
}

# One harness: its log, and on failure the input saved with the harness's name in front.
fuzz_one() {
    local name=$1 corpus="$root/fuzz/corpus/$1" options=()
    mkdir -p "$corpus"
    mapfile -t options < <(harness_options "$name")
    echo "== $name: $seconds s ${options[*]}"
    "$build/fuzz/fuzz_$name" "$corpus" -max_total_time="$seconds" -artifact_prefix="$root/fuzz/crashes/$name-" \
        -print_final_stats=1 "${options[@]}" >"$build/logs/$name.log" 2>&1
}

# "name  runs  exec/s  cov" from a finished log.
summary() {
    local log="$build/logs/$1.log"
    local runs execs cov
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    execs=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    printf '%-20s runs %-10s exec/s %-8s cov %s\n' "$1" "${runs:-?}" "${execs:-?}" "${cov:-?}"
}

for name in "${names[@]}"; do rm -f "$build/logs/$name.log"; done
failed=""
declare -A running=()
for name in "${names[@]}"; do
    while [ ${#running[@]} -ge "$parallel" ]; do
        wait -n || true
        for pid in "${!running[@]}"; do
            if ! kill -0 "$pid" 2>/dev/null; then
                wait "$pid" || failed="$failed ${running[$pid]}"
                unset "running[$pid]"
            fi
        done
    done
    [ -z "$failed" ] || break
    fuzz_one "$name" &
    running[$!]=$name
done
for pid in "${!running[@]}"; do
    wait "$pid" || failed="$failed ${running[$pid]}"
done

for name in "${names[@]}"; do
    [ -f "$build/logs/$name.log" ] && summary "$name"
done
if [ -n "$failed" ]; then
    for name in $failed; do
        echo "== $name failed; its log:"
        tail -40 "$build/logs/$name.log"
    done
    echo "Fuzzing found a fault in:$failed (inputs in fuzz/crashes/)."
    exit 1
fi
echo "All harnesses ran clean."
