#!/usr/bin/env bash
# The real zelvar-cli as a user runs it: its own stdout, and Ctrl+C on a receive that waits on a
# pseudo-terminal made by socat. The commands themselves, send read by receive's own reader
# among them, are tested in-process (cli_tests).
set -u
source "$(dirname "$0")/harness.bash" "$1"
relays=()
receiver=""
trap 'kill "${relays[@]}" $receiver 2>/dev/null; rm -rf "$work"' EXIT

expect 0 "--version" "$cli" --version
contains "$work/out" "zelvar-cli 4.0"

# Every kind of output says so, and fails, when it cannot be written.
"$cli" defaults -o "$work/z.cfg"
for words in "defaults" "image $work/z.cfg" "doctor --device /dev/null" "--help" \
    "defaults --help" "--version"; do
    # shellcheck disable=SC2086 # the words of each case
    "$cli" $words >/dev/full 2>"$work/err" && fail "$words > /dev/full: exit 0"
    contains "$work/err" "cannot write the output: No space left on device"
done

# -o names of the program's own descriptors write through them: a shell's >> keeps appending.
echo "earlier line" >"$work/log.txt"
"$cli" defaults -o /dev/stdout >>"$work/log.txt" || fail "defaults -o /dev/stdout"
{ echo "earlier line"; cat "$work/z.cfg"; } | cmp -s - "$work/log.txt" ||
    fail "-o /dev/stdout did not append to the log: $(head -c 200 "$work/log.txt")"

socat PTY,link="$work/rx",raw,echo=0 PTY,link="$work/tx",raw,echo=0 &
relays+=($!)
for _ in $(seq 100); do
    [ -e "$work/rx" ] && [ -e "$work/tx" ] && break
    sleep 0.05
done

# Ctrl+C ends a waiting receive with 130 and leaves the line as it was.
stty -F "$work/rx" -a >"$work/settings-before"
"$cli" receive --device "$work/rx" >"$work/received" 2>"$work/receive-err" &
receiver=$!
for _ in $(seq 100); do
    grep -q "^Waiting on" "$work/receive-err" 2>/dev/null && break
    sleep 0.05
done
kill -INT "$receiver"
wait "$receiver"
got=$?
receiver=""
[ "$got" -eq 130 ] || fail "Ctrl+C: receive exit $got, expected 130: $(cat "$work/receive-err")"
stty -F "$work/rx" -a | cmp -s - "$work/settings-before" || fail "receive left the line changed"

finish "end to end"
