#!/bin/bash
# pat-host serve with the clients admins run against it: promtool checks its
# /metrics, a real Prometheus (one-second scrapes, storage in a scratch
# folder) scrapes /metrics and /probe, headless Chromium renders the page.
# Two simulated printers, one of them silent, the other a colour printer whose
# SNMP agent serves the Printer MIB. Every process is started on a free
# loopback port, its PID kept, and killed at the end.
#   serve_clients_test.sh [--screenshot FILE] PAT-HOST-COMMAND...
screenshot=
[ "$1" = --screenshot ] && { screenshot=$2; shift 2; }
run="$*"
scratch=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
# Polls until the command's output matches (up to 30 s).
await() {
    local pattern=$1; shift
    for _ in $(seq 60); do "$@" 2>/dev/null | grep -Eq -- "$pattern" && return 0; sleep 0.5; done
    return 1
}
has() { local file=$1; shift; for text; do grep -qF -- "$text" "$file" || fail "no $text in $file"; done; }

# The built-in profile with four toners, one of them low, and an alert for it.
$run simulate --print-profile | python3 -c 'import json, sys; p = json.load(sys.stdin); mib = p["printerMib"]
mib["supplies"][:1] = [{"description": c.title() + " Toner", "colour": c, "level": l} for c, l in (("cyan", 72), ("magenta", 45), ("yellow", 8), ("black", 80))]
mib["alerts"].append({"severity": 4, "group": 11, "location": 3, "code": 1104, "description": "Yellow toner is low"})
json.dump(p, open(sys.argv[1], "w"))' "$scratch/colour.json" || fail "cannot make the colour profile"
sim_args="--profile $scratch/colour.json --snmp-port 0"
. "$(dirname "$0")/start_simulator.sh"; pids+=($sim); good=127.0.0.1:$port; good_snmp=$snmp_port
sim_args="--fault silent"
. "$(dirname "$0")/start_simulator.sh"; pids+=($sim); silent=127.0.0.1:$port
printf '{"targets": [{"address": "%s", "printerMib": "on", "snmp": {"port": %s}}, {"address": "%s"}]}' "$good" "$good_snmp" "$silent" >"$scratch/targets.json"

$run serve --targets "$scratch/targets.json" --device-id "MFG:Acme;CMD:PJL,PCL;MDL:Model 4200;STS:10001,1,Ready;RIJ:48213/80,35;" \
    --interval 2 --idle-timeout 1 --listen 127.0.0.1:0 >"$scratch/serve.log" 2>&1 &
pids+=($!)
await 'serving http://' cat "$scratch/serve.log" || fail "serve did not start: $(cat "$scratch/serve.log")"
server=$(sed -n 's|.*serving http://\([0-9.:]*\)/.*|\1|p' "$scratch/serve.log")
get() { curl -s --max-time 20 "http://$server$1"; }
await '"result":"silent"' get /api/printers || fail "no result for both printers: $(get /api/printers | head -c 500)"

# The exposition format, and the simulator profile's values in it.
get /metrics >"$scratch/metrics"
promtool check metrics <"$scratch/metrics" || fail "promtool rejects /metrics"
grep -qF "pat_up{target=\"$good\"} 1" "$scratch/metrics" || fail "pat_up of $good is not 1"
grep -qF "pat_up{target=\"$silent\"} 0" "$scratch/metrics" || fail "pat_up of $silent is not 0"
has "$scratch/metrics" "pat_memory_bytes{target=\"$good\"} 268435456" "pat_device_id_reading{target=\"$good\",kind=\"1\"} 48213"
[ "$(grep -c "^pat_tray_level_percent{target=\"$good\"" "$scratch/metrics")" -eq 5 ] || fail "not one tray level per tray"
grep -qF 'name="Tray 2",paper="LETTERSRT"} 60' "$scratch/metrics" || fail "Tray 2 is not at 60 %"
has "$scratch/metrics" "pat_supply_level_ratio{target=\"$good\",supply=\"3\",colour=\"yellow\",type=\"toner\"} 0.08" \
    'type="wasteToner",class="receptacle",unit="percent",level_meaning="some remaining"} 1' "pat_alert{target=\"$good\",severity=\"critical\",group=\"output\""

[ "$(curl -s -o /dev/null -w '%{http_code}' "http://$server/probe?target=$good")" = 200 ] || fail "probe of $good"
[ "$(curl -s -o /dev/null -w '%{http_code}' "http://$server/probe?target=127.0.0.1:1")" = 403 ] || fail "probe of an unconfigured target"
[ "$(get /api/printers | python3 -c 'import json, sys; print(len(json.load(sys.stdin)))')" = 2 ] || fail "/api/printers"

# Prometheus: the fleet's /metrics, and /probe the way blackbox exporters are scraped.
prom=$(free_port)
cat >"$scratch/prometheus.yml" <<YML
global: {scrape_interval: 1s, scrape_timeout: 1s}
scrape_configs:
  - job_name: pat
    static_configs: [{targets: ["$server"]}]
  - job_name: pat_probe
    metrics_path: /probe
    static_configs: [{targets: ["$good"]}]
    relabel_configs:
      - {source_labels: [__address__], target_label: __param_target}
      - {source_labels: [__param_target], target_label: instance}
      - {target_label: __address__, replacement: "$server"}
YML
prometheus --config.file="$scratch/prometheus.yml" --storage.tsdb.path="$scratch/tsdb" \
    --web.listen-address="127.0.0.1:$prom" >"$scratch/prometheus.log" 2>&1 &
pids+=($!)
query() { curl -s --max-time 5 "http://127.0.0.1:$prom/api/v1/query" --data-urlencode "query=$1"; }
await '"value":\[[0-9.]+,"1"\]' query "pat_up{job=\"pat\",target=\"$good\"}" ||
    fail "Prometheus holds no pat_up: $(query pat_up) $(tail -5 "$scratch/prometheus.log")"
await '"value":\[[0-9.]+,"60"\]' query "pat_tray_level_percent{job=\"pat\",name=\"Tray 2\"}" || fail "Prometheus holds no tray level"
await '"value":\[[0-9.]+,"0.08"\]' query 'pat_supply_level_ratio{job="pat",colour="yellow"}' || fail "Prometheus holds no supply level"
await '"value":\[[0-9.]+,"1"\]' query 'pat_up{job="pat_probe"}' || fail "Prometheus's probe of $good: $(query 'up{job="pat_probe"}')"

# The README's scrape configuration and alert rules are what promtool accepts.
python3 - "$(dirname "$0")/../../README.md" "$scratch" <<'PY' || fail "cannot read the README's YAML"
import re, sys
blocks = re.findall(r"```yaml\n(.*?)```", open(sys.argv[1]).read(), re.S)
open(sys.argv[2] + "/readme-scrape.yml", "w").write("scrape_configs:\n" + "".join(b.split("scrape_configs:\n")[-1] for b in blocks[:2]))
open(sys.argv[2] + "/readme-rules.yml", "w").write(blocks[2])
PY
(cd "$scratch" && echo '[]' >printers.json && promtool check config readme-scrape.yml && promtool check rules readme-rules.yml) ||
    fail "promtool rejects the README's Prometheus examples"
cmp -s "$scratch/readme-rules.yml" "$(dirname "$0")/../../docs/pat-host-alerts.yml" || fail "the README's rules are not docs/pat-host-alerts.yml"
promtool test rules "$(dirname "$0")/fixtures/alert-rules-test.yml" || fail "the alert rules do not fire as their tests expect"

# The page in a real browser: a card per printer, a bar per tray.
browse() { timeout 60 chromium --headless --no-sandbox --disable-gpu --user-data-dir="$scratch/chromium" "$@" "http://$server/" 2>>"$scratch/chromium.log"; }
browse --dump-dom >"$scratch/page.html"
for target in "$good" "$silent"; do grep -qF "data-target=\"$target\"" "$scratch/page.html" || fail "no card for $target"; done
[ "$(grep -o 'class="tray"' "$scratch/page.html" | wc -l)" -eq 5 ] || fail "the page does not show the 5 trays"
grep -qF "Ready (10001)" "$scratch/page.html" || fail "no engine status on the page"
has "$scratch/page.html" '<i class="yellow" style="width:8%">' '<span class="meaning">some remaining</span>' \
    '<li class="critical"><b>critical</b>Finisher shift tray is full</li>'
[ -z "$screenshot" ] || browse --hide-scrollbars --window-size=1100,960 --screenshot="$screenshot" >/dev/null
echo "serve: /metrics, /probe, /api/printers, Prometheus and Chromium all agree"
