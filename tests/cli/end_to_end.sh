#!/usr/bin/env bash
# The real zelvar-cli as a user runs it: its own stdout, and signals, a closed pipe and a full disk
# on a receive that waits on a pseudo-terminal made by socat; closed descriptors and signals on a
# send. The commands themselves, send read by receive's own reader
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

# An output that another program made non-blocking (a shared pipe, a terminal a crashed program
# left so) is waited for when it is full, not given up: the reader here starts late.
slowReader='
import fcntl, os, subprocess, sys, time
r, w = os.pipe()
fcntl.fcntl(w, 1031, 4096)  # F_SETPIPE_SZ
fcntl.fcntl(w, fcntl.F_SETFL, fcntl.fcntl(w, fcntl.F_GETFL) | os.O_NONBLOCK)
program = subprocess.Popen(sys.argv[1:], stdout=w)
os.close(w)
time.sleep(0.5)
with os.fdopen(r, "rb") as output:
    sys.stdout.buffer.write(output.read())
sys.exit(program.wait())'
"$cli" --help-all >"$work/help-all"
python3 -c "$slowReader" "$cli" --help-all >"$work/help-slow" 2>"$work/err" ||
    fail "--help-all into a full non-blocking pipe: exit $?: $(cat "$work/err")"
cmp -s "$work/help-all" "$work/help-slow" || fail "--help-all into a full non-blocking pipe: output cut"

socat PTY,link="$work/rx",raw,echo=0 PTY,link="$work/tx",raw,echo=0 &
relays+=($!)
waitFor test -e "$work/rx" -a -e "$work/tx"

# Job control, so that receive in the background does not start with Ctrl+C ignored.
set -m
stty -F "$work/rx" -a >"$work/settings-before"
unchanged() {
    stty -F "$work/rx" -a | cmp -s - "$work/settings-before" || fail "$1: receive left the line changed"
}
# waiting: returns once receive says that it waits.
waiting() { waitFor grep -qs "^Waiting on" "$work/receive-err"; }
# endReceive: once the background receive has ended, its exit status in $got.
endReceive() {
    wait "$receiver"
    got=$?
    receiver=""
}
# startReceive ARGUMENTS...: receive on rx in the background, once it waits ($receiver its PID).
startReceive() {
    rm -f "$work/receive-err"
    "$cli" receive --device "$work/rx" "$@" 2>"$work/receive-err" &
    receiver=$!
    waiting
}

# Each signal that ends a program ends a waiting receive with 128 + its number, the line as it
# was, even when what it prints last cannot be written.
for signal in INT TERM HUP QUIT USR1 USR2 ALRM; do
    startReceive --count 2 >/dev/full
    kill -"$signal" "$receiver"
    endReceive
    want=$((128 + $(kill -l "$signal")))
    [ "$got" -eq "$want" ] ||
        fail "SIG$signal: receive exit $got, expected $want: $(cat "$work/receive-err")"
    unchanged "SIG$signal"
done

# Output that cannot be written ends receive at the first verdict: exit 2 with the reason, the
# line as it was. A pipe closed early, then a full disk with one transfer where five are asked.
"$cli" image "$work/z.cfg" --wire --raw >"$work/wire.bin"
feed() { # COUNT: transfers (without pauses, judged faulty at once) a second apart, once it waits
    waiting
    for _ in $(seq "$1"); do
        cat "$work/wire.bin" >"$work/tx"
        sleep 1
    done
}
rm -f "$work/receive-err"
feed 3 &
feeder=$!
"$cli" receive --device "$work/rx" --count 5 2>"$work/receive-err" | head -c 10 >/dev/null
got=${PIPESTATUS[0]}
wait "$feeder"
[ "$got" -eq 2 ] || fail "receive | head: exit $got, expected 2: $(cat "$work/receive-err")"
contains "$work/receive-err" "zelvar-cli: cannot write the output: Broken pipe"
unchanged "a closed pipe"

rm -f "$work/receive-err"
feed 1 &
feeder=$!
timeout 20 "$cli" receive --device "$work/rx" --count 5 --timeout 60 >/dev/full 2>"$work/receive-err"
got=$?
wait "$feeder"
[ "$got" -eq 2 ] || fail "receive > /dev/full: exit $got, expected 2: $(cat "$work/receive-err")"
contains "$work/receive-err" "zelvar-cli: cannot write the output: No space left on device"
unchanged "a full disk"

# Every word of receive is in the language chosen, the timeout's too.
expect 3 "receive --timeout 1" "$cli" --lang de receive --device "$work/rx" --timeout 1
grep -q "nothing arrived" "$work/err" && fail "receive's timeout in English: $(cat "$work/err")"

# With stdin, stdout and stderr closed, the serial port does not take their place: send's progress
# stays off the line. The file gives no notes, so the progress is the first thing send says.
sed -e 's/"NOCALL-9"/"QX9ABC-9"/' -e 's/"WIDE1-1,WIDE2-2"/"WIDE1-1,WIDE2-1"/' \
    -e 's/,"NOCALL",/,"QX9XYZ",/' "$work/z.cfg" >"$work/quiet.cfg"
startReceive --timeout 20 >"$work/received"
"$cli" send "$work/quiet.cfg" --device "$work/tx" <&- >&- 2>&-
endReceive
[ "$got" -eq 0 ] || fail "send with its descriptors closed: receive exit $got: $(head -c 300 "$work/received")"

# A signal stops send as it stops receive: 128 + its number, and the line's settings as they were.
stty -F "$work/tx" -a >"$work/send-settings-before"
for signal in INT TERM; do
    "$cli" send "$work/z.cfg" --device "$work/tx" 2>"$work/send-err" &
    sender=$!
    # Once block 1 is on the line, send pauses before block 2.
    timeout 20 head -c 80 "$work/rx" >/dev/null
    kill -"$signal" "$sender"
    wait "$sender"
    got=$?
    want=$((128 + $(kill -l "$signal")))
    [ "$got" -eq "$want" ] || fail "SIG$signal: send exit $got, expected $want: $(cat "$work/send-err")"
    contains "$work/send-err" "zelvar-cli: sending on $work/tx stopped"
    contains "$work/send-err" "The tracker got only part of its settings"
    stty -F "$work/tx" -a | cmp -s - "$work/send-settings-before" ||
        fail "SIG$signal: send left the line changed"
    timeout 1 cat "$work/rx" >/dev/null # what is left of block 1
done

# Ctrl+Z during a send waits for its end: stopped between the blocks and let go later, the send
# would say "Data sent !" of a transfer whose block 2 came too late for the tracker.
startReceive --timeout 20 >"$work/received"
rm -f "$work/send-err"
"$cli" send "$work/quiet.cfg" --device "$work/tx" 2>"$work/send-err" &
sender=$!
waitFor grep -qs 'Sending data on .*\.\.\.\.' "$work/send-err" # the dot before block 1
sleep 0.3
kill -TSTP "$sender"
sleep 2.5
for _ in $(seq 200); do # let it go on until it has ended, when it stops at its end too
    read -r _ _ state _ <"/proc/$sender/stat" || break
    case $state in
        T) kill -CONT "$sender" ;;
        Z) break ;;
    esac
    sleep 0.05
done
wait "$sender"
got=$?
[ "$got" -eq 0 ] || fail "Ctrl+Z during send: send exit $got: $(cat "$work/send-err")"
endReceive
[ "$got" -eq 0 ] || fail "Ctrl+Z during send: receive exit $got: $(head -c 300 "$work/received")"

# SIGSTOP cannot wait (nor can a computer that sleeps): held up 3 s between the blocks, the send
# fails where block 2 would come too late, instead of writing it late and saying "Data sent !".
startReceive --timeout 20 >"$work/received"
"$cli" send "$work/quiet.cfg" --device "$work/tx" 2>"$work/send-err" &
sender=$!
waitFor grep -qs 'Sending data on .*\.\.\.\.' "$work/send-err"
sleep 0.3
kill -STOP "$sender"
sleep 3
kill -CONT "$sender"
# The shell saw it stopped: waited for before it has ended, it would give 128 + SIGSTOP's number.
for _ in $(seq 200); do
    read -r _ _ state _ <"/proc/$sender/stat" 2>/dev/null || break
    [ "$state" = Z ] && break
    sleep 0.05
done
wait "$sender"
got=$?
[ "$got" -eq 3 ] || fail "SIGSTOP during send: send exit $got: $(cat "$work/send-err")"
contains "$work/send-err" "zelvar-cli: The send was held up"
contains "$work/send-err" "keep the computer awake"
grep -q 'Check the cable' "$work/send-err" && fail "SIGSTOP during send: it blamed the cable: $(cat "$work/send-err")"
grep -q 'Data sent' "$work/send-err" && fail "SIGSTOP during send: it said Data sent: $(cat "$work/send-err")"
endReceive
[ "$got" -eq 1 ] || fail "SIGSTOP during send: receive exit $got: $(head -c 300 "$work/received")"

finish "end to end"
