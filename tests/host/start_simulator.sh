# Sourced: starts `$run simulate --listen 127.0.0.1:0 $sim_args` in the
# background and sets sim (its pid), port (the port it picked) and, with
# --snmp-port in sim_args, snmp_port (its SNMP agent's).
sim_log=$(mktemp)
$run simulate --listen 127.0.0.1:0 $sim_args >"$sim_log" 2>&1 &
sim=$!
port=
for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
    port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$sim_log")
    snmp_port=$(sed -n 's/.*SNMP agent on UDP port \([0-9]*\).*/\1/p' "$sim_log")
    [ -n "$port" ] && break
    sleep 0.25
done
rm -f "$sim_log"
[ -n "$port" ] || { echo "FAIL: the simulator did not start" >&2; exit 1; }
