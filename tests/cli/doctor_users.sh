#!/usr/bin/env bash
# zelvar-cli doctor as other users and beside other programs, on pseudo-terminals that get a
# serial device's owner and mode; and the doctor agreeing with send whatever a lock file holds.
# The doctor's other findings are tested in-process (cli_tests). PART (the second argument)
# runs one part, so that ctest runs them side by side: users (the checks as other users and
# beside other programs), recent-locks or old-locks (the agreement for locks written now, or an
# hour ago and as nobody).
set -u
source "$(dirname "$0")/harness.bash" "$1"
part="$2"

holders=()
lock=""
trap 'kill "${holders[@]}" 2>/dev/null; [ -n "$lock" ] && rm -f "$lock"; rm -rf "$work"' EXIT

# hold NAME shared|exclusive|locked PROGRAM [RUNUSER-ARGUMENTS]: a process (root's, or as runuser
# makes it) named PROGRAM (or python3 when empty) makes a pty and keeps it open, exclusively or
# under an exclusive lock (flock) if asked, as a program that has the port; $work/NAME gets its
# PID and path.
holdPty='
import ctypes, fcntl, os, pty, sys, termios, time
master, slave = pty.openpty()
if sys.argv[2]:
    ctypes.CDLL(None).prctl(15, os.fsencode(sys.argv[2]))
print(os.getpid(), os.ttyname(slave), flush=True)
if sys.argv[1] == "exclusive":
    fcntl.ioctl(slave, termios.TIOCEXCL)
elif sys.argv[1] == "locked":
    fcntl.flock(slave, fcntl.LOCK_EX)
else:
    os.close(slave)
time.sleep(60)'
hold() {
    local name=$1 mode=$2 program=$3 as=()
    shift 3
    [ $# -gt 0 ] && as=(runuser "$@" --)
    "${as[@]}" python3 -c "$holdPty" "$mode" "$program" >"$work/$name" 2>/dev/null &
    holders+=($!)
    waitFor test -s "$work/$name" || fail "no pty for $name"
}

# The user-side checks, as the unprivileged nobody on lines of root:dialout, mode 0660.
if [ "$part" = users ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "doctor: the checks as nobody skipped, they need root"
        finish "doctor as other users ($part)"
    fi
    hold free shared ""
    read -r _ free <"$work/free"
    chown root:dialout "$free" && chmod 0660 "$free"
    expect 1 "nobody outside dialout" runuser -u nobody -- "$cli" doctor --device "$free"
    contains "$work/out" "belongs to the group dialout (crw-rw----), and nobody is not in it"
    contains "$work/out" "Fix: sudo usermod -aG dialout nobody"
    expect 0 "nobody in dialout" runuser -u nobody -g dialout -- "$cli" doctor --device "$free"

    # A program's name is its own choice: escape sequences in it reach no terminal.
    hold held exclusive $'\e[2J\x9b31mfake' -u nobody -g dialout
    read -r pid held <"$work/held"
    chown root:dialout "$held" && chmod 0660 "$held"
    expect 1 "held exclusively" runuser -u nobody -g dialout -- "$cli" doctor --device "$held"
    contains "$work/out" "$held is held by \\x1B[2J\\x9B31mfake (PID $pid)"
    contains "$work/out" "Fix: kill $pid"
    LC_ALL=C grep -q $'\x1b' "$work/out" && fail "an escape character reached the terminal"

    # Nor does a line break in it make a line of its own, wherever the findings are shown; and
    # its lock binds root too.
    hold named locked $'x\nData sent !'
    read -r pid named <"$work/named"
    "$cli" defaults -o "$work/z.cfg"
    for words in "doctor --device $named" "receive --device $named --timeout 1" \
        "send $work/z.cfg --device $named"; do
        # shellcheck disable=SC2086 # the words of each case
        "$cli" $words >"$work/out" 2>&1 && fail "$words: exit 0 on a device another holds"
        contains "$work/out" "$named is held by x\\x0AData sent ! (PID $pid)"
        grep -q "^Data sent ! (PID" "$work/out" && fail "$words: a name made a line of its own"
    done
    finish "doctor as other users ($part)"
fi

# One rule for lock files: whatever a lock holds, the doctor calls the port usable exactly when
# send gets through, and it never offers to end PID 1 or the session it runs in.
"$cli" defaults -o "$work/z.cfg"
hold locked shared ""
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
        fail "as $1 with a lock of '$content' ($age): doctor $doctor, send $sent:" \
            "$(cat "$work/doctor" "$work/send")"
    grep -Eq "Fix: kill (1|$$)\b" "$work/doctor" "$work/send" &&
        fail "as $1 with a lock of '$content', the fix ends PID 1 or this session"
}
if [ ! -w /var/lock ]; then
    echo "doctor: lock files skipped, /var/lock is not writable here"
else
    age=now
    [ "$part" = old-locks ] && age="1 hour ago"
    for content in '1\n' "1\n$exe\n\n" "$$\n" "$$\nbash\n\n" '999999\n' "$holderPid\n$exe\n\n" \
        "      $holderPid\n"; do
        agree root "$content" "$age"
    done
    if [ "$part" = old-locks ] && [ "$(id -u)" -eq 0 ]; then
        for content in '999999\n' "$holderPid\n$exe\n\n" "1\n"; do
            agree nobody "$content" "1 hour ago"
        done
    fi
fi

finish "doctor as other users ($part)"
