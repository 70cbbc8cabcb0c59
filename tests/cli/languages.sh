#!/usr/bin/env bash
# What no language changes: the .cfg files, the image, --json, the exit codes and the position
# texts are the same bytes in English under the C locale as under de_DE.UTF-8 (its decimal comma)
# in German and in the pseudo-locale en_XA, where every text the catalogue has is changed. The
# words around them do change.
set -u
source "$(dirname "$0")/harness.bash" "$1"
locale -a | grep -qix 'de_DE.utf8' || fail "the de_DE.UTF-8 locale is missing (scripts/install-deps makes it)"

"$1" defaults -o "$work/defaults.cfg"
sed 's/NOCALL-9/NOCALL-7/' "$work/defaults.cfg" >"$work/placeholder.cfg"
printf 'garbage' >"$work/garbage.cfg"

# run NAME LANGUAGE-ENVIRONMENT... -- ARGUMENTS...: zelvar-cli's stdout in NAME.out, its exit code
# in NAME.code.
run() {
    local name="$1"
    shift
    local environment=()
    while [ "$1" != "--" ]; do
        environment+=("$1")
        shift
    done
    shift
    env -i PATH="$PATH" "${environment[@]}" "$cli" "$@" >"$work/$name.out" 2>"$work/$name.err"
    echo $? >"$work/$name.code"
}

cases=(
    "defaults"
    "normalize $work/placeholder.cfg"
    "image $work/defaults.cfg"
    "check --json $work/placeholder.cfg"
    "check --json=1 $work/placeholder.cfg"
    "check $work/garbage.cfg"
    "position --lat 45.30.15 --lon -9.10.30 --alt 120"
    "position --lat 45.5025 --lon 9,175"
    "position --locator JN45ol --compressed"
    "symbols no-such-symbol"
    "send --port x $work/defaults.cfg"
)
for words in "${cases[@]}"; do
    # shellcheck disable=SC2086 # the words of each case
    run english LC_ALL=C -- $words
    # shellcheck disable=SC2086
    run german LC_ALL=de_DE.UTF-8 -- $words
    # shellcheck disable=SC2086
    run pseudo LC_ALL=de_DE.UTF-8 -- --lang en_XA $words
    for other in german pseudo; do
        cmp -s "$work/english.code" "$work/$other.code" ||
            fail "$words: exit $(cat "$work/$other.code") in $other, $(cat "$work/english.code") in English"
        case "$words" in
        check\ [^-]* | symbols* | send*) ;; # words for people
        *) cmp -s "$work/english.out" "$work/$other.out" ||
            fail "$words: stdout differs in $other: $(head -c 200 "$work/$other.out")" ;;
        esac
    done
done

# The words do switch: the help and a message in the pseudo-locale, and the locale's own choice.
run pseudo LC_ALL=C -- --lang en-XA --help
contains "$work/pseudo.out" "[Ďóéš ţĥé ŵóřķ óƒ Zelvar Çóñƒíğ ŵíţĥóúţ á ŵíñďóŵ"
# The parser's refusals too.
for words in "image" "receive --device" "image --wire=x a.cfg"; do
    # shellcheck disable=SC2086 # the words of each case
    run pseudo LC_ALL=C -- --lang en_XA $words
    grep -q "required\|missing\|convert" "$work/pseudo.err" && fail "$words: in English: $(head -1 "$work/pseudo.err")"
done
run pseudo LANG=en_XA.UTF-8 -- symbols no-such-symbol
contains "$work/pseudo.err" "[ñó šýɱƀóĺ íš ñáɱéď"
run english LANGUAGE=en_XA LC_ALL=C -- symbols no-such-symbol
contains "$work/english.err" "no symbol is named"
# --lang after the command too, and given twice, the last one.
run pseudo LC_ALL=C -- --lang de symbols no-such-symbol --lang en_XA
contains "$work/pseudo.err" "[ñó šýɱƀóĺ íš ñáɱéď"
grep -q "^1$" "$work/pseudo.code" || fail "--lang after the command: exit $(cat "$work/pseudo.code")"
# The system's refusals are in the language's words too, as the serial layer passes them on as
# well: a missing file, a folder for a file, a missing folder to save in, a missing device or a
# file for a serial device, a full disk.
for words in "check $work/missing.cfg" "check $work" "defaults -o $work/missing/x.cfg" \
    "receive --device $work/defaults.cfg --timeout 1" "loopback --device $work/missing" \
    "send --device $work/missing $work/defaults.cfg" \
    "send --device $work/defaults.cfg $work/defaults.cfg"; do
    # shellcheck disable=SC2086 # the words of each case
    run pseudo LC_ALL=C -- --lang en_XA $words
    english=$(grep -E '[A-Za-z]+ [A-Za-z]+ [A-Za-z]+' "$work/pseudo.err" | head -1)
    [ -z "$english" ] || fail "$words: in English: $english"
done
if [ -w /dev/full ]; then
    env -i PATH="$PATH" LC_ALL=C "$cli" --lang en_XA defaults >/dev/full 2>"$work/pseudo.err"
    english=$(grep -E '[A-Za-z]+ [A-Za-z]+ [A-Za-z]+' "$work/pseudo.err" | head -1)
    [ -z "$english" ] || fail "a full disk: in English: $english"
fi
run english LC_ALL=C -- --lang xx symbols no-such-symbol
contains "$work/english.err" 'no catalogue for the language "xx"'
contains "$work/english.err" "no symbol is named"
# A count's words take the language's plural form: French puts 1 in the singular, 2 in the plural;
# the spare bytes in use follow.
"$1" image "$work/defaults.cfg" >"$work/image.hex"
sed 's/00$/01/' "$work/image.hex" >"$work/spare1.hex"
sed 's/0000$/0101/' "$work/image.hex" >"$work/spare2.hex"
printf 'x' >"$work/one.bin"
for count in 1 2; do
    run french LC_ALL=C -- --lang fr decode "$work/spare$count.hex"
    grep -q "^Octets libres  *$count non nul$([ "$count" = 2 ] && echo s)"$'\xc2\xa0'": .*octet 163 = 1\$" \
        "$work/french.out" ||
        fail "decode, $count spare bytes in French: $(grep Octets "$work/french.out")"
done
run french LC_ALL=C -- --lang fr decode "$work/one.bin"
grep -q "1 octet trouvé\$" "$work/french.err" || fail "decode, one byte in French: $(cat "$work/french.err")"
# The refusal diff quotes is joined in the language's words: French puts a no-break space before
# the colon.
sed 's/NOCALL-9/NOCALL-99999/' "$work/defaults.cfg" >"$work/long.cfg"
run french LC_ALL=C -- --lang fr diff "$work/defaults.cfg" "$work/long.cfg"
nbsp=$'\xc2\xa0'
contains "$work/french.out" "long.cfg: Paramètres incomplets ou incorrects${nbsp}: INDICATIF${nbsp}:"
# A port that is missing is said once in every language: the doctor's finding, which lists the
# ports, takes the place of the serial layer's words it starts with.
for language in de es fr it ja pt_BR; do
    for port in 0 99; do
        run other LC_ALL=C -- --lang "$language" send --port "$port" "$work/defaults.cfg"
        [ "$(grep -c " $port " "$work/other.err")" = 1 ] ||
            fail "send --port $port in $language says it twice: $(grep " $port " "$work/other.err")"
    done
done
# Each language's help fits a terminal: no text of it runs on as one endless line.
for language in en de es fr it ja pt_BR; do
    run other LC_ALL=C.UTF-8 -- --lang "$language" --help-all
    longest=$(LC_ALL=C.UTF-8 wc -L <"$work/other.out")
    [ "$longest" -le 100 ] || fail "--help-all in $language has a line of $longest columns"
done
finish languages
