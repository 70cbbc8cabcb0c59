#!/usr/bin/env bash
# zelvar-cli ports and doctor, on pseudo-terminals that get a serial device's owner and mode.
set -u
source "$(dirname "$0")/harness.bash" "$1"

holders=()
trap 'kill "${holders[@]}" 2>/dev/null; rm -rf "$work"' EXIT

# ports: numbered from 1 as send --port resolves them, and the same ports as JSON.
expect 0 "ports" "$cli" ports
cp "$work/out" "$work/ports"
[ -s "$work/ports" ] || contains "$work/err" "no serial ports"
expect 0 "ports --json" "$cli" ports --json
python3 - "$work/out" "$work/ports" <<'PY' || fail "ports --json differs from ports"
import json, sys
listed = json.load(open(sys.argv[1]))
lines = [line.split()[:2] for line in open(sys.argv[2])]
assert [[str(p["number"]), p["location"]] for p in listed] == lines
assert [p["number"] for p in listed] == list(range(1, len(listed) + 1))
PY
expect 2 "ports with an argument" "$cli" ports extra

# hold NAME shared|exclusive [RUNUSER-ARGUMENTS]: a process (root's, or as runuser makes it)
# makes a pty and keeps it open, exclusively if asked, as a program that has the port;
# $work/NAME gets its PID and path.
holdPty='
import fcntl, os, pty, sys, termios, time
master, slave = pty.openpty()
print(os.getpid(), os.ttyname(slave), flush=True)
if sys.argv[1] == "exclusive":
    fcntl.ioctl(slave, termios.TIOCEXCL)
else:
    os.close(slave)
time.sleep(60)'
hold() {
    local name=$1 mode=$2 as=()
    shift 2
    [ $# -gt 0 ] && as=(runuser "$@" --)
    "${as[@]}" python3 -c "$holdPty" "$mode" >"$work/$name" 2>/dev/null &
    holders+=($!)
    for _ in $(seq 100); do
        [ -s "$work/$name" ] && return
        sleep 0.05
    done
    fail "no pty for $name"
}

hold free shared
read -r _ free <"$work/free"
expect 0 "doctor on a free pty" "$cli" doctor --device "$free"
contains "$work/out" "$free can be opened for writing."
expect 1 "doctor on a missing device" "$cli" doctor --device "$work/none"
contains "$work/out" "$work/none does not exist: the system lists"
expect 1 "doctor on a file" "$cli" doctor --device "$work/ports"
contains "$work/out" "is not a serial device"
expect 1 "doctor on port 0" "$cli" doctor --port 0
contains "$work/out" "Serial port 0 does not exist: port numbers start at 1."
expect 1 "doctor on a port beyond the list" "$cli" doctor --port 255
contains "$work/out" "Port 255 cannot be used:"
for arguments in "--port one" "--port 1.5" "--port 256" "--port 1 --device $free" "--device=" \
    "--baud 9600" "$free"; do
    # shellcheck disable=SC2086 # the words of each case
    expect 2 "doctor $arguments" "$cli" doctor $arguments
done

# The user-side checks, as the unprivileged nobody on lines of root:dialout, mode 0660.
if [ "$(id -u)" -ne 0 ]; then
    echo "doctor: the checks as nobody skipped, they need root"
else
    chown root:dialout "$free" && chmod 0660 "$free"
    expect 1 "nobody outside dialout" runuser -u nobody -- "$cli" doctor --device "$free"
    contains "$work/out" "belongs to the group dialout (crw-rw----), and nobody is not in it"
    contains "$work/out" "Fix: sudo usermod -aG dialout nobody"
    expect 0 "nobody in dialout" runuser -u nobody -g dialout -- "$cli" doctor --device "$free"

    hold held exclusive -u nobody -g dialout
    read -r pid held <"$work/held"
    chown root:dialout "$held" && chmod 0660 "$held"
    expect 1 "held exclusively" runuser -u nobody -g dialout -- "$cli" doctor --device "$held"
    contains "$work/out" "$held is held by python3 (PID $pid)"
    contains "$work/out" "Fix: kill $pid"
fi

finish "doctor"
