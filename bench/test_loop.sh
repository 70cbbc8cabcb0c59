#!/usr/bin/env bash
# How long a newcomer's `make test` takes, and a developer's after a one-line change: clones the
# committed tree into a temporary folder, runs `make test` there with no compiler cache (fresh),
# then changes one line of a core file and runs it again (warm); RUNS times each (3 unless
# given). Packages must be installed (make test installs what is missing first). Prints each
# time and the targets: fresh at most 480 s, warm at most 90 s. The last run's output stays in
# /tmp/zelvar-test-loop.log.
set -euo pipefail
runs="${1:-3}"
source="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
# The tests run the programs as other users too, as they would from a clone in a home folder.
chmod 755 "$work"
log=/tmp/zelvar-test-loop.log
trap 'rm -rf "$work"' EXIT
export CCACHE_DISABLE=1
core_file=src/config/text_number.cpp

timed() {
    local started=$SECONDS
    make -C "$work/tree" test >"$log" 2>&1 || {
        tail -40 "$log" >&2
        echo "make test failed: $log" >&2
        exit 1
    }
    echo $((SECONDS - started))
}

for run in $(seq "$runs"); do
    rm -rf "$work/tree"
    git clone -q --no-hardlinks "$source" "$work/tree"
    fresh=$(timed)
    echo "// A one-line change for the bench, run $run." >>"$work/tree/$core_file"
    warm=$(timed)
    echo "run $run: fresh $fresh s (target 480), warm $warm s (target 90)"
done
