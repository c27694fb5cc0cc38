#!/usr/bin/env bash
# Pictures every widget of the kit and every window of the program into build/gallery, at pixel ratio 1 and 2,
# with one contact sheet per ratio. Uses the test configuration, so after ./scripts/test.sh it only links.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

build="$root/build/test"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTARSEL_TESTS=ON -DTARSEL_SANITIZE=ON >/dev/null
cmake --build "$build" --parallel "$jobs" --target gallery

out="$root/build/gallery"
rm -rf "$out"
export ASAN_OPTIONS=detect_stack_use_after_return=0:detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The ratio is fixed before the application object exists, so each one is a run of its own. Both see the
# same screen of 800 x 600 logical pixels: the offscreen platform's screen is 800 x 600 device pixels, which
# at ratio 2 would be a small screen of 400 x 300, so each ratio gets a virtual X screen of its own size.
for ratio in 1 2; do
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$ratio \
        xvfb-run -a -s "-screen 0 $((800 * ratio))x$((600 * ratio))x24 -dpi 96" \
        "$build/tests/gallery/gallery" "$out"
done
echo "Contact sheets: $out/contact-sheet@1x.png $out/contact-sheet@2x.png"
