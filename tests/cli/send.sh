#!/usr/bin/env bash
# zelvar-cli send, with a pseudo-terminal made here as the tracker's end of the line.
set -u
source "$(dirname "$0")/harness.bash" "$1"

farEnd=""
trap '[ -n "$farEnd" ] && kill "$farEnd" 2>/dev/null; rm -rf "$work"' EXIT

# The tracker's end: makes a pty, names its slave in $work/path, keeps what arrives in
# $work/capture with the seconds from the first to the last byte and the line speed.
# With a byte count as its argument it hangs up after that many bytes.
cat >"$work/far_end.py" <<'PY'
import os, pty, select, sys, termios, time
work, hang_up_after = sys.argv[1], int(sys.argv[2])
master, slave = pty.openpty()
with open(os.path.join(work, "path.tmp"), "w") as f:
    f.write(os.ttyname(slave))
os.rename(os.path.join(work, "path.tmp"), os.path.join(work, "path"))
data, first, last, deadline = b"", None, None, time.time() + 15
while len(data) < 170 and time.time() < deadline:
    if not select.select([master], [], [], 0.1)[0]:
        continue
    chunk = os.read(master, 170 - len(data))
    now = time.time()
    first = first or now
    last = now
    data += chunk
    if hang_up_after and len(data) >= hang_up_after:
        os.close(master)
        break
try:
    speed = {termios.B4800: 4800, termios.B9600: 9600, termios.B38400: 38400}.get(
        termios.tcgetattr(slave)[5], 0)
except termios.error:  # hung up
    speed = 0
with open(os.path.join(work, "capture"), "wb") as f:
    f.write(data)
with open(os.path.join(work, "timing"), "w") as f:
    f.write("%d %d\n" % (int(((last or 0) - (first or 0)) * 1000), speed))
PY

startFarEnd() {
    rm -f "$work/path" "$work/capture" "$work/timing"
    python3 "$work/far_end.py" "$work" "${1:-0}" &
    farEnd=$!
    for _ in $(seq 100); do
        [ -f "$work/path" ] && break
        sleep 0.05
    done
    [ -f "$work/path" ] || fail "the far end made no pty"
}

waitFarEnd() {
    wait "$farEnd"
    farEnd=""
}

expect 0 "defaults" "$cli" defaults -o "$work/default.cfg"
"$cli" image "$work/default.cfg" --wire --raw >"$work/expected.bin"

# A whole send: exact bytes, chosen speed, the protocol's own pauses, progress on stderr.
startFarEnd
device="$(cat "$work/path")"
start=$(date +%s%N)
expect 0 "send to a pty" "$cli" send "$work/default.cfg" --device "$device" --baud 9600
elapsed=$((($(date +%s%N) - start) / 1000000))
waitFarEnd
cmp -s "$work/capture" "$work/expected.bin" || fail "the pty got $(wc -c <"$work/capture") other bytes"
read -r spread speed <"$work/timing"
[ "$speed" -eq 9600 ] || fail "line speed $speed, expected 9600"
[ "$spread" -ge 550 ] || fail "first to last byte took $spread ms, the pauses alone take 620"
[ "$elapsed" -ge 1520 ] || fail "send took $elapsed ms, its pauses take 1520"
[ "$elapsed" -lt 5000 ] || fail "send took $elapsed ms"
printf 'Sending data on %s......\nData sent !\n Be shure that '"'"'Transfer OK'"'"' appears on LCD\n' \
    "$device" >"$work/progress"
cmp -s "$work/err" "$work/progress" || fail "progress on stderr: $(cat "$work/err")"
[ -s "$work/out" ] && fail "send wrote to stdout"

# The file's own speed when --baud is not given.
startFarEnd
expect 0 "send at the file's speed" "$cli" send "$work/default.cfg" --device "$(cat "$work/path")"
waitFarEnd
read -r spread speed <"$work/timing"
[ "$speed" -eq 4800 ] || fail "line speed $speed, expected the file's 4800"

# The tracker hangs up after block 1: the layer's words, exit 3, nothing more.
startFarEnd 85
expect 3 "far end gone" "$cli" send "$work/default.cfg" --device "$(cat "$work/path")"
waitFarEnd
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
