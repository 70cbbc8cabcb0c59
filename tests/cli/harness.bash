# Sourced by the zelvar-cli test scripts: the program under test, a scratch folder, the checks.
cli="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect CODE DESCRIPTION COMMAND...: runs COMMAND, keeps stdout/stderr, checks the exit code.
expect() {
    local code="$1" what="$2"
    shift 2
    "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" -eq "$code" ] || fail "$what: exit $got, expected $code ($(head -c 300 "$work/err"))"
}

# waitFor COMMAND...: COMMAND again every 50 ms until it succeeds, for 10 s at most.
waitFor() {
    for _ in $(seq 200); do
        "$@" && return
        sleep 0.05
    done
    return 1
}

contains() { grep -qF -- "$2" "$1" || fail "$1 lacks '$2': $(head -c 300 "$1")"; }

# finish NAME: the summary line and the exit status of the script.
finish() {
    [ "$failures" -eq 0 ] && echo "$1: all passed"
    exit $((failures > 0))
}
