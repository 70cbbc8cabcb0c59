# Sourced after harness.bash by the tests that put zelvar-cli receive at the tracker's end of a
# line: a null-modem pair of pseudo-terminals ($work/tx to $work/rx) made by socat, receive
# started on rx, and a writer that puts bytes on tx with pauses between them.

relays=()
receiver=""
trap 'kill "${relays[@]}" $receiver 2>/dev/null; rm -rf "$work"' EXIT

# waitFor PATH: until the file or link is there (5 s at most).
waitFor() {
    for _ in $(seq 100); do
        [ -e "$1" ] && return 0
        sleep 0.05
    done
    fail "$1 never appeared"
    return 1
}

# nullModem: a fresh pair; $work/tx and $work/rx are its ends.
nullModem() {
    rm -f "$work/tx" "$work/rx"
    socat PTY,link="$work/rx",raw,echo=0 PTY,link="$work/tx",raw,echo=0 &
    relays+=($!)
    waitFor "$work/rx" && waitFor "$work/tx"
}

# startReceive ARGUMENTS...: receive on $work/rx in the background, once it is ready to read;
# stdout and stderr go to $work/received and $work/receive-err.
startReceive() {
    rm -f "$work/received" "$work/receive-err"
    "$cli" receive --device "$work/rx" "$@" >"$work/received" 2>"$work/receive-err" &
    receiver=$!
    for _ in $(seq 100); do
        grep -q "^Waiting on" "$work/receive-err" 2>/dev/null && return
        sleep 0.05
    done
    fail "receive did not start: $(cat "$work/receive-err")"
}

# endReceive CODE WHAT: waits for receive and checks its exit code.
endReceive() {
    wait "$receiver"
    local got=$?
    receiver=""
    [ "$got" -eq "$1" ] ||
        fail "$2: receive exit $got, expected $1: $(head -c 400 "$work/received" "$work/receive-err")"
}

# transmit FILE STEP...: writes bytes of FILE on $work/tx; a step FROM:TO writes those bytes,
# a number sleeps that many seconds. The device is opened without becoming our terminal.
transmit() {
    python3 - "$work/tx" "$@" <<'PY'
import os, sys, time
fd = os.open(sys.argv[1], os.O_WRONLY | os.O_NOCTTY)
data = open(sys.argv[2], "rb").read()
for step in sys.argv[3:]:
    if ":" in step:
        first, last = step.split(":")
        os.write(fd, data[int(first):int(last)])
    else:
        time.sleep(float(step))
os.close(fd)
PY
}
