#!/usr/bin/env bash
# zelvar-cli send, with zelvar-cli receive at the tracker's end of a pseudo-terminal pair.
set -u
source "$(dirname "$0")/harness.bash" "$1"
source "$(dirname "$0")/far_end.bash"

expect 0 "defaults" "$cli" defaults -o "$work/default.cfg"
"$cli" image "$work/default.cfg" --wire --raw >"$work/expected.bin"
nullModem

# A whole send, judged by receive at the tracker's end: the bytes of the image, the protocol's
# pauses, progress on stderr.
startReceive --json
start=$(date +%s%N)
expect 0 "send to a pty" "$cli" send "$work/default.cfg" --device "$work/tx" --baud 9600
elapsed=$((($(date +%s%N) - start) / 1000000))
endReceive 0 "the far end"
python3 -c 'import json, sys
sys.exit(bytes.fromhex(json.load(open(sys.argv[1]))["bytes"]) != open(sys.argv[2], "rb").read())' \
    "$work/received" "$work/expected.bin" || fail "the far end got other bytes"
[ "$elapsed" -ge 1520 ] || fail "send took $elapsed ms, its pauses take 1520"
[ "$elapsed" -lt 5000 ] || fail "send took $elapsed ms"
printf 'Sending data on %s......\nData sent !\n Be shure that '"'"'Transfer OK'"'"' appears on LCD\n' \
    "$work/tx" >"$work/progress"
cmp -s "$work/err" "$work/progress" || fail "progress on stderr: $(cat "$work/err")"
[ -s "$work/out" ] && fail "send wrote to stdout"

# The file's own speed, 4800 bit/s, when --baud is not given. The pause after block 1 starts
# once its 83 bytes have left the wire (173 ms), which a pseudo-terminal does not wait for; the
# far end may read up to 100 ms late.
startReceive --json
expect 0 "send at the file's speed" "$cli" send "$work/default.cfg" --device "$work/tx"
endReceive 0 "the far end at the file's speed"
python3 -c 'import json, sys; sys.exit(json.load(open(sys.argv[1]))["gaps"][1]["ms"] < 673)' \
    "$work/received" || fail "pause after block 1 at 4800 bit/s: $(cat "$work/received")"

# The tracker hangs up after block 1: the layer's words, exit 3, nothing more.
socat -t 0.05 PTY,link="$work/hangs-up",raw,echo=0 SYSTEM:"head -c 85 >$work/capture" &
relays+=($!)
waitFor "$work/hangs-up"
expect 3 "far end gone" "$cli" send "$work/default.cfg" --device "$work/hangs-up"
contains "$work/err" "Input/output error"
[ "$(wc -c <"$work/capture")" -eq 85 ] || fail "far end got $(wc -c <"$work/capture") bytes"

# Ports that are not there.
expect 3 "port 0" "$cli" send "$work/default.cfg" --port 0
contains "$work/err" "Serial port 0 does not exist: port numbers start at 1"
[ "$(grep -c "port numbers start at 1" "$work/err")" -eq 1 ] || fail "port 0: $(cat "$work/err")"
expect 3 "missing device" "$cli" send "$work/default.cfg" --device "$work/no-such-tty"
contains "$work/err" "Cannot open $work/no-such-tty: No such file or directory"
contains "$work/err" "- $work/no-such-tty does not exist: the system lists"
expect 3 "a file that is no terminal" "$cli" send "$work/default.cfg" --device "$work/default.cfg"

# Wrong arguments and files.
expect 2 "no port" "$cli" send "$work/default.cfg"
expect 2 "port and device" "$cli" send "$work/default.cfg" --port 1 --device /dev/null
expect 2 "port not a number" "$cli" send "$work/default.cfg" --port one
expect 2 "port with a fraction" "$cli" send "$work/default.cfg" --port 1.5
expect 2 "empty device" "$cli" send "$work/default.cfg" --device ""
expect 2 "unoffered speed" "$cli" send "$work/default.cfg" --port 1 --baud 1200
contains "$work/err" "--baud must be 4800, 9600 or 38400"
expect 2 "no file" "$cli" send --port 1
expect 2 "missing file" "$cli" send "$work/none.cfg" --port 1
head -c 3000 /dev/urandom >"$work/garbage.cfg"
expect 2 "garbage file" "$cli" send "$work/garbage.cfg" --port 1
head -c 40 "$work/default.cfg" >"$work/truncated.cfg"
expect 2 "truncated file" "$cli" send "$work/truncated.cfg" --port 1

# A build failure sends nothing: the port is not even looked for.
sed 's/"NOCALL-9"/""/' "$work/default.cfg" >"$work/nocall.cfg"
expect 1 "build failed" "$cli" send "$work/nocall.cfg" --port 0
contains "$work/err" "Parametri incompleti o non corretti"
grep -q "Serial port" "$work/err" && fail "a failed build still opened the port"

finish "send"
