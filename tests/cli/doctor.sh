#!/usr/bin/env bash
# zelvar-cli ports and doctor, on pseudo-terminals that get a serial device's owner and mode.
set -u
source "$(dirname "$0")/harness.bash" "$1"

holders=()
lock=""
trap 'kill "${holders[@]}" 2>/dev/null; [ -n "$lock" ] && rm -f "$lock"; rm -rf "$work"' EXIT

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

# A program's name is its own choice: escape sequences in it reach no terminal.
python3 -c '
import ctypes, os, pty, time
ctypes.CDLL(None).prctl(15, b"\x1b[2J\x9b31mfake")
master, slave = pty.openpty()
print(os.getpid(), os.ttyname(slave), flush=True)
time.sleep(60)' >"$work/named" &
holders+=($!)
for _ in $(seq 100); do [ -s "$work/named" ] && break; sleep 0.05; done
read -r pid named <"$work/named"
expect 0 "doctor beside a program with escapes in its name" "$cli" doctor --device "$named"
contains "$work/out" "is open in \\x1B[2J\\x9B31mfake (PID $pid) as well"
LC_ALL=C grep -q $'\x1b' "$work/out" && fail "an escape character reached the terminal"

# Devices that open but are no serial line: send fails, so the doctor finds them unusable.
for device in /dev/null /dev/zero; do
    expect 1 "doctor on $device" "$cli" doctor --device "$device"
    contains "$work/out" "$device is not a serial device: it takes no line settings"
    grep -q "Fix: kill" "$work/out" && fail "the doctor offers to end the programs that have $device open"
done

# One rule for lock files: whatever a lock holds, the doctor calls the port usable exactly when
# send gets through, and it never offers to end PID 1 or the session it runs in.
"$cli" defaults -o "$work/z.cfg"
hold locked shared
read -r holderPid locked <"$work/locked"
chmod 0666 "$locked"
name="${locked#/dev/}"
lock="/var/lock/LCK..${name//\//_}"
exe="$(basename "$(readlink /proc/"$holderPid"/exe)")"
agree() { # USER LOCK-CONTENT AGE
    local as=() content="$2" age="$3" doctor sent
    [ "$1" != root ] && as=(runuser -u "$1" --)
    printf "$content" >"$lock" && touch -d "$age" "$lock"
    "${as[@]}" "$cli" doctor --device "$locked" >"$work/doctor" 2>&1
    doctor=$?
    printf "$content" >"$lock" && touch -d "$age" "$lock"
    "${as[@]}" "$cli" send "$work/z.cfg" --device "$locked" >/dev/null 2>"$work/send"
    sent=$?
    rm -f "$lock"
    [ $((doctor == 0)) -eq $((sent == 0)) ] ||
        fail "as $1 with a lock of '$content' ($age): doctor $doctor, send $sent: $(cat "$work/doctor" "$work/send")"
    grep -Eq "Fix: kill (1|$$)\b" "$work/doctor" "$work/send" &&
        fail "as $1 with a lock of '$content', the fix ends PID 1 or this session"
}
if [ ! -w /var/lock ]; then
    echo "doctor: lock files skipped, /var/lock is not writable here"
else
    for content in '1\n' "1\n$exe\n\n" "$$\n" "$$\nbash\n\n" '999999\n' "$holderPid\n$exe\n\n" \
        "      $holderPid\n"; do
        for age in now "1 hour ago"; do
            agree root "$content" "$age"
        done
    done
    if [ "$(id -u)" -eq 0 ]; then
        for content in '999999\n' "$holderPid\n$exe\n\n" "1\n"; do
            agree nobody "$content" "1 hour ago"
        done
    fi
fi

finish "doctor"
