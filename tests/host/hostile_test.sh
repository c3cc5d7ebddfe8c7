#!/bin/bash
# pat-host against hostile printers and outputs, as the real binary (memory is
# measured on the process): an endless printer at the --max-bytes ceiling,
# NUL runs between answers, outputs that cannot be written, and serve whose
# log pipe closes. Every server listens on a free loopback port, its PID
# kept, killed at the end.
#   hostile_test.sh FIXTURES PAT-HOST-COMMAND...
fixtures=$1
shift
run="$*"
scratch=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$scratch"' EXIT
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }
# What a poll of an endless printer may keep: the answer and the module's
# copy of it (2 x 16 MiB), qemu and the module besides (about 20 MB).
bound_kb=80000

sim_args="--fault flood"
. "$(dirname "$0")/start_simulator.sh"; pids+=($sim); flood=127.0.0.1:$port
sim_args=
. "$(dirname "$0")/start_simulator.sh"; pids+=($sim); good=127.0.0.1:$port

# The endless printer: stopped at the ceiling, within the overall timeout.
/usr/bin/time -f '%e %M' -o "$scratch/time" $run poll "$flood" --device-id-source none --timeout 5 \
    --max-bytes 16777216 >/dev/null 2>&1
got=$?
read -r seconds peak_kb < <(tail -n 1 "$scratch/time")  # after "Command exited with ..."
echo "endless printer: exit $got, $seconds s, peak RSS $peak_kb KB"
[ $got -eq 76 ] || fail "endless printer: exit $got, expected 76"
# The overall timeout must bound the poll (it took 28 s and more before);
# how close it comes to the 5 s is a figure for docs/reliability.md, not a
# pass mark on a shared machine.
awk "BEGIN { exit !($seconds <= 20) }" || fail "endless printer: $seconds s, the 5 s timeout did not bound it"
[ "$peak_kb" -le $bound_kb ] || fail "endless printer: peak RSS $peak_kb KB, expected at most $bound_kb"

# NUL runs after every form feed: the next answer is still seen.
for nuls in 255 256 10000; do
    python3 -c "import sys; d = open(sys.argv[1], 'rb').read(); sys.stdout.buffer.write(d.replace(b'\f', b'\f' + b'\0' * $nuls))" \
        "$fixtures/office-a4.pjl" >"$scratch/nuls.pjl"
    $run replay --answer "$scratch/nuls.pjl" >/dev/null 2>&1 || fail "replay with runs of $nuls NULs: exit $?"
done

# Outputs that cannot be written: 74 and a message on standard error.
while read -r name args; do
    eval "$run $args" 2>"$scratch/err"
    got=$?
    [ $got -eq 74 ] || fail "$name: exit $got, expected 74"
    grep -q "cannot write" "$scratch/err" || fail "$name: no message on standard error: $(cat "$scratch/err")"
done <<TABLE
poll-full poll $good --device-id-source none >/dev/full
poll-closed poll $good --device-id-source none >&-
poll-json-full poll $good --device-id-source none --json >/dev/full
capture-full poll $good --device-id-source none --capture /dev/full
replay-full replay --answer $fixtures/office-a4.pjl >/dev/full
query-closed query >&-
demo-full demo >/dev/full
TABLE

# serve with three endless printers beside a good one: every scrape answers,
# the good printer keeps its schedule, memory stays within what three polls
# at the ceiling may keep, and SIGTERM ends it promptly.
# The floods would be other machines; here they share the cores, so they run
# at the lowest priority and serve's own threads get the time they would.
floods=()
plain=$run
run="nice -n 19 $plain" sim_args="--fault flood"
for _ in 1 2 3; do
    . "$(dirname "$0")/start_simulator.sh"; pids+=($sim); floods+=("127.0.0.1:$port")
done
run=$plain sim_args=
$run serve "$good" "${floods[@]}" --device-id "MFG:Acme;CMD:PJL;MDL:M;" --interval 1 --timeout 5 \
    --max-bytes 16777216 --listen 127.0.0.1:0 >"$scratch/flood.log" 2>&1 &
serve=$!
pids+=($serve)
for _ in $(seq 40); do grep -q 'serving http://' "$scratch/flood.log" && break; sleep 0.25; done
server=$(sed -n 's|.*serving http://\([0-9.:]*\)/.*|\1|p' "$scratch/flood.log")
scrapes=0 refused=0 slowest=0
polls() { grep "^pat_polls_total{target=\"$good\",result=\"ok\"}" "$scratch/metrics" | awk '{print $2}'; }
for _ in $(seq 24); do  # 12 s: two full rounds of the floods at their 5 s timeout
    code=$(curl -s -o "$scratch/metrics" -w '%{http_code} %{time_total}' --max-time 10 "http://$server/metrics")
    scrapes=$((scrapes + 1))
    [ "${code%% *}" = 200 ] || refused=$((refused + 1))
    slowest=$(awk -v a="$slowest" -v b="${code##* }" 'BEGIN { print (b > a ? b : a) }')
    [ -n "${first_polls:-}" ] || first_polls=$(polls)
    sleep 0.5
done
peak_kb=$(awk '$1 == "VmHWM:" {print $2}' "/proc/$serve/status")
good_polls=$(( $(polls) - ${first_polls:-0} ))
start=$(date +%s.%N)
kill -TERM $serve
wait $serve
got=$?
stopped=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }')
echo "serve with 3 endless printers: $scrapes scrapes, $refused not 200, slowest $slowest s;" \
    "the good printer polled $good_polls times more; peak RSS $peak_kb KB; SIGTERM to exit $stopped s"
[ $refused -eq 0 ] || fail "serve with endless printers: $refused of $scrapes scrapes did not answer 200"
# Due every second: at least half of that on a shared machine.
[ "$good_polls" -ge 6 ] || fail "serve with endless printers: the good printer was polled $good_polls times in 12 s"
# Three polls at the ceiling (answer and module copy each) beside serve's own 40 MB.
[ "$peak_kb" -le 150000 ] || fail "serve with endless printers: peak RSS $peak_kb KB, expected at most 150000"
[ $got -eq 0 ] || fail "serve with endless printers: exit $got after SIGTERM, expected 0"
awk "BEGIN { exit !($stopped <= 5) }" || fail "serve with endless printers: $stopped s from SIGTERM to exit"

# serve whose log pipe closed after one line keeps answering.
mkfifo "$scratch/log"
head -n 1 <"$scratch/log" >"$scratch/first" &
pids+=($!)
$run serve "$good" --device-id "MFG:Acme;CMD:PJL;MDL:M;" --interval 1 --listen 127.0.0.1:0 >"$scratch/log" 2>&1 &
serve=$!
pids+=($serve)
for _ in $(seq 40); do grep -q 'serving http://' "$scratch/first" && break; sleep 0.25; done
server=$(sed -n 's|.*serving http://\([0-9.:]*\)/.*|\1|p' "$scratch/first")
[ -n "$server" ] || fail "serve did not start"
kill "${pids[1]}" 2>/dev/null  # the good printer stops answering: serve logs it
for _ in $(seq 40); do
    curl -s --max-time 5 "http://$server/api/printers" | grep -q '"result":"unreachable"' && break
    sleep 0.25
done
sleep 1.5  # another poll, another attempt to log
code=$(curl -s -o /dev/null -w '%{http_code}' --max-time 5 "http://$server/metrics")
[ "$code" = 200 ] || fail "serve with its log pipe closed: /metrics answered '$code'"
kill -TERM $serve
wait $serve
got=$?
[ $got -eq 0 ] || fail "serve with its log pipe closed: exit $got after SIGTERM, expected 0"
exit $failed
