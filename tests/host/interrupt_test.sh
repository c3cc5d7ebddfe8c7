#!/bin/sh
# Ctrl-C and SIGTERM during a poll of a silent printer: the run ends promptly
# (3 s: a bound that holds under qemu, not a speed goal), reports each printer
# not yet finished as interrupted, in text and in JSON, and exits 130. The
# simulator and the server told to stop exit 0.   interrupt_test.sh PAT-HOST-COMMAND...
run="$*"
sim_args="--fault silent"
. "$(dirname "$0")/start_simulator.sh"
failed=0
# Until pat-host holds a connection to the simulator (a poll in flight, its
# signals handled), at most 30 s: a fixed wait was too short for a slow build.
polling() {
    hex=$(printf ':%04X' "$port")
    for _ in $(seq 120); do
        awk -v p="$hex" '$4 == "01" && substr($3, length($3) - 4) == p' /proc/net/tcp | grep -q . && return 0
        sleep 0.25
    done
    return 1
}
while read -r signal output pattern; do
    out=$(mktemp)
    # Two printers one at a time: one is polling, the other waits its turn.
    $run poll 127.0.0.1:$port 127.0.0.1:$port --concurrency 1 --idle-timeout 60 --timeout 120 $(echo "$output" | sed "s/^-$//") >"$out" 2>&1 &
    poll=$!
    polling || echo "FAIL: SIG$signal $output: the poll never connected" >&2
    start=$(date +%s%N)
    kill -$signal $poll
    wait $poll
    got=$?
    took=$((($(date +%s%N) - start) / 1000000))
    cat "$out"
    results=$(grep -cF -- "$pattern" "$out")  # the output column: - for text
    rm -f "$out"
    if [ $got -ne 130 ] || [ $took -gt 3000 ] || [ "$results" -ne 2 ]; then
        echo "FAIL: SIG$signal $output: exit $got (130), $took ms (3000 at most), $results interrupted results (2)" >&2
        failed=1
    fi
done <<TABLE
INT  -      poll 1: interrupted (exit 130)
TERM --json "result":"interrupted"
TABLE
# serve is a server: a signal ends it, with a poll in flight, and it exits 0.
for signal in INT TERM; do
    $run serve 127.0.0.1:$port --listen 127.0.0.1:0 --idle-timeout 60 --timeout 120 >/dev/null 2>&1 &
    serve=$!
    polling || { echo "FAIL: serve never polled" >&2; failed=1; }
    kill -$signal $serve
    wait $serve
    got=$?
    [ $got -eq 0 ] || { echo "FAIL: serve stopped by SIG$signal exited $got (0)" >&2; failed=1; }
done
kill -INT $sim
wait $sim || { echo "FAIL: simulate stopped by Ctrl-C exited $?" >&2; failed=1; }
exit $failed
