#!/usr/bin/env bash
# zelvar-cli loopback on pseudo-terminals whose far end echoes what it gets, echoes it wrongly,
# or stays silent.
set -u
source "$(dirname "$0")/harness.bash" "$1"
source "$(dirname "$0")/far_end.bash"

# bridge NAME COMMAND: a pty at $work/NAME whose written bytes go through COMMAND and what
# COMMAND prints comes back, as over a TX-RX bridge.
bridge() {
    socat PTY,link="$work/$1",raw,echo=0 SYSTEM:"$2" &
    relays+=($!)
    waitFor "$work/$1"
}

bridge wire cat
expect 0 "bridged" "$cli" loopback --device "$work/wire" --speed 38400
contains "$work/out" "Loopback OK: all 170 bytes came back in order"
contains "$work/out" "Pause after block 1: "
contains "$work/err" "at 38400 bit/s"

# A carriage return (0x0D, first at byte 12) that comes back as 0x1D, as a wrong speed or noise
# would make it.
printf '#!/bin/sh\nexec stdbuf -o0 tr "\\015" "\\035"\n' >"$work/flip"
chmod +x "$work/flip"
bridge noisy "$work/flip"
expect 1 "noisy" "$cli" loopback --device "$work/noisy"
contains "$work/out" "Loopback faulty: speed mismatch or noise: 170 of 170 bytes came back, the first wrong one at byte 12 (0x0D sent, 0x1D back)"

bridge open "cat >/dev/null"
expect 1 "not bridged" "$cli" loopback --device "$work/open"
contains "$work/out" "No echo: are TX and RX bridged?"

expect 2 "missing device" "$cli" loopback --device "$work/none"
contains "$work/err" "Cannot open $work/none: No such file or directory"
expect 2 "unoffered speed" "$cli" loopback --device "$work/wire" --speed 115200
expect 2 "no device" "$cli" loopback

finish "loopback"
