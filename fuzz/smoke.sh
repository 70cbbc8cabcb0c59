#!/usr/bin/env bash
# One fuzz target for a few seconds: from the seeds in fuzz/corpus-NAME (the manual joins the RTF
# seeds) with the words of fuzz/NAME.dict. What the fuzzer learns stays in corpus-NAME beside the
# binary for the next run; a crash leaves NAME-crash-* there and the log's end is shown. Inputs
# stay within 16 KiB: the manual's mutants of 360 KB, kept run after run, made loading the RTF
# corpus alone take 23 s.
set -euo pipefail
target="$1" name="$2" seconds="$3"
here="$(cd "$(dirname "$0")" && pwd)"
out="$(dirname "$target")"
mkdir -p "$out/corpus-$name"
if [ "$name" = rtf ]; then
    cp "$here/../docs/Zelvar_Config.rtf" "$out/corpus-$name/manual.rtf"
fi
"$target" -max_total_time="$seconds" -max_len=16384 -timeout=10 -dict="$here/$name.dict" \
    -artifact_prefix="$out/$name-" "$out/corpus-$name" "$here/corpus-$name" \
    >"$out/$name.log" 2>&1 || {
    tail -40 "$out/$name.log"
    exit 1
}
grep '^Done' "$out/$name.log"
