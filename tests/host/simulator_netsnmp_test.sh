#!/bin/bash
# net-snmp's walkers read the simulated agent: snmpbulkwalk (v2c, GetBulk) and
# snmpwalk (v1, GetNext) list the same Printer MIB objects in increasing
# order, the profile's supplies among them, and both end cleanly at the end
# of the subtree and of the MIB. Then the oid-not-increasing fault, which
# snmpwalk must catch as well.
#   simulator_netsnmp_test.sh PAT-HOST-COMMAND...
run="$*"
scratch=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts the simulator with an agent on a free loopback UDP port; sets agent.
start() {
    local log=$scratch/sim-$#-$RANDOM.log
    $run simulate --listen 127.0.0.1:0 --snmp-port 0 "$@" >"$log" 2>&1 &
    pids+=($!)
    agent=
    for _ in $(seq 60); do
        agent=$(sed -n 's/.*SNMP agent on UDP port \([0-9]*\).*/\1/p' "$log")
        [ -n "$agent" ] && return
        sleep 0.25
    done
    fail "the simulator did not start: $(cat "$log")"
}

start
walk() { "$@" -m '' -On -c public -t 2 -r 1 127.0.0.1:$agent "$root" >"$out" 2>&1 || fail "$* $root: $(tail -3 "$out")"; }
for root in 1.3.6.1.2.1.43 1.3.6.1; do
    out=$scratch/bulk; walk snmpbulkwalk -v2c
    out=$scratch/next; walk snmpwalk -v1
    for f in bulk next; do
        ! grep -qi "not increasing\|timeout\|error" "$scratch/$f" || fail "$f $root: $(grep -i 'increasing\|timeout\|error' "$scratch/$f")"
        sed -n '/No more variables/!s/^\.\([0-9.]*\) = .*/\1/p' "$scratch/$f" >"$scratch/$f.oids"
        python3 -c 'import sys; o = [tuple(map(int, l.split("."))) for l in open(sys.argv[1])]
sys.exit(any(a >= b for a, b in zip(o, o[1:])))' "$scratch/$f.oids" || fail "$f $root: the OIDs are not strictly increasing"
    done
    cmp -s "$scratch/bulk.oids" "$scratch/next.oids" || fail "$root: v2c and v1 list different objects: $(diff "$scratch/bulk.oids" "$scratch/next.oids" | head)"
    [ "$(wc -l <"$scratch/bulk.oids")" -ge 100 ] || fail "$root: only $(wc -l <"$scratch/bulk.oids") objects"
    # The default profile's three supplies, in prtMarkerSuppliesDescription.
    for row in '1.1 = STRING: "Black Toner Cartridge"' '1.2 = STRING: "Drum Unit"' '1.3 = STRING: "Waste Toner Box"'; do
        grep -qF ".1.3.6.1.2.1.43.11.1.1.6.$row" "$scratch/bulk" || fail "$root: no supply row $row"
    done
    grep -q '^\.1\.3\.6\.1\.2\.1\.43\.11\.1\.1\.6\.1\.4 ' "$scratch/bulk" && fail "$root: a fourth supply"
done
# Past the last object: endOfMibView for v2c, noSuchName (no error shown) for v1.
grep -q 'No more variables left in this MIB View' "$scratch/bulk" || fail "snmpbulkwalk did not see endOfMibView"
[ "$(tail -1 "$scratch/next")" = "End of MIB" ] || fail "snmpwalk -v1 did not end at the end of the MIB: $(tail -2 "$scratch/next")"

start --snmp-fault oid-not-increasing
snmpwalk -v2c -m '' -On -c public -t 2 -r 1 127.0.0.1:$agent 1.3.6.1.2.1.43.8 >"$scratch/fault" 2>&1 &&
    fail "snmpwalk accepted a repeated OID: $(tail -3 "$scratch/fault")"
grep -q 'OID not increasing' "$scratch/fault" || fail "oid-not-increasing: $(tail -3 "$scratch/fault")"
echo "snmpbulkwalk and snmpwalk read the same Printer MIB from the simulator; the repeated OID is caught"
