#!/usr/bin/env bash
# zelvar-cli receive at the tracker's end of a pseudo-terminal pair, fed by send and by a writer
# that breaks the transfer on purpose.
set -u
source "$(dirname "$0")/harness.bash" "$1"
source "$(dirname "$0")/far_end.bash"

"$cli" defaults -o "$work/default.cfg"
"$cli" image "$work/default.cfg" --wire --raw >"$work/good.bin"
"$cli" decode "$work/good.bin" >"$work/decoded"
nullModem

# A send as the tracker gets it: "Transfer OK", the pauses, then exactly what decode prints.
startReceive --timeout 20
expect 0 "send" "$cli" send "$work/default.cfg" --device "$work/tx" --baud 38400
endReceive 0 "a good transfer"
head -n 1 "$work/received" | grep -qx "Transfer OK" || fail "first line: $(head -n 1 "$work/received")"
contains "$work/received" "Pause after block 1: "
contains "$work/received" "at least 500 ms needed (the protocol's 600 ms less 100 ms"
sed -n '/^Wire bytes:/,$p' "$work/received" | cmp -s - "$work/decoded" ||
    fail "receive's settings differ from decode's: $(cat "$work/received")"

# The same as JSON: the bytes, every check passed, the gaps, decode's settings.
startReceive --json
transmit "$work/good.bin" 0:2 0.01 2:85 0.65 85:87 0.01 87:170
endReceive 0 "JSON"
python3 - "$work/received" "$work/good.bin" "$work/decoded" <<'PY' || fail "receive --json"
import json, sys
report = json.loads(open(sys.argv[1]).read())
assert report["ok"] is True and report["byteCount"] == 170, report
assert bytes.fromhex(report["bytes"]) == open(sys.argv[2], "rb").read()
assert all(check["verdict"] == "passed" for check in report["checks"]), report["checks"]
assert [gap["judged"] for gap in report["gaps"]] == [False, True, False, False]
assert report["gaps"][1]["ms"] >= 500 and report["leastPauseMs"] == 500
rows = open(sys.argv[3]).read().splitlines()[1:]
assert [s["name"] for s in report["settings"]] == [row[:22].rstrip() for row in rows]
PY

# Faults, each named, exit 1.
python3 -c 'import sys; d = bytearray(open(sys.argv[1], "rb").read()); d[169] ^= 0x5A; open(sys.argv[2], "wb").write(d)' \
    "$work/good.bin" "$work/badsum.bin"
printf '\0' >"$work/zero.bin"
faulty() {
    local what="$1" message="$2"
    shift 2
    startReceive
    "$@"
    endReceive 1 "$what"
    head -n 1 "$work/received" | grep -qx "Transfer faulty:" || fail "$what: $(cat "$work/received")"
    contains "$work/received" "$message"
}
faulty "corrupted checksum" "block 2 checksum 0x$(od -An -tx1 -j169 "$work/badsum.bin" | tr -d ' ' |
    tr a-f A-F), expected 0x$(od -An -tx1 -j169 "$work/good.bin" | tr -d ' ' | tr a-f A-F)" \
    transmit "$work/badsum.bin" 0:85 0.6 85:170
faulty "missing pause" "the sender did not pause" transmit "$work/good.bin" 0:170
faulty "truncated block" "block 1 has only 58 of its 83 bytes, then a pause of" \
    transmit "$work/good.bin" 0:60 1 85:170
faulty "truncated transfer" "only 97 of 170 bytes within 2 s after the lead-in" \
    transmit "$work/good.bin" 0:85 0.6 85:97
noiseFirst() { transmit "$work/zero.bin" 0:1 0.3 && transmit "$work/good.bin" 0:85 0.6 85:170; }
faulty "noise first" "line noise: 0x00 before the lead-in" noiseFirst

# Nothing at all: exit 3 once the timeout is up, not later.
startReceive --timeout 1
start=$(date +%s%N)
endReceive 3 "nothing"
elapsed=$((($(date +%s%N) - start) / 1000000))
contains "$work/receive-err" "nothing arrived on $work/rx within 1 s"
[ "$elapsed" -lt 2500 ] || fail "waited $elapsed ms for a timeout of 1 s"
[ -s "$work/received" ] && fail "nothing arrived, yet: $(cat "$work/received")"

# Endless noise (as bytes at a wrong speed look): a verdict within the window; after it the
# next transfer is found at its lead-in.
head -c 400 /dev/zero | tr '\0' '\125' >"$work/noise.bin"
noise=()
for _ in $(seq 10); do noise+=(0:400 0.1); done
startReceive --count 2
transmit "$work/noise.bin" "${noise[@]}"
sleep 1.5
transmit "$work/good.bin" 0:85 0.6 85:170
endReceive 1 "noise, then a transfer"
contains "$work/received" "Transfer 1 of 2 faulty:"
contains "$work/received" "- line noise: 0x55 0x55 0x55 0x55 and "
contains "$work/received" "- no lead-in FF FF within 2 s after the first byte"
contains "$work/received" "Transfer 2 of 2 OK"
contains "$work/received" "2 of 2 transfers: 1 OK, 1 faulty"

# The device goes away after block 1: what came, the system's words, exit 2.
startReceive
transmit "$work/good.bin" 0:85
kill "${relays[@]}"
endReceive 2 "device gone"
contains "$work/received" "- only 85 of 170 bytes before the line closed"
contains "$work/receive-err" "zelvar-cli: $work/rx: "
nullModem

# A port that another receive holds, or that a running program's lock file names; Ctrl+C
# ends cleanly and leaves the line as it was.
stty -F "$work/rx" -a >"$work/settings-before"
startReceive
expect 2 "busy port" "$cli" receive --device "$work/rx" --timeout 1
contains "$work/err" "$work/rx is in use: another program holds a lock on it"
kill -INT "$receiver"
endReceive 130 "Ctrl+C"
stty -F "$work/rx" -a | cmp -s - "$work/settings-before" || fail "receive left the line changed"
lock="/run/lock/LCK..$(readlink "$work/rx" | sed 's|^/dev/||; s|/|_|g')"
if [ -d /run/lock ] && [ -w /run/lock ] && [ ! -e "$lock" ]; then
    printf '%10d\n' "${relays[-1]}" >"$lock"
    expect 2 "locked port" "$cli" receive --device "$work/rx" --timeout 1
    contains "$work/err" "$work/rx is in use: The lock file "
    contains "$work/err" "/LCK..${lock##*LCK..} shows that socat (PID ${relays[-1]})"
    rm -f "$lock"
fi

# Wrong arguments and devices.
expect 2 "missing device" "$cli" receive --device "$work/none"
contains "$work/err" "Cannot open $work/none: No such file or directory"
expect 2 "a path with an escape sequence" "$cli" receive --device "$work/"$'\e'"[31m"
contains "$work/err" "Cannot open $work/\\x1B[31m: No such file or directory"
head -n 1 "$work/err" | grep -q $'\e' && fail "receive passed an escape character to the terminal"
expect 2 "a file" "$cli" receive --device "$work/good.bin"
contains "$work/err" "$work/good.bin is not a serial device"
for arguments in "" "--speed 1200" "--timeout 0" "--timeout 1.5" "--timeout x" "--count 0" \
    "--count -1" "extra"; do
    # shellcheck disable=SC2086
    expect 2 "receive $arguments" "$cli" receive $arguments ${arguments:+--device "$work/rx"}
done

finish "receive"
