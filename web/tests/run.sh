#!/usr/bin/env bash
# One of the browser edition's test files under Node.js (the page in headless Chromium), against
# the page in build/web and the given zelvar-cli, or one part of it (page:agree runs that part of
# page.test.mjs); `core` runs the core's tests built as WebAssembly.
# Skipped (77) with a note when the browser edition is not built: make web, or make test.
set -euo pipefail
cd "$(dirname "$0")/.."
what="$1" cli="$2"
export NODE_PATH=/usr/share/nodejs
if [ "$what" = core ]; then
    tests=../build/wasm/tests/wasm/core_tests.js
    [ -f "$tests" ] || { echo "$tests is not built: make web-test or make test"; exit 77; }
    exec node "$tests" --gtest_brief=1
fi
[ -f ../build/web/app.js ] && [ -d node_modules ] || {
    echo "build/web is not built: make web-test or make test"
    exit 77
}
file="${what%%:*}" part=""
[ "$file" != "$what" ] && part="${what#*:}"
ZELVAR_WEB=../build/web ZELVAR_CLI="$cli" ZELVAR_PART="$part" \
    exec node --test --test-reporter=spec "tests/$file.test.mjs"
