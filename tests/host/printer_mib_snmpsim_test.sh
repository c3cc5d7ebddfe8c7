#!/bin/bash
# pat-host against snmpsim serving a recorded walk of a colour printer whose
# command set names no PJL: the record's trays, bins, memory and engine
# statuses come through PatPMInfoToPrnInfoEx, the supplies and alerts are in
# the JSON, and no byte reaches the raw port. Then the same agent beside a
# PJL printer: both merge, and the output names the source of each category.
# Every server runs on a free loopback port, its PID kept, killed at the end.
#   printer_mib_snmpsim_test.sh FIXTURES PAT-HOST-COMMAND...
fixtures=$1; shift
run="$*"
scratch=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
free_port() { python3 -c "import socket; s = socket.socket(type=socket.$1); s.bind(('127.0.0.1', 0)); print(s.getsockname()[1])"; }

# snmpsim drops to nobody, so its data and cache must be theirs to read.
mkdir -p "$scratch/data" "$scratch/cache"
cp "$fixtures/colour-printer.snmprec" "$scratch/data/public.snmprec"
chmod -R a+rwX "$scratch"
agent=$(free_port SOCK_DGRAM)
snmpsimd --data-dir="$scratch/data" --cache-dir="$scratch/cache" --agent-udpv4-endpoint=127.0.0.1:$agent \
    --process-user=nobody --process-group=nogroup >"$scratch/snmpsim.log" 2>&1 &
pids+=($!)
for _ in $(seq 60); do snmpget -v2c -m '' -c public -t 0.5 -r 0 127.0.0.1:$agent 1.3.6.1.2.1.1.1.0 >/dev/null 2>&1 && break; sleep 0.5; done
snmpget -v2c -m '' -c public 127.0.0.1:$agent 1.3.6.1.2.1.1.1.0 >/dev/null 2>&1 || fail "snmpsim did not start: $(tail -5 "$scratch/snmpsim.log")"

# The raw port: a listener that counts what it is sent.
raw=$(free_port SOCK_STREAM)
python3 - "$raw" "$scratch/raw-bytes" <<'PY' &
import socket, sys
server = socket.socket(); server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
server.bind(("127.0.0.1", int(sys.argv[1]))); server.listen(8)
received = 0
open(sys.argv[2], "w").write("0")
while True:
    conn, _ = server.accept()
    conn.settimeout(2)
    try:
        while data := conn.recv(4096):
            received += len(data)
            open(sys.argv[2], "w").write(str(received))
    except OSError:
        pass
    conn.close()
PY
pids+=($!)
for _ in $(seq 40); do [ -f "$scratch/raw-bytes" ] && break; sleep 0.25; done

$run poll 127.0.0.1:$raw --snmp-port $agent --json >"$scratch/pcl.json" 2>"$scratch/pcl.err"
status=$?
[ $status -eq 0 ] || fail "the PCL-only printer's poll exited $status: $(cat "$scratch/pcl.err") $(head -c 600 "$scratch/pcl.json")"
[ "$(cat "$scratch/raw-bytes")" = 0 ] || fail "$(cat "$scratch/raw-bytes") bytes reached the raw port of a device without PJL"
python3 - "$scratch/pcl.json" <<'PY' || fail "the PCL-only printer's record: $(head -c 3000 "$scratch/pcl.json")"
import json, sys
j = json.loads(open(sys.argv[1]).readline())
r, mib = j["PrnInfoEx"], j["printerMib"]
def same(what, got, expected):
    if got != expected: sys.exit(f"{what}: {got!r}, expected {expected!r}")
same("result", j["result"], "ok")
trays = [(t["wTray"], t["wPaperSize"], t["wLevel"]) for t in r["pTrayInfo"]]
# Tray 1 A4 in micrometres at 80 %, Tray 2 Letter in 1/10000 in at 20 %, Tray 3 A3 at -3, the bypass tray empty.
same("trays", trays, [(3, 8, 100), (4, 22, 25), (5, 4, 100), (1, 12, 0)])
same("bins", [(b["wBin"], b["wState"]) for b in r["pOutBinInfo"]], [(1, 2), (4, 0)])
same("memory", r["dwMemoryKB"], 524288)
same("engine statuses", [e["dwStatus"] for e in r["pEngineStatus"]], [21104, 20808])
same("engine flag of the critical alert", r["bEngineFlag"], 1)
same("model from the device ID", r["pModelName"], "Colour 900")
same("emulations", [e["wEmulation"] for e in r["pLoadedEmul"]], [18, 2])
same("supplies", [(s["colour"], s["typeName"], s["percent"], s["levelMeaning"]) for s in mib["supplies"]],
     [("black", "toner", 64.0, None), ("cyan", "toner", 8.0, None), ("magenta", "toner", None, "some remaining"),
      ("yellow", "toner", 45.0, None), ("", "wasteToner", None, "unknown")])
same("alerts", [(a["severityName"], a["codeName"]) for a in mib["alerts"]],
     [("warning", "markerTonerAlmostEmpty"), ("critical", "inputMediaSupplyEmpty")])
same("page count", mib["pageCount"], 123456)
same("sources", {k: j["sources"][k] for k in ("trays", "bins", "config", "identity", "engine", "supplies")},
     {"trays": "printer-mib", "bins": "printer-mib", "config": "printer-mib", "identity": "device-id",
      "engine": "printer-mib", "supplies": "printer-mib"})
if not any("names no PJL" in note for note in j["notes"]): sys.exit("no note on the PJL not sent")
PY

# A PJL printer beside the same agent: PJL wins where it answers.
pjl=$(free_port SOCK_STREAM)
$run simulate --listen 127.0.0.1:$pjl >"$scratch/sim.log" 2>&1 &
pids+=($!)
for _ in $(seq 60); do grep -q listening "$scratch/sim.log" && break; sleep 0.5; done
$run poll 127.0.0.1:$pjl --device-id 'MFG:Acme;CMD:PJL,PCL;MDL:Model 4200;STS:10001,1,Ready;' \
    --snmp-port $agent --printer-mib on --json >"$scratch/merged.json" 2>"$scratch/merged.err" ||
    fail "the merged poll: $(cat "$scratch/merged.err") $(head -c 600 "$scratch/merged.json")"
python3 - "$scratch/merged.json" <<'PY' || fail "the merged record: $(head -c 3000 "$scratch/merged.json")"
import json, sys
j = json.loads(open(sys.argv[1]).readline())
s = j["sources"]
expected = {"trays": "pjl", "bins": "pjl", "config": "pjl", "emulations": "pjl", "identity": "device-id",
            "status": "device-id", "engine": "device-id", "supplies": "printer-mib", "alerts": "printer-mib"}
got = {k: s.get(k) for k in expected}
if got != expected: sys.exit(f"sources {got}")
if len(j["PrnInfoEx"]["pTrayInfo"]) != 5: sys.exit("the trays are not PJL's five")
if j["PrnInfoEx"]["dwMemoryKB"] != 262144: sys.exit("the memory is not PJL's")
if len(j["printerMib"]["supplies"]) != 5: sys.exit("no supplies from the MIB")
PY
echo "snmpsim's recorded walk read through PatPMInfoToPrnInfoEx, alone and merged with PJL"
