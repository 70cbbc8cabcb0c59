#!/usr/bin/env bash
# zelvar-cli diff: what two .cfg files send to the tracker, run as a user would.
set -u
source "$(dirname "$0")/harness.bash" "$1"

"$cli" defaults -o "$work/a.cfg"
# Written differently, built into the same bytes: "8" retries are "08", 201 ms are 30 flags too.
sed 's/"200","08"/"201","8"/' "$work/a.cfg" >"$work/same.cfg"
sed 's/"200"/"10"/; s/"NOCALL-9"/"QX9ABC-7"/' "$work/a.cfg" >"$work/b.cfg"
sed 's/"NOCALL-9"/""/' "$work/a.cfg" >"$work/nocall.cfg"
head -c 30 "$work/a.cfg" >"$work/cut.cfg"

expect 0 "same bytes" "$cli" diff "$work/a.cfg" "$work/same.cfg"
contains "$work/out" 'the same 170 bytes'
expect 1 "different bytes" "$cli" diff "$work/a.cfg" "$work/b.cfg"
contains "$work/out" '200 ms (30 flags) -> 27 ms (4 flags)'
contains "$work/out" '"NOCALL-9" -> "QX9ABC-7"'
[ "$(grep -c -- ' -> ' "$work/out")" -eq 2 ] || fail "more than the two settings: $(cat "$work/out")"
expect 1 "a failed build" "$cli" diff "$work/nocall.cfg" "$work/a.cfg"
contains "$work/out" 'nocall.cfg: Parametri incompleti o non corretti: MY CALLSIGN: empty callsign'
expect 2 "a truncated file" "$cli" diff "$work/a.cfg" "$work/cut.cfg"
contains "$work/err" 'the file ends'
expect 2 "a missing file" "$cli" diff "$work/none.cfg" "$work/a.cfg"
expect 2 "one file" "$cli" diff "$work/a.cfg"

finish "diff"
