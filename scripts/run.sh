#!/usr/bin/env bash
# Builds the release configuration and starts the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

build="$root/build/release"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" --parallel "$jobs"

program="$build/app/tarsel"
if [ ! -x "$program" ]; then
    echo "Built the libraries; the program tarsel is not part of this build yet."
    exit 0
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found. Start it under a virtual one:"
    echo "    xvfb-run -a -s '-screen 0 1280x800x24' $program"
    exit 1
fi
exec "$program" "$@"
