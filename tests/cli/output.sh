#!/usr/bin/env bash
# Where zelvar-cli's output goes: a refused write is an error, -o writes devices in place.
set -u
source "$(dirname "$0")/harness.bash" "$1"

"$cli" defaults -o "$work/z.cfg"
"$cli" image "$work/z.cfg" --raw >"$work/z.image"

# Every command that prints says so, and fails, when the output cannot be written.
while IFS= read -r line; do
    read -ra words <<<"$line"
    "$cli" "${words[@]}" >/dev/full 2>"$work/err"
    code=$?
    [ "$code" -ne 0 ] || fail "$line > /dev/full: exit 0"
    contains "$work/err" "cannot write the output: No space left on device"
done <<LIST
defaults
image $work/z.cfg
normalize $work/z.cfg
decode $work/z.image
diff $work/z.cfg $work/z.cfg
position --lat 45.30.15 --lon 009.10.30
doctor --device /dev/null
ports --json
--help
defaults --help
--version
LIST

# -o names of descriptors, devices and pipes are written in place; regular files are replaced.
echo "earlier line" >"$work/log.txt"
"$cli" defaults -o /dev/stdout >>"$work/log.txt" || fail "defaults -o /dev/stdout"
{ echo "earlier line"; "$cli" defaults; } | cmp -s - "$work/log.txt" ||
    fail "-o /dev/stdout did not append to the log: $(head -c 200 "$work/log.txt")"
[ "$("$cli" defaults -o /dev/fd/1 | wc -c)" -gt 0 ] || fail "-o /dev/fd/1 into a pipe"
expect 0 "-o /dev/null" "$cli" defaults -o /dev/null
[ -c /dev/null ] || fail "-o /dev/null replaced the device"
mkfifo "$work/fifo"
timeout 10 cat "$work/fifo" >"$work/from-fifo" &
expect 0 "-o fifo" timeout 10 "$cli" defaults -o "$work/fifo"
wait
[ -p "$work/fifo" ] && cmp -s "$work/from-fifo" "$work/z.cfg" || fail "-o fifo"
expect 2 "-o /dev/full" "$cli" defaults -o /dev/full
contains "$work/err" "/dev/full: No space left on device"

# Arguments that name no file.
expect 2 "-o empty" "$cli" defaults -o ""
contains "$work/err" "empty file name"
expect 2 "defaults -- -o" "$cli" defaults -- -o
contains "$work/err" "unexpected argument -o"
contains "$work/err" "Usage: zelvar-cli defaults"
expect 2 "normalize -- -o" "$cli" normalize -- -o
contains "$work/err" "-o: No such file or directory"
expect 2 "defaults -x" "$cli" defaults -x
contains "$work/err" "unknown option -x"

finish output
