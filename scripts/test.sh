#!/usr/bin/env bash
# Builds the test configuration (AddressSanitizer and UndefinedBehaviorSanitizer) and runs every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

# Includes only point down the order of folders in CONTRIBUTING.md.
python3 "$root/scripts/check_layers.py"

build="$root/build/test"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTARSEL_TESTS=ON -DTARSEL_SANITIZE=ON
cmake --build "$build" --parallel "$jobs"

# The test programs carry their sanitizer options themselves (tests/support/SanitizerOptions.cpp).
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --parallel "$jobs" --timeout 300
