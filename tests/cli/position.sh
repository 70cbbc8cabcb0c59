#!/usr/bin/env bash
# zelvar-cli position, run as a user would (decode_aprs reads the same texts in the core tests).
set -u
source "$(dirname "$0")/harness.bash" "$1"

# gives TEXT ARGS...: prints exactly TEXT and a newline on stdout, nothing on stderr, exit 0.
gives() {
    local expected="$1"
    shift
    "$cli" position "$@" >"$work/out" 2>"$work/err"
    local code=$?
    [ "$code" -eq 0 ] || fail "position $*: exit $code ($(head -c 300 "$work/err"))"
    printf '%s\n' "$expected" | cmp -s - "$work/out" || fail "position $*: got '$(cat "$work/out")'"
    [ -s "$work/err" ] && fail "position $*: stderr '$(cat "$work/err")'"
}

# refuses CODE WORD ARGS...: exit CODE, nothing on stdout, WORD on stderr.
refuses() {
    local code="$1" word="$2"
    shift 2
    "$cli" position "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" -eq "$code" ] || fail "position $*: exit $got, expected $code"
    [ -s "$work/out" ] && fail "position $*: stdout '$(cat "$work/out")'"
    grep -qF -- "$word" "$work/err" || fail "position $*: stderr lacks '$word': $(cat "$work/err")"
}

# Each option once (a negative value included); the texts are tabled with the calculation.
gives '=4930.00N/07245.00W>/A=000984' --lat 49.30.00 --lon -72.45.00 --seconds --normal --alt 300
gives '=/5L!!<*e8>FsQ' --lat 49.30.00 --lon -72.45.00 --seconds --compressed --alt 300
gives '=\5L!!<*e8>  _' --lat 49.30.00 --lon -72.45.00 --seconds --alternate-table
gives '=4930.00N\07245.00W>' --lat N49.30.00 --lon W72.45.00 --seconds --normal --alternate-table
gives '=/7MqRK_r.>  _' --lat 45.30.15 --lon -11.05.50
gives '=4530.25N/00000.00E[' --lat 45.30.15 --lon 0.00.00 --seconds --normal --symbol '['
gives '=0000.00N/00000.00E>/A=-00033' --lat 0.00.00 --lon 0.00.00 --normal --alt -10
gives '=/NN!!NN!!>!!Q' --lat 0.00.00 --lon 0.00.00 --alt ''

refuses 1 latitude --lat 45.60.00 --lon 0.00.00
refuses 1 longitude --lat 0.00.00 --lon 181.00.00
refuses 1 altitude --lat 0.00.00 --lon 0.00.00 --alt 400000 --normal
refuses 1 symbol --lat 0.00.00 --lon 0.00.00 --symbol '>>'
refuses 2 'required' --lon 0.00.00
refuses 2 'missing' --lat 0.00.00 --lon
refuses 2 'choose one' --lat 0.00.00 --lon 0.00.00 --normal --compressed
refuses 2 'unknown option' --lat 0.00.00 --lon 0.00.00 --feet 3
refuses 2 'unexpected argument' --lat 0.00.00 --lon 0.00.00 extra

"$cli" position --help >"$work/out" 2>&1 || fail "position --help: exit $?"
grep -qF -- '--alternate-table' "$work/out" || fail "position --help lacks the options"
"$cli" --help | grep -q '^  position' || fail "position missing from the command list"

finish "position"
