#!/usr/bin/env bash
# zelvar-cli receive at the far end of a pseudo-terminal pair while zelvar-cli send sends COUNT
# transfers in a row at 38400 bit/s, each as SEND does it, pauses included. Fails unless every
# transfer is judged good; prints the time taken, the shortest and longest pause after block 1,
# and receive's processor time and peak memory.
#   bench/receive_soak.sh [BUILD-FOLDER] [COUNT]   (relative to the repository; default
#                                                   build/release and 100)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
count=${2:-100}
cli=$PWD/$build/zelvar-cli
[ -x "$cli" ] || { echo "receive soak: no $cli" >&2; exit 2; }

work=$(mktemp -d)
relay=""
trap 'kill $relay 2>/dev/null; rm -rf "$work"' EXIT
socat PTY,link="$work/rx",raw,echo=0 PTY,link="$work/tx",raw,echo=0 &
relay=$!
for _ in $(seq 100); do [ -e "$work/tx" ] && [ -e "$work/rx" ] && break; sleep 0.05; done
"$cli" defaults -o "$work/default.cfg"

/usr/bin/time -f "%U %S %M" -o "$work/usage" "$cli" receive --device "$work/rx" --baud 38400 \
    --count "$count" --timeout 30 >"$work/received" 2>"$work/receive-err" &
receiver=$!
for _ in $(seq 100); do grep -q "^Waiting on" "$work/receive-err" && break; sleep 0.05; done

start=$(date +%s%N)
for _ in $(seq "$count"); do
    "$cli" send "$work/default.cfg" --device "$work/tx" --baud 38400 2>"$work/send-err" ||
        { echo "receive soak: send failed: $(cat "$work/send-err")" >&2; exit 1; }
done
status=0
wait "$receiver" || status=$?
seconds=$((($(date +%s%N) - start) / 1000000000))

read -r user system kib <"$work/usage"
summary=$(tail -n 1 "$work/received")
echo "receive at 38400 bit/s on a pty, $count sends in a row in $seconds s: $summary"
sed -n 's/^Pause after block 1: \([0-9]*\) ms.*/\1/p' "$work/received" | sort -n |
    awk '{ pause[NR] = $1 } END { if (NR) printf "pause after block 1: %d to %d ms, median %d ms\n",
                                     pause[1], pause[NR], pause[int((NR + 1) / 2)] }'
awk -v user="$user" -v sys="$system" -v kib="$kib" -v count="$count" 'BEGIN {
    printf "receive used %.2f s of processor time (%.1f ms a transfer), peak memory %.1f MB\n",
           user + sys, (user + sys) * 1000 / count, kib * 1024 / 1e6 }'
if [ "$status" -ne 0 ] || [ "$summary" != "$count of $count transfers: $count OK, 0 faulty" ]; then
    grep -A3 "faulty:" "$work/received" | head -20 >&2
    exit 1
fi
