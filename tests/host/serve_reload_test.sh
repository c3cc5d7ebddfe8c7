#!/bin/bash
# serve re-reads its targets file on SIGHUP: an edited file swaps the polled
# printers (the removed one leaves /metrics), a broken one is refused with a
# log line and the targets in force stay. Every process on a free loopback
# port, its PID kept, killed at the end.
#   serve_reload_test.sh PAT-HOST-COMMAND...
run="$*"
scratch=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
await() {  # PATTERN COMMAND...: until the command's output matches (up to 30 s)
    local pattern=$1; shift
    for _ in $(seq 60); do "$@" 2>/dev/null | grep -Eq -- "$pattern" && return 0; sleep 0.5; done
    return 1
}
. "$(dirname "$0")/start_simulator.sh"; pids+=($sim); first=127.0.0.1:$port
. "$(dirname "$0")/start_simulator.sh"; pids+=($sim); second=127.0.0.1:$port
targets() { printf '{"targets": [%s]}\n' "$1" >"$scratch/targets.json"; }
entry() { printf '{"address": "%s", "deviceId": "MFG:Acme;CMD:PJL;MDL:M;"}' "$1"; }

targets "$(entry "$first")"
$run serve --targets "$scratch/targets.json" --interval 1 --listen 127.0.0.1:0 >"$scratch/serve.log" 2>&1 &
serve=$!
pids+=($serve)
await 'serving http://' cat "$scratch/serve.log" || fail "serve did not start: $(cat "$scratch/serve.log")"
server=$(sed -n 's|.*serving http://\([0-9.:]*\)/.*|\1|p' "$scratch/serve.log")
metrics() { curl -s --max-time 10 "http://$server/metrics"; }
await "pat_up\{target=\"$first\"\} 1" metrics || fail "$first is not up"

# step: the file's text ("" keeps it), the log line, what /metrics must hold and must not
while IFS='|' read -r file logged present absent; do
    [ -n "$file" ] && printf '%s\n' "$file" >"$scratch/targets.json"
    kill -HUP $serve
    await "$logged" cat "$scratch/serve.log" || fail "no '$logged' in the log: $(tail -3 "$scratch/serve.log")"
    await "pat_up\{target=\"$present\"\} 1" metrics || fail "$present is not up after: $logged"
    metrics | grep -qF "target=\"$absent\"" && fail "$absent is still in /metrics after: $logged"
    kill -0 $serve || fail "serve ended after: $logged"
done <<TABLE
{"targets": [$(entry "$second")]}|reloaded, 1 printer \(1 added, 1 removed\)|$second|$first
{"targets": [$(entry "$second")], "extra": 1}|reload refused, still polling 1 printer: .*unknown field "extra"|$second|$first
{"targets": [$(entry "$second"), $(entry "$first")]}|reloaded, 2 printers \(1 added, 0 removed\)|$first|none
TABLE
echo "serve reloaded its targets on SIGHUP and refused a broken file"
