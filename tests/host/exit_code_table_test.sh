#!/bin/sh
# One kind of failure, one exit status, in every command.
#   exit_code_table_test.sh FIXTURES PAT-HOST-COMMAND...
fixtures=$1
shift
run="$*"
. "$(dirname "$0")/start_simulator.sh"  # its port is the one in use below
failed=0
huge=$(mktemp)  # a number of 100,000 digits, beyond what a double holds
printf '{"targets": [{"address": "127.0.0.1", "snmp": {"port": %s}}]}' "$(head -c 100000 /dev/zero | tr '\0' 9)" >"$huge"
while read -r want args; do
    eval "$run $args" >/dev/null 2>&1
    got=$?
    [ $got -eq $want ] || { echo "FAIL: exit $got, expected $want: pat-host $args" >&2; failed=1; }
done <<TABLE
64 poll 127.0.0.1 --bogus
64 replay --bogus
64 query --bogus
64 simulate --bogus
64 demo --bogus
65 demo --profile $fixtures/bad-level-profile.json
65 simulate --profile $fixtures/bad-level-profile.json
66 demo --profile /nonexistent/profile.json
66 simulate --profile /nonexistent/profile.json
66 replay --answer /nonexistent/capture.pjl
66 poll 127.0.0.1:$port --device-id-file /nonexistent/device-id
66 replay --answer $fixtures
66 poll 127.0.0.1:$port --device-id-file $fixtures
66 simulate --profile $fixtures
64 poll 127.0.0.1:$port --max-bytes 16777217
64 poll 127.0.0.1:$port --watch 0.5
64 serve 127.0.0.1 --interval 0.001
66 serve --targets $fixtures --listen 127.0.0.1:0
65 serve --targets $huge --listen 127.0.0.1:0
69 poll 127.0.0.1:1
69 simulate --listen 127.0.0.1:$port
69 demo --listen 127.0.0.1:$port
73 poll 127.0.0.1:$port --capture /nonexistent/capture.pjl
75 demo --fault silent --idle-timeout 0.3
76 replay --answer $fixtures/cut-off-bins.pjl
65 --module $fixtures/office-a4.pjl query
66 --module /nonexistent/pat.dll replay --answer $fixtures/office-a4.pjl
66 compare --answer $fixtures/office-a4.pjl --with /nonexistent/pat.dll
TABLE
rm -f "$huge"
kill -TERM $sim
wait $sim || { echo "FAIL: simulate stopped by SIGTERM exited $?" >&2; failed=1; }
exit $failed
