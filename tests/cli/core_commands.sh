#!/usr/bin/env bash
# zelvar-cli defaults / image / normalize / decode, run as a user would.
set -u
source "$(dirname "$0")/harness.bash" "$1"

expect 0 "defaults" "$cli" defaults -o "$work/default.cfg"
printf '"1","200","08",0,">",0\r\n"0480"\r\n"0360"\r\n"250"\r\n"180"\r\n"130"\r\n"110"\r\n"090"\r\n"0600",3,"025","NOCALL-9","WIDE1-1,WIDE2-2","Zelvar, version 4.0 - by QX9ABC Pim","NOCALL","Message sent using Zelvar, version 4.0"\r\n"00.00.00","00.00.00",1,"0",0,#FALSE#\r\n"Msg received,i will reply soon"\r\n0\r\n' >"$work/expected.cfg"
cmp -s "$work/default.cfg" "$work/expected.cfg" || fail "defaults bytes differ"
expect 0 "defaults to stdout" "$cli" defaults
cmp -s "$work/out" "$work/expected.cfg" || fail "defaults on stdout differ"

expect 0 "image" "$cli" image "$work/default.cfg"
hex="$(cat "$work/out")"
[ "${#hex}" -eq 328 ] || fail "image hex has ${#hex} digits"
[ "${hex:0:76}" = "1e08003e2f0a302419120d0b093c19034e4f43414c4c395749444531203157494445322032"00 ] ||
    fail "image bytes 0..37: ${hex:0:76}"
expect 0 "image --wire --raw" "$cli" image "$work/default.cfg" --wire --raw
[ "$(wc -c <"$work/out")" -eq 170 ] || fail "raw wire is not 170 bytes"
cp "$work/out" "$work/wire.bin"

expect 0 "decode wire" "$cli" decode "$work/wire.bin"
contains "$work/out" 'lead-ins and checksums correct'
contains "$work/out" '"NOCALL-9"'
contains "$work/out" 'every 480 s'
"$cli" image "$work/default.cfg" >"$work/image.hex"
expect 0 "decode hex image" "$cli" decode "$work/image.hex"
contains "$work/out" '200 ms (30 flags)'

# A damaged checksum, a short capture and garbage are refused.
printf '\x00' | dd of="$work/wire.bin" bs=1 seek=84 conv=notrunc status=none
expect 2 "decode bad checksum" "$cli" decode "$work/wire.bin"
contains "$work/err" 'block 1: bad checksum'
head -c 100 /dev/urandom >"$work/short.bin"
expect 2 "decode short" "$cli" decode "$work/short.bin"
contains "$work/err" 'found 100 bytes'
expect 2 "decode missing" "$cli" decode "$work/none"
contains "$work/err" 'none: No such file or directory'
head -c 200000 /dev/zero >"$work/big.bin"
expect 2 "decode oversized" "$cli" decode "$work/big.bin"

# Loading and building failures.
expect 2 "image of a missing file" "$cli" image "$work/none.cfg"
contains "$work/err" 'No such file or directory'
sed 's/"NOCALL-9"/""/' "$work/default.cfg" >"$work/nocall.cfg"
expect 1 "image with empty callsign" "$cli" image "$work/nocall.cfg"
contains "$work/err" 'Parametri incompleti o non corretti'
contains "$work/err" 'MyCall'
head -c 30 "$work/default.cfg" >"$work/cut.cfg"
expect 2 "image of a truncated file" "$cli" image "$work/cut.cfg"
contains "$work/err" 'the file ends'

# normalize writes what the build shows; nothing on failure.
sed 's/"200","08"/"10","8"/; s/"0480"/"0005"/' "$work/default.cfg" >"$work/rough.cfg"
expect 0 "normalize" "$cli" normalize "$work/rough.cfg" -o "$work/tidy.cfg"
head -n 2 "$work/tidy.cfg" | tr -d '\r' >"$work/head"
contains "$work/head" '"1","027","08",0,">",0'
contains "$work/head" '"0010"'
expect 1 "normalize failure" "$cli" normalize "$work/nocall.cfg" -o "$work/never.cfg"
[ ! -e "$work/never.cfg" ] || fail "normalize wrote a file on failure"

# A double quote in a text is doubled in the file and comes back as one, unchanged by normalize.
sed 's/"Zelvar, version 4.0 - by QX9ABC Pim"/"=\/7I""PPjw<>  _"/' "$work/default.cfg" >"$work/quote.cfg"
expect 0 "normalize with a quote" "$cli" normalize "$work/quote.cfg"
cmp -s "$work/out" "$work/quote.cfg" || fail "normalize changed the quoted text: $(head -c 300 "$work/out")"
"$cli" image "$work/quote.cfg" >"$work/quote.hex"
expect 0 "decode with a quote" "$cli" decode "$work/quote.hex"
contains "$work/out" '"=/7I"PPjw<>  _"'

# Control characters in an image (an escape sequence in the comment) are shown, not obeyed;
# its Latin-1 letters reach the terminal as UTF-8.
hex=$(cat "$work/image.hex")
printf '%s' "${hex:0:76}1b5b33316de9${hex:88}" >"$work/escape.hex"
expect 0 "decode with an escape sequence" "$cli" decode "$work/escape.hex"
contains "$work/out" '"\x1B[31m'$'\xc3\xa9'', version 4.0'
grep -q $'\x1b' "$work/out" && fail "decode passed an escape character to the terminal"

# Output goes through a symlink into its file, keeping its mode (devices and pipes: output.sh).
cp "$work/default.cfg" "$work/real.cfg"
chmod 604 "$work/real.cfg"
ln -s real.cfg "$work/link.cfg"
expect 0 "normalize through a symlink" "$cli" normalize "$work/rough.cfg" -o "$work/link.cfg"
[ -L "$work/link.cfg" ] || fail "the symlink was replaced"
cmp -s "$work/real.cfg" "$work/tidy.cfg" || fail "the symlink's file did not get the output"
[ "$(stat -c %a "$work/real.cfg")" = 604 ] || fail "mode became $(stat -c %a "$work/real.cfg")"
mkfifo "$work/fifo"

# Reading a FIFO is refused at once instead of waiting for a writer.
for command in image decode; do
    expect 2 "$command of a FIFO" timeout 10 "$cli" "$command" "$work/fifo"
    contains "$work/err" 'Is a FIFO, not a regular file'
done

# Help, version and bad arguments.
for command in defaults image normalize decode; do
    expect 0 "$command --help" "$cli" "$command" --help
    contains "$work/out" "Usage: zelvar-cli $command"
done
expect 0 "--version" "$cli" --version
contains "$work/out" 'zelvar-cli 4.0'
expect 2 "unknown command" "$cli" frobnicate
expect 2 "unknown option" "$cli" image "$work/default.cfg" --bogus
expect 2 "missing value" "$cli" defaults -o

finish "core commands"
