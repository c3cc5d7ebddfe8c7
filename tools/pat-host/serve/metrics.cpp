#include "serve/metrics.h"

#include <stdio.h>

#include <set>

#include "printer_mib/mib_mappings.h"
#include "printer_mib/mib_names.h"
#include "snapshot/display_names.h"
#include "serve/text_escape.h"

namespace pathost::serve {

namespace {

struct Family {
    const char *name;
    const char *type;
    const char *help;
};

enum Id {
    kUp, kDuration, kExitCode, kLastPoll, kPolls, kFailures, kInfo, kMemory, kTrayLevel, kTrayLocked,
    kBinState, kEngineStatus, kCounter, kSupply, kSupplyRatio, kSupplyInfo, kSupplyMax, kPages, kAlert,
    kPrinterState, kDeviceState, kFamilies
};
static_assert(kFamilies == kMetricFamilies);

constexpr Family kFamilyTable[kFamilies] = {
    {"pat_up", "gauge", "1 when the last poll of the printer succeeded, else 0"},
    {"pat_poll_duration_seconds", "gauge", "how long the last poll took"},
    {"pat_poll_exit_code", "gauge", "the exit status pat-host poll would give for the last poll (0 ok, 69 unreachable, 75 silent, ...)"},
    {"pat_last_poll_timestamp_seconds", "gauge", "when the last poll finished, in seconds since the Unix epoch"},
    {"pat_polls_total", "counter", "polls since the server started, by result"},
    {"pat_poll_consecutive_failures", "gauge", "failed polls in a row; the next poll waits longer after the second"},
    {"pat_printer_info", "gauge", "the printer's identity from its last successful poll, always 1"},
    {"pat_memory_bytes", "gauge", "the printer's installed memory"},
    {"pat_tray_level_percent", "gauge", "paper left in the input tray, in percent (tray is its code, name its display name)"},
    {"pat_tray_locked", "gauge", "1 when the input tray is locked, else 0"},
    {"pat_output_bin_state", "gauge", "the output bin's state: 0 ready, 1 paper present, 2 full"},
    {"pat_engine_status", "gauge", "1 for each engine status the printer reports (code as in the device ID's STS)"},
    {"pat_device_id_reading", "gauge", "a counter reading the device ID reports, by its kind (1: the page count)"},
    {"pat_supply_level", "gauge", "a supply level the device ID reports, by its supply kind"},
    {"pat_supply_level_ratio", "gauge",
     "how full a marker supply is, 0 to 1 (a receptacle: how much it can still take); none while its level is no amount"},
    {"pat_supply_info", "gauge", "a marker supply of the Printer MIB, always 1 (level_meaning: what a level that is no amount means)"},
    {"pat_supply_max_capacity", "gauge", "a marker supply's maximum capacity, in its unit (the unit of pat_supply_info)"},
    {"pat_pages_total", "counter", "pages the printer's marker has printed in its life (prtMarkerLifeCount)"},
    {"pat_alert", "gauge", "1 per alert of the printer's alert table that is a state it is in, not a past event"},
    {"pat_printer_state", "gauge", "the printer's hrPrinterStatus: 1 for the current state, 0 for the others"},
    {"pat_device_state", "gauge", "the printer's hrDeviceStatus: 1 for the current state, 0 for the others"},
};

std::string Number(double value) {
    char text[32];
    snprintf(text, sizeof text, "%.15g", value);
    return text;
}

struct Line {
    std::string &out;
    const std::string &target;

    // name{target="...",k="v",...} value
    void operator()(Id family, std::initializer_list<std::pair<const char *, std::string>> labels, double value) {
        out += kFamilyTable[family].name;
        out += "{target=\"" + target + "\"";
        for (const auto &[name, text] : labels) out += std::string(",") + name + "=\"" + LabelValue(text) + "\"";
        out += "} " + Number(value) + "\n";
    }
};

std::string Field(const std::optional<std::string> &text) { return text.value_or(std::string()); }

std::string CodeLabel(const char *name, unsigned code, const char *kind) {
    return name != nullptr ? name : std::string(kind) + " " + std::to_string(code);
}

std::string PaperLabel(unsigned code) {
    const PaperName *paper = FindCode(kPaperNames, code);
    return paper != nullptr ? paper->keyword : std::to_string(code);
}

void RecordSamples(std::vector<std::string> &lines, const std::string &target, const PrinterSnapshot &record) {
    Line info{lines[kInfo], target};
    info(kInfo,
         {{"maker", Field(record.makerName)}, {"model", Field(record.modelName)},
          {"description", Field(record.description)}, {"firmware", Field(record.sysVersion)}},
         1);
    Line{lines[kMemory], target}(kMemory, {}, static_cast<double>(record.memoryBytes()));
    for (const Tray &tray : record.trays) {
        std::string name = CodeLabel(NameOf(kTrayNames, tray.code), tray.code, "tray");
        Line{lines[kTrayLevel], target}(kTrayLevel,
                                        {{"tray", std::to_string(tray.code)}, {"name", name},
                                         {"paper", PaperLabel(tray.paper)}},
                                        tray.level);
        if (tray.attributesReported())
            Line{lines[kTrayLocked], target}(kTrayLocked, {{"tray", std::to_string(tray.code)}, {"name", name}},
                                             tray.locked() ? 1 : 0);
    }
    for (const OutputBin &bin : record.bins)
        Line{lines[kBinState], target}(
            kBinState, {{"bin", std::to_string(bin.code)}, {"name", CodeLabel(NameOf(kBinNames, bin.code), bin.code, "bin")}},
            bin.state);
    for (const EngineState &status : record.engineStatus)
        Line{lines[kEngineStatus], target}(kEngineStatus, {{"code", std::to_string(status.code)}}, 1);
    for (const Counter &counter : record.counters)
        Line{lines[kCounter], target}(kCounter, {{"kind", std::to_string(counter.kind)}}, counter.value);
    for (const Counter &supply : record.supplies)
        Line{lines[kSupply], target}(kSupply, {{"kind", std::to_string(supply.kind)}}, supply.value);
}

// One series per state the MIB lists (1 to `states`), 1 for the current one:
// a query needs no table of codes, and a state the MIB does not list is all 0.
void StateSet(std::string &out, const std::string &target, Id family, std::optional<int32_t> current,
              std::string (*name)(std::optional<int32_t>), int32_t states) {
    for (int32_t state = 1; state <= states; ++state)
        Line{out, target}(family, {{"state", name(state)}}, current == state ? 1 : 0);
}

void MibSamples(std::vector<std::string> &lines, const std::string &target, const PrinterMib &mib) {
    for (const MibSupply &supply : mib.supplies) {
        std::string index = std::to_string(supply.index), type = SupplyTypeName(supply.type);
        // -1, -2 and -3 are no amount: no ratio rather than a made-up one.
        if (std::optional<double> ratio = supply.ratio())
            Line{lines[kSupplyRatio], target}(kSupplyRatio, {{"supply", index}, {"colour", supply.colour}, {"type", type}},
                                              *ratio);
        Line{lines[kSupplyInfo], target}(kSupplyInfo,
                                         {{"supply", index}, {"description", supply.description}, {"colour", supply.colour},
                                          {"type", type}, {"class", SupplyClassName(supply.supplyClass)},
                                          {"unit", SupplyUnitName(supply.unit)}, {"level_meaning", supply.levelMeaning()}},
                                         1);
        if (supply.maxCapacity && *supply.maxCapacity > 0)
            Line{lines[kSupplyMax], target}(kSupplyMax, {{"supply", index}}, *supply.maxCapacity);
    }
    if (mib.pageCount) Line{lines[kPages], target}(kPages, {}, static_cast<double>(*mib.pageCount));
    // An alert the table lists twice is one state: one series, not a duplicate Prometheus drops.
    std::set<std::string> alerts;
    for (const MibAlert &alert : mib.alerts) {
        if (!IsActiveState(alert)) continue;
        std::string line;
        Line{line, target}(kAlert,
                           {{"severity", AlertSeverityName(alert.severity)}, {"group", AlertGroupName(alert.group)},
                            {"code", AlertCodeName(alert.code)}, {"description", alert.description}},
                           1);
        if (alerts.insert(line).second) lines[kAlert] += line;
    }
    if (mib.printerStatus) StateSet(lines[kPrinterState], target, kPrinterState, mib.printerStatus, PrinterStatusName, 5);
    if (mib.deviceStatus) StateSet(lines[kDeviceState], target, kDeviceState, mib.deviceStatus, DeviceStatusName, 5);
}

}  // namespace

TargetSamples SamplesOf(const std::string &target, const TargetStatus &status) {
    TargetSamples samples;
    if (!status.last) return samples;  // not polled yet: no sample rather than a made-up 0
    std::string label = LabelValue(target);
    std::vector<std::string> lines(kFamilies);
    const PollOutcome &last = *status.last;
    bool up = Succeeded(last.kind);
    Line{lines[kUp], label}(kUp, {}, up ? 1 : 0);
    Line{lines[kDuration], label}(kDuration, {}, std::chrono::duration<double>(status.duration).count());
    Line{lines[kExitCode], label}(kExitCode, {}, last.exitCode());
    Line{lines[kLastPoll], label}(kLastPoll, {},
                                  std::chrono::duration<double>(status.finishedAt.time_since_epoch()).count());
    for (const auto &[result, count] : status.pollsByResult)
        Line{lines[kPolls], label}(kPolls, {{"result", result}}, static_cast<double>(count));
    Line{lines[kFailures], label}(kFailures, {}, status.failures);
    // A printer that did not answer has no current state: nothing stale.
    if (up && last.snapshot) RecordSamples(lines, label, *last.snapshot);
    if (up && last.printerMib) MibSamples(lines, label, *last.printerMib);
    size_t size = 0;
    for (const std::string &family : lines) size += family.size();
    samples.text.reserve(size);
    for (int family = 0; family < kFamilies; ++family) {
        samples.start[family] = static_cast<uint32_t>(samples.text.size());
        samples.text += lines[family];
    }
    samples.start[kFamilies] = static_cast<uint32_t>(samples.text.size());
    return samples;
}

FleetSamples::FleetSamples(size_t targets) : blocks_((targets + kBlock - 1) / kBlock), lengths_(targets) {}

void FleetSamples::Set(size_t target, const TargetSamples &samples) {
    auto &block = blocks_[target / kBlock];
    size_t first = target - target % kBlock;
    for (size_t family = 0; family < kFamilies; ++family) {
        size_t at = 0;
        for (size_t before = first; before < target; ++before) at += lengths_[before][family];
        std::string_view lines = samples.Family(family);
        std::string &text = block[family];
        size_t size = text.size() - lengths_[target][family] + lines.size();
        if (size > text.capacity()) text.reserve(size + size / 64 + 64);  // not doubling: these texts are most of serve
        text.replace(at, lengths_[target][family], lines);
        lengths_[target][family] = static_cast<uint32_t>(lines.size());
    }
}

HttpResponse Exposition(std::shared_ptr<const FleetSamples> samples, std::shared_ptr<std::mutex> lock,
                        const ModuleIdentity &module) {
    std::string file = module.path.substr(module.path.find_last_of('/') + 1);
    std::string tail = "# HELP pat_build_info the module pat-host runs (its version from PatGetDllVersion), always 1\n"
                       "# TYPE pat_build_info gauge\n"
                       "pat_build_info{version=\"" + LabelValue(module.version) + "\",module=\"" + LabelValue(file) + "\"} 1\n";
    HttpResponse response;
    response.contentType = kExpositionType;
    // A family's head, then its lines block by block.
    response.pieces = [samples = std::move(samples), lock = std::move(lock), tail = std::move(tail),
                       family = size_t{0}, block = size_t{0}, headed = false](std::string &out) mutable {
        if (family == kFamilies) {
            out += tail;
            return false;
        }
        if (!headed) {
            const Family &named = kFamilyTable[family];
            out += std::string("# HELP ") + named.name + " " + named.help + "\n# TYPE " + named.name + " " + named.type + "\n";
            headed = true;
        } else if (block < samples->blocks()) {
            std::unique_lock guard = lock ? std::unique_lock(*lock) : std::unique_lock<std::mutex>();
            out += samples->Text(block++, family);
        }
        if (block == samples->blocks()) {
            ++family;
            block = 0;
            headed = false;
        }
        return true;
    };
    return response;
}

std::string ExpositionText(std::shared_ptr<const FleetSamples> samples, const ModuleIdentity &module) {
    HttpResponse response = Exposition(std::move(samples), nullptr, module);
    std::string text;
    while (response.pieces(text)) {
    }
    return text;
}

}  // namespace pathost::serve
