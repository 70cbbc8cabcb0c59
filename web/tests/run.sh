#!/usr/bin/env bash
# One of the browser edition's test files under Node.js (the page in headless Chromium), against
# the page in build/web and the given zelvar-cli, or one part of it (page:agree runs that part of
# page.test.mjs); `core` runs the bindings' tests and the core's tests built as WebAssembly,
# `unit` the unit tests of the page's modules. The web target builds them all first.
set -euo pipefail
cd "$(dirname "$0")/.."
what="$1" cli="$2"
export NODE_PATH=/usr/share/nodejs ZELVAR_WEB=../build/web
if [ ! -f ../build/web/index.html ]; then
    echo "run.sh: the browser edition is not built: build the web target first (make web)" >&2
    exit 1
fi
if [ "$what" = unit ]; then
    exec node --test ../build/wasm/web/unit/
fi
file="${what%%:*}" part=""
[ "$file" != "$what" ] && part="${what#*:}"
# The file itself, not node --test, which would start a second Node.js for it.
ZELVAR_CLI="$cli" ZELVAR_PART="$part" node "tests/$file.test.mjs"
if [ "$what" = core ]; then
    exec node ../build/wasm/tests/wasm/core_tests.js --gtest_brief=1
fi
