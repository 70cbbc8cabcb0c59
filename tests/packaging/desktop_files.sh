#!/usr/bin/env bash
# The files that make the programs a desktop application, checked by the desktop's own
# validators where they are installed, and against what zelvar-cli really offers.
#   desktop_files.sh ZELVAR-CLI PACKAGING-SOURCE-FOLDER PACKAGING-BUILD-FOLDER
set -u
source "$(dirname "$0")/../cli/harness.bash" "$1"
packaging="$2"
built="$3"
id=org.zelvar.ZelvarConfig

if command -v desktop-file-validate >/dev/null; then
    expect 0 "desktop entry" desktop-file-validate "$packaging/$id.desktop"
    [ -s "$work/out" ] && fail "desktop entry: $(cat "$work/out")"
fi
if command -v appstreamcli >/dev/null; then
    expect 0 "metainfo" appstreamcli validate --no-net "$packaging/$id.metainfo.xml"
fi
contains "$packaging/$id.desktop" "Icon=$id"
contains "$packaging/$id.metainfo.xml" "<launchable type=\"desktop-id\">$id.desktop</launchable>"
[ -f "$packaging/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"

# The copyright file carries the notices of the code of others compiled into the programs: CLI11
# in zelvar-cli (BSD-3-clause, which binaries must reproduce) and tl::expected in both (CC0-1.0).
contains "$packaging/copyright" "Copyright: 2017-2021 University of Cincinnati"
contains "$packaging/copyright" "Redistributions in binary form must reproduce"
contains "$packaging/copyright" "Copyright: 2017 Simon Brand"

# Each PNG is as large as the folder it lies in says (width and height from the IHDR chunk).
for png in "$packaging"/icons/hicolor/*x*/apps/"$id".png; do
    folder=${png%/apps/*}
    read -r -a bytes <<<"$(od -An -j16 -N8 -tu1 "$png")"
    width=$(((bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3]))
    height=$(((bytes[4] << 24) | (bytes[5] << 16) | (bytes[6] << 8) | bytes[7]))
    [ "${width}x${height}" = "${folder##*/}" ] || fail "$png is ${width}x${height}"
done

# The completion offers every command and every option that the help lists.
source "$packaging/zelvar-cli.bash-completion"
completions() {
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMPREPLY=()
    _zelvar_cli 2>/dev/null
    printf '%s\n' "${COMPREPLY[@]}"
}
options() { sed -n '/^Options:/,$p' | grep -oE '^  -[^ ]+(, --[^ ]+)?' | tr -s ' ,' '\n' | grep .; }
commands=$("$cli" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z]*\) .*/\1/p')
[ -n "$commands" ] || fail "no commands in the help"
for word in $commands $("$cli" --help | options | grep -vx -- -h); do
    completions zelvar-cli "" | grep -qx -- "$word" || fail "completion lacks $word"
done
for command in $commands; do
    for option in $("$cli" "$command" --help | options | grep -vx -- -h); do
        completions zelvar-cli "$command" - | grep -qx -- "$option" ||
            fail "completion lacks $command $option"
    done
done
# A value joined to its option by "=", which the shell splits off as a word of its own.
[ "$(completions zelvar-cli send --baud = | tr '\n' ' ')" = "=4800 =9600 =38400 " ] ||
    fail "completion of --baud= offers $(completions zelvar-cli send --baud =)"
[ "$(completions zelvar-cli send --baud = 9)" = 9600 ] || fail "completion of --baud=9"
# Where it offers names of files or devices, readline treats them as names: a folder gets its
# slash (/dev/serial/ leads on to by-id), a name with a blank is quoted.
compopt() { [ "$*" = "-o filenames" ] && asked=names; }
for words in "send a.cfg --device" "loopback --device" "defaults -o" "check" "decode"; do
    asked=""
    # shellcheck disable=SC2086 # the words are meant to split
    completions zelvar-cli $words /dev/ >/dev/null
    [ "$asked" = names ] || fail "completion of $words offers names as plain words"
done
unset -f compopt

# The user manual explains every rule of check, each with its sources.
rules=$("$cli" check --help | sed -n '/^The rules/,/\.$/p' | grep -oE '[a-z0-9]+(-[a-z0-9]+)+')
[ -n "$rules" ] || fail "no rules in check --help"
for rule in $rules; do
    grep -F "{\\f1\\b $rule} (" "$packaging/../docs/Zelvar_Config.rtf" | grep -q '\[[A-Z]*\]\\par' ||
        fail "the manual lacks the rule $rule or its source"
done

# Both manual pages are there and read without a warning.
for page in zelvar-cli zelvar-config; do
    [ -s "$built/$page.1.gz" ] || fail "no manual page $page.1.gz"
    if command -v man >/dev/null; then
        MANWIDTH=80 man --warnings -l "$built/$page.1.gz" 2>"$work/err" >"$work/out"
        [ -s "$work/err" ] && fail "$page(1): $(head -c 300 "$work/err")"
        contains "$work/out" "SYNOPSIS"
    fi
done
[ -s "$built/zelvar-cli.1.gz" ] && zcat "$built/zelvar-cli.1.gz" | grep -q 'Exit status' ||
    fail "zelvar-cli(1) lacks the exit status"

# The window's program answers --version and --help in a terminal without a display (over ssh),
# and zelvar-config(1) names every option its help lists (which leaves fontconfig's cache to the
# end of the process: no leak of ours).
window="$(dirname "$cli")/zelvar-config"
if [ -x "$window" ]; then
    for option in --version --help-all --help; do
        expect 0 "zelvar-config $option without a display" env -u DISPLAY -u WAYLAND_DISPLAY \
            -u QT_QPA_PLATFORM ASAN_OPTIONS=detect_leaks=0 "$window" "$option"
        [ -s "$work/out" ] || fail "zelvar-config $option says nothing"
    done
    help=$(cat "$work/out")
    # A language with no catalogue is said, as zelvar-cli says it.
    expect 0 "zelvar-config --lang xx --version" env -u DISPLAY -u WAYLAND_DISPLAY \
        -u QT_QPA_PLATFORM ASAN_OPTIONS=detect_leaks=0 "$window" --lang xx --version
    contains "$work/err" 'zelvar-config: no catalogue for the language "xx"'
    # A language named in bytes that are no UTF-8 is said back by their codes, as zelvar-cli does.
    expect 0 "zelvar-config --lang \\xFF --version" env -u DISPLAY -u WAYLAND_DISPLAY \
        -u QT_QPA_PLATFORM ASAN_OPTIONS=detect_leaks=0 "$window" --lang $'\xff' --version
    contains "$work/err" 'zelvar-config: no catalogue for the language "\xFF"'
    # Started with its standard descriptors closed (from a launcher that closes them), it keeps
    # their numbers taken by /dev/null: what Qt writes to stderr goes nowhere, not into a port.
    QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 "$window" <&- >&- 2>&- &
    started=$!
    for _ in $(seq 100); do
        [ "$(find "/proc/$started/fd" -mindepth 1 2>/dev/null | wc -l)" -gt 5 ] && break
        sleep 0.1
    done
    for descriptor in 0 1 2; do
        taken=$(readlink "/proc/$started/fd/$descriptor")
        [ "$taken" = /dev/null ] || fail "zelvar-config started with $descriptor closed gave it to $taken"
    done
    kill -TERM "$started"
    wait "$started"
    if command -v man >/dev/null; then
        LC_ALL=C MANWIDTH=80 man -l "$built/zelvar-config.1.gz" >"$work/out" 2>/dev/null
        for option in $(grep -oE -- '--[a-z-]+' <<<"$help"); do
            grep -qF -- "$option" "$work/out" || fail "zelvar-config(1) lacks $option"
        done
    fi
fi

finish "desktop files"
