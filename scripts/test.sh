#!/usr/bin/env bash
# Builds the test configuration (AddressSanitizer and UndefinedBehaviorSanitizer) and runs every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

build="$root/build/test"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTARSEL_TESTS=ON -DTARSEL_SANITIZE=ON
cmake --build "$build" --parallel "$jobs"

export QT_QPA_PLATFORM=offscreen
# QtScript's garbage collector scans the native stack, which fake stacks and leak checks trip over.
export ASAN_OPTIONS=detect_stack_use_after_return=0:detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build"
ctest --output-on-failure --parallel "$jobs" --timeout 300
