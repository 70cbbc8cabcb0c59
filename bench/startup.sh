#!/usr/bin/env bash
# Times the main window's start against an empty Qt window of the same size, both under Xvfb:
# the median of 11 starts, each from launch to the window's first paint. Fails when the main
# window takes more than 1.3 times as long, or its peak memory passes 45 MB.
#   bench/startup.sh [BUILD-FOLDER]        (relative to the repository; default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
self=$PWD/bench/startup.sh

build=${1:-build/release}
runs=11
max_ratio=1.3
max_megabytes=45

for program in startup_timer bare_window; do
    [ -x "$build/bench/$program" ] || { echo "startup: no $build/bench/$program" >&2; exit 2; }
done
[ -x "$build/zelvar-config" ] || { echo "startup: no $build/zelvar-config" >&2; exit 2; }

# A server of its own, so a desktop's compositor and other windows stay out of the figures.
if [ -z "${ZELVAR_STARTUP_XVFB:-}" ]; then
    exec env ZELVAR_STARTUP_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$self" "$build"
fi
export QT_QPA_PLATFORM=xcb ZELVAR_EXIT_AFTER_FIRST_PAINT=1
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

figures=$("$build/bench/startup_timer" $runs "$build/bench/bare_window" "$build/zelvar-config")
{ read -r bare_us _; read -r zelvar_us zelvar_kib; } <<<"$figures"

awk -v bare="$bare_us" -v zelvar="$zelvar_us" -v kib="$zelvar_kib" -v runs=$runs \
    -v max_ratio=$max_ratio -v max_mb=$max_megabytes 'BEGIN {
    ratio = zelvar / bare
    mb = kib * 1024 / 1e6
    printf "start-up to first paint (median of %d under Xvfb): bare window %.1f ms, " \
           "zelvar-config %.1f ms, ratio %.2f (at most %.1f)\n", runs, bare / 1e3, zelvar / 1e3,
           ratio, max_ratio
    printf "peak memory of zelvar-config: %.1f MB (at most %d MB)\n", mb, max_mb
    failed = 0
    if (ratio > max_ratio) { print "startup: the main window starts too slowly"; failed = 1 }
    if (mb > max_mb) { print "startup: the main window uses too much memory"; failed = 1 }
    exit failed
}'
