#include "serve/status_page.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "printer_mib/mib_mappings.h"
#include "printer_mib/mib_names.h"
#include "snapshot/display_names.h"
#include "report/report.h"
#include "serve/text_escape.h"

namespace pathost::serve {

namespace {

constexpr const char *kStyle = R"(
:root{color-scheme:dark;--bg:#0f1419;--card:#1a2129;--line:#2b3440;--text:#e6edf3;--dim:#8b98a5;
--ok:#3fb950;--warn:#d29922;--bad:#f85149;--idle:#6e7681}
*{box-sizing:border-box}
body{margin:0;padding:24px;background:var(--bg);color:var(--text);font:15px/1.4 system-ui,sans-serif}
header{display:flex;flex-wrap:wrap;align-items:baseline;gap:8px 24px;margin-bottom:20px}
h1{font-size:22px;margin:0}
.summary span{margin-right:16px;font-weight:600}
.summary .up{color:var(--ok)}.summary .down{color:var(--bad)}.summary .pending{color:var(--idle)}
.meta{color:var(--dim);font-size:13px}
.grid{display:grid;grid-template-columns:repeat(auto-fill,minmax(320px,1fr));gap:16px}
.card{background:var(--card);border:1px solid var(--line);border-left:6px solid var(--idle);border-radius:8px;padding:14px 16px}
.card.up{border-left-color:var(--ok)}.card.down{border-left-color:var(--bad)}.card.warn{border-left-color:var(--warn)}
.card h2{font-size:17px;margin:0 0 2px}
.address{color:var(--dim);font-size:13px;font-family:ui-monospace,monospace}
.badge{float:right;font-size:12px;font-weight:700;padding:2px 8px;border-radius:10px;background:var(--idle);color:#000}
.up .badge{background:var(--ok)}.down .badge{background:var(--bad)}.warn .badge{background:var(--warn)}
.status{margin:10px 0;font-weight:600}
.status.alert{color:var(--warn)}
h3{font-size:12px;text-transform:uppercase;letter-spacing:.06em;color:var(--dim);margin:12px 0 6px}
.tray,.supply{display:grid;grid-template-columns:9.5em 1fr 3.2em;gap:8px;align-items:center;margin:4px 0;font-size:14px}
.bar{height:12px;background:#0b0f13;border:1px solid var(--line);border-radius:6px;overflow:hidden}
.bar i{display:block;height:100%;background:var(--ok)}
.bar i.low{background:var(--warn)}.bar:has(i.empty){border-color:var(--bad)}
.pct{text-align:right;font-variant-numeric:tabular-nums}
.supply .bar{background:#2f3945}.supply .bar i{background:#9aa5b1}
.supply .bar i.cyan{background:#00b4e6}.supply .bar i.magenta{background:#e0218a}
.supply .bar i.yellow{background:#f5d000}.supply .bar i.black{background:#000}
.supply .pct.low{color:var(--warn)}
.meaning{grid-column:span 2;color:var(--dim);font-size:13px;font-style:italic}
.alerts{list-style:none;margin:0;padding:0;font-size:14px}
.alerts li{margin:3px 0}.alerts b{font-size:11px;text-transform:uppercase;margin-right:6px;color:var(--dim)}
.alerts .critical b{color:var(--bad)}.alerts .warning b{color:var(--warn)}
.paper{color:var(--dim);font-size:12px}
.lock{margin-left:6px;font-size:11px;font-weight:700;color:var(--warn);border:1px solid var(--warn);border-radius:3px;padding:0 4px}
.bins{display:flex;flex-wrap:wrap;gap:6px}
.bin{font-size:13px;padding:2px 8px;border-radius:4px;border:1px solid var(--line)}
.bin.full{border-color:var(--bad);color:var(--bad)}.bin.paper-present{border-color:var(--warn);color:var(--warn)}
.failure{margin-top:10px;color:var(--bad)}
.hint{color:var(--dim);font-size:13px;margin-top:4px}
footer{margin-top:10px;color:var(--dim);font-size:13px}
)";

std::string Age(std::chrono::system_clock::duration age) {
    long long seconds = std::max<long long>(0, std::chrono::duration_cast<std::chrono::seconds>(age).count());
    if (seconds < 120) return std::to_string(seconds) + " s ago";
    if (seconds < 7200) return std::to_string(seconds / 60) + " min ago";
    return std::to_string(seconds / 3600) + " h ago";
}

void Trays(std::string &out, const PrinterSnapshot &record) {
    if (record.trays.empty()) return;
    out += "<h3>Input trays</h3>";
    for (const Tray &tray : record.trays) {
        unsigned level = tray.levelPercent();
        const char *name = NameOf(kTrayNames, tray.code);
        const PaperName *paper = FindCode(kPaperNames, tray.paper);
        out += "<div class=\"tray\" data-tray=\"" + std::to_string(tray.code) + "\"><span>" +
               Html(name != nullptr ? name : "Tray code " + std::to_string(tray.code)) + "<br><span class=\"paper\">" +
               Html(paper != nullptr ? paper->keyword : "paper ?") + "</span>" +
               (tray.locked() ? "<span class=\"lock\">locked</span>" : "") + "</span><div class=\"bar\" role=\"meter\" aria-valuenow=\"" +
               std::to_string(level) + "\"><i class=\"" + (level == 0 ? "empty" : level <= 20 ? "low" : "") +
               "\" style=\"width:" + std::to_string(level) + "%\"></i></div><span class=\"pct\">" +
               std::to_string(level) + " %</span></div>";
    }
}

void Bins(std::string &out, const PrinterSnapshot &record) {
    if (record.bins.empty()) return;
    out += "<h3>Output bins</h3><div class=\"bins\">";
    for (const OutputBin &bin : record.bins) {
        const char *name = NameOf(kBinNames, bin.code), *word = NameOf(kBinStates, bin.state);
        std::string stateWord = word != nullptr ? word : "state " + std::to_string(bin.state);
        std::string cls = stateWord;
        std::replace(cls.begin(), cls.end(), ' ', '-');
        out += "<span class=\"bin " + Html(cls) + "\">" +
               Html(name != nullptr ? name : "Bin code " + std::to_string(bin.code)) + ": " + Html(stateWord) + "</span>";
    }
    out += "</div>";
}

// The bar's colour: the colourant's, grey for one the page has none for.
std::string ColourClass(std::string colour) {
    std::transform(colour.begin(), colour.end(), colour.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const char *known : {"cyan", "magenta", "yellow", "black"})
        if (colour == known) return colour;
    return "";
}

void Supplies(std::string &out, const PrinterMib &mib) {
    if (mib.supplies.empty()) return;
    out += "<h3>Supplies</h3>";
    for (const MibSupply &supply : mib.supplies) {
        std::string name = supply.description.empty() ? SupplyTypeName(supply.type) : supply.description;
        out += "<div class=\"supply\" data-supply=\"" + std::to_string(supply.index) + "\"><span>" + Html(name) + "</span>";
        if (std::optional<double> ratio = supply.ratio()) {
            long percent = std::lround(*ratio * 100);
            out += "<div class=\"bar\" role=\"meter\" aria-valuenow=\"" + std::to_string(percent) + "\"><i class=\"" +
                   ColourClass(supply.colour) + "\" style=\"width:" + std::to_string(percent) +
                   "%\"></i></div><span class=\"pct" + (*ratio <= 0.1 ? " low" : "") + "\">" + std::to_string(percent) +
                   " %</span>";
        } else {
            out += "<span class=\"meaning\">" + Html(supply.levelMeaning()) + "</span>";  // no made-up amount
        }
        out += "</div>";
    }
}

void Alerts(std::string &out, const PrinterMib &mib) {
    std::string items;
    for (const MibAlert &alert : mib.alerts) {
        if (!IsActiveState(alert)) continue;
        std::string severity = AlertSeverityName(alert.severity);
        items += "<li class=\"" + Html(severity) + "\"><b>" + Html(severity) + "</b>" +
                 Html(alert.description.empty() ? AlertCodeName(alert.code) : alert.description) + "</li>";
    }
    if (!items.empty()) out += "<h3>Alerts</h3><ul class=\"alerts\">" + items + "</ul>";
}

void Card(std::string &out, const TargetStatus &status, std::chrono::system_clock::time_point now) {
    const PollOutcome *last = status.last ? &*status.last : nullptr;
    bool up = last != nullptr && Succeeded(last->kind);
    // Only a poll that succeeded shows the printer's state: nothing stale.
    const PrinterSnapshot *record = up && last->snapshot ? &*last->snapshot : nullptr;
    std::string engine;
    bool alert = record != nullptr && !record->engineReady();
    if (record != nullptr)
        for (const EngineState &item : record->engineStatus)
            engine += (engine.empty() ? "" : " · ") + item.text + " (" + std::to_string(item.code) + ")";
    const char *state = last == nullptr ? "pending" : !up ? "down" : alert ? "warn" : "up";
    std::string title = record != nullptr ? record->modelName.value_or("") : "";
    std::string maker = record != nullptr ? record->makerName.value_or("") : "";
    out += "<section class=\"card " + std::string(state) + "\" data-target=\"" + Html(status.label) + "\">";
    out += "<span class=\"badge\">" + std::string(last == nullptr ? "waiting" : up ? "answered" : "no answer") + "</span>";
    out += "<h2>" + Html(title.empty() ? status.label : title) + "</h2><div class=\"address\">" +
           Html(status.label) + (!maker.empty() ? " · " + Html(maker) : "") +
           "</div>";
    if (last == nullptr) {
        out += "<div class=\"status\">Not polled yet</div></section>";
        return;
    }
    if (up) {
        out += "<div class=\"status" + std::string(alert ? " alert" : "") + "\">" +
               Html(engine.empty() ? "no engine status" : engine) + "</div>";
        if (record != nullptr) {
            Trays(out, *record);
            Bins(out, *record);
        }
        if (last->printerMib) {
            Supplies(out, *last->printerMib);
            Alerts(out, *last->printerMib);
        }
    } else {
        out += "<div class=\"failure\">" + Html(last->message) + "</div>";
        if (!NextStep(*last).empty()) out += "<div class=\"hint\">" + Html(NextStep(*last)) + "</div>";
    }
    out += "<footer>polled " + Age(now - status.finishedAt) + " · took " +
           std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(status.duration).count()) + " ms";
    if (status.failures > 1) out += " · " + std::to_string(status.failures) + " failures in a row";
    out += "</footer></section>";
}

}  // namespace

HttpResponse StatusPage(const Fleet &fleet, const ModuleIdentity &module, std::chrono::system_clock::time_point now) {
    std::vector<std::shared_ptr<const TargetStatus>> statuses = fleet.statuses();
    std::shared_ptr<std::mutex> lock = fleet.lock();
    size_t up = 0, down = 0, pending = 0;
    {
        std::lock_guard guard(*lock);
        for (const auto &status : statuses) (!status->last ? pending : Succeeded(status->last->kind) ? up : down)++;
    }
    long long refresh = std::max<long long>(
        1, std::chrono::duration_cast<std::chrono::seconds>(fleet.schedule().interval).count());
    std::string head =
        "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\"><meta http-equiv=\"refresh\" content=\"" +
        std::to_string(refresh) +
        "\"><meta name=\"viewport\" content=\"width=device-width,initial-scale=1\"><title>Printers: " +
        std::to_string(up) + " up, " + std::to_string(down) + " down</title><style>" + kStyle +
        "</style></head><body><header><h1>Printers</h1><div class=\"summary\"><span class=\"up\">" +
        std::to_string(up) + " answered</span><span class=\"down\">" + std::to_string(down) + " not answering</span>" +
        (pending ? "<span class=\"pending\">" + std::to_string(pending) + " waiting</span>" : "") +
        "</div><div class=\"meta\">" +
        (fleet.schedule().polls ? "polled every " + std::to_string(refresh) + " s"
                                : std::string("probe only: printers are polled when /probe asks")) +
        " · this page reloads itself · " + Html(ModuleLine(module)) + "</div></header><main class=\"grid\">";
    HttpResponse response;
    response.contentType = "text/html; charset=utf-8";
    // The head, then a card at a time, each as the printer is when its turn comes.
    response.pieces = [statuses = std::move(statuses), lock = std::move(lock), head = std::move(head), now,
                       next = size_t{0}, headed = false](std::string &out) mutable {
        if (!headed) {
            out += head;
            headed = true;
        } else if (next < statuses.size()) {
            std::lock_guard guard(*lock);
            Card(out, *statuses[next++], now);
        }
        if (next < statuses.size()) return true;
        out += "</main></body></html>\n";
        return false;
    };
    return response;
}

}  // namespace pathost::serve
