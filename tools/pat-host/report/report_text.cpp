#include <stdio.h>

#include "snapshot/display_names.h"
#include "module/module_objects.h"
#include "printer_mib/mib_mappings.h"
#include "printer_mib/mib_names.h"
#include "report/report.h"
#include "report/visible_text.h"

namespace pathost {

namespace {

constexpr int kLabelWidth = 15;

std::string Pad(const std::string &text, size_t width) {
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string Count(size_t n, const char *one, const char *many) { return std::to_string(n) + " " + (n == 1 ? one : many); }

void Line(std::ostream &out, const std::string &label, const std::string &value) {
    out << "  " << Pad(label, kLabelWidth) << value << '\n';
}

std::string Str(const std::optional<std::string> &value) { return value && !value->empty() ? Visible(*value) : "-"; }

template <unsigned N>
std::string Named(const CodeName (&table)[N], unsigned code, const char *unknown) {
    const char *name = NameOf(table, code);
    return name != nullptr ? name : std::string(unknown) + " " + std::to_string(code);
}

std::string Paper(unsigned code) {
    const PaperName *paper = FindCode(kPaperNames, code);
    if (code == 0) return "no size known";
    if (paper == nullptr) return "paper code " + std::to_string(code);
    if (paper->width == 0) return paper->keyword;
    char size[32];
    snprintf(size, sizeof size, "%u x %u mm", paper->width, paper->height);
    return Pad(paper->keyword, 12) + size;
}

void PrintTrays(std::ostream &out, const std::vector<Tray> &trays) {
    Line(out, "trays", trays.empty() ? "none" : "(" + std::to_string(trays.size()) + ")");
    for (const Tray &t : trays) {
        char level[16];
        snprintf(level, sizeof level, "%3u%%", unsigned{t.level});
        std::string text = Pad(Named(kTrayNames, t.code, "tray"), 16) + Pad(Paper(t.paper), 27) + level;
        if (t.locked()) text += "  locked";
        if (t.media != 0) text += "  media " + std::to_string(t.media);
        out << "    " << text << '\n';
    }
}

void PrintBins(std::ostream &out, const std::vector<OutputBin> &bins) {
    Line(out, "output bins", bins.empty() ? "none" : "(" + std::to_string(bins.size()) + ")");
    for (const OutputBin &b : bins)
        out << "    " << Pad(Named(kBinNames, b.code, "bin"), 22) << Named(kBinStates, b.state, "state") << '\n';
}

std::string Emulations(const std::vector<Emulation> &list) {
    std::string text;
    for (const Emulation &e : list) {
        if (!text.empty()) text += ", ";
        text += Named(kEmulationNames, e.code, "emulation");
        if (!e.version.empty()) text += " " + Visible(e.version);
    }
    return text.empty() ? "none" : text;
}

std::string Options(const PrinterSnapshot &r) {
    std::string text;
    for (uint16_t code : r.devices) {
        if (!text.empty()) text += ", ";
        const char *name = NameOf(kDeviceNames, code);
        text += name != nullptr ? std::string(name) + " (" + std::to_string(code) + ")" : "device " + std::to_string(code);
    }
    if (text.empty()) text = "no devices";
    text += r.copyGuard ? "; copy guard on" : "; copy guard off";
    return text;
}

std::string Packages(const std::vector<Package> &list) {
    std::string text;
    for (const Package &p : list) {
        if (!text.empty()) text += ", ";
        text += "#" + std::to_string(p.index) + " " + Visible(p.name) + (p.active() ? " active" : " not active");
    }
    return text.empty() ? "none" : text;
}

std::string Zolt(const std::vector<EmulationDetail> &list) {
    for (const EmulationDetail &u : list) {
        if (u.emulation != 15) continue;
        return "memory usage " + Named(kMemoryUsageNames, u.memoryUsage, "code") + ", image rotation " +
               Named(kImageRotationNames, u.imageRotation, "code") + ", other \"" + Visible(u.other) + "\"";
    }
    return "none";
}

std::string EngineStatus(const PrinterSnapshot &r) {
    std::string text;
    for (const EngineState &s : r.engineStatus) {
        if (!text.empty()) text += ", ";
        text += std::to_string(s.code);
        if (std::string meaning = EngineCodeMeaning(s.code); !meaning.empty()) text += " (" + meaning + ")";
        if (!s.text.empty()) text += " \"" + Visible(s.text) + "\"";
    }
    if (text.empty()) text = "none";
    return text + "; bStatus " + std::to_string(r.status);
}

std::string Counters(const std::vector<Counter> &list) {
    std::string text;
    for (const Counter &c : list)
        text += (text.empty() ? "" : ", ") + ("kind " + std::to_string(c.kind) + ": " + std::to_string(c.value));
    return text.empty() ? "none" : text;
}

void PrintFlat(std::ostream &out, const PrinterSnapshot &snapshot) {
    if (!snapshot.flat) return;
    if (!snapshot.flat->ok) {
        Line(out, "flat record", "not available: PatPrnInfoExToPrnInfo failed with " + HexCode(snapshot.flat->lastError) +
                                     " (" + ErrorMeaning(snapshot.flat->lastError) + ")");
        return;
    }
    const FlatSnapshot &f = *snapshot.flatRecord();
    char text[256];
    snprintf(text, sizeof text,
             "PrnInfo (%u bytes): engine status %u (%u), memory %u KB, %u trays, %u bins, %u emulations, device 1 %s",
             f.size, f.engineStatus, f.engineStatusCount, f.memoryKB, f.trayCount, f.binCount,
             f.emulationCount, f.hasDevice1 ? "present" : "absent");
    Line(out, "flat record", text);
    std::string trays;
    for (size_t i = 0; i < f.trayPaper.size(); ++i) {
        trays += (trays.empty() ? "" : ", ") + std::to_string(f.trayPaper[i].code) + ": paper " +
                 std::to_string(f.trayPaper[i].value);
        if (const CodeValue *level = f.trayLevelOf(i)) trays += " level " + std::to_string(level->value);
    }
    if (!trays.empty()) Line(out, "", "trays " + trays);
    std::string bins;
    for (const CodeValue &bin : f.bins)
        bins += (bins.empty() ? "" : ", ") + std::to_string(bin.code) + ": state " + std::to_string(bin.value);
    std::string emulations;
    for (uint32_t emulation : f.emulations) emulations += (emulations.empty() ? "" : ", ") + std::to_string(emulation);
    if (!bins.empty() || !emulations.empty())
        Line(out, "", "bins " + (bins.empty() ? "none" : bins) + "; emulations " + (emulations.empty() ? "none" : emulations));
    Line(out, "", "maker \"" + Visible(f.makerName) + "\", model \"" + Visible(f.modelName) + "\", firmware \"" +
                      Visible(f.sysVersion) + "\"");
}

void PrintCalls(std::ostream &out, const PollOutcome &o) {
    if (o.calls.empty()) return Line(out, "calls", "none: the module was not called");
    std::string label = "calls";
    for (const ModuleCall &call : o.calls) {
        Line(out, label, "round " + std::to_string(call.round) + ", " + call.call + " (" + call.tree + "): " +
                             (call.result ? "ok" : "failed with " + HexCode(call.lastError) + " (" +
                                                       ErrorMeaning(call.lastError) + ")"));
        label.clear();
    }
}

std::string Cleaning(const PollOutcome &o) {
    std::string text;
    if (o.deviceIdCleaning) {
        const DeviceIdCleaning &d = *o.deviceIdCleaning;
        std::string parts;
        if (d.prefix.removed)
            parts += std::string("length prefix removed") +
                     (d.prefix.clamped ? " (clamped to what was received)"
                                       : std::string(d.prefix.littleEndian ? " (little-endian" : " (big-endian") +
                                             (d.prefix.countsText ? ", counting only the text)" : ")"));
        if (d.keysRenamed) parts += (parts.empty() ? "" : ", ") + Count(d.keysRenamed, "key name", "key names") + " made short";
        if (d.keysTrimmed)
            parts += (parts.empty() ? "" : ", ") + Count(d.keysTrimmed, "key", "keys") + " freed of spaces around it";
        text += "device ID: " + (parts.empty() ? std::string("nothing to clean") : parts);
    }
    if (o.pjlCleaned) {
        std::string parts;
        if (o.pjlCleaning.nulsRemoved) parts += Count(o.pjlCleaning.nulsRemoved, "NUL byte", "NUL bytes") + " removed";
        if (o.pjlCleaning.ctrlDsRemoved)
            parts += (parts.empty() ? "" : ", ") + Count(o.pjlCleaning.ctrlDsRemoved, "Ctrl-D", "Ctrl-Ds") + " removed";
        text += (text.empty() ? "" : "; ") + ("PJL: " + (parts.empty() ? std::string("nothing to clean") : parts));
    }
    return text.empty() ? "off (--raw)" : text;
}

// The Printer MIB's own facts: what the record has no place for.
void PrintPrinterMib(std::ostream &out, const PrinterMib &mib) {
    Line(out, "Printer MIB", "SNMP v" + mib.version + " from " + mib.agent + ", " + std::to_string(mib.requests) +
                                 (mib.requests == 1 ? " request" : " requests") +
                                 (mib.printerStatus ? "; printer " + PrinterStatusName(mib.printerStatus) : "") +
                                 (mib.deviceStatus ? ", device " + DeviceStatusName(mib.deviceStatus) : ""));
    if (!mib.serialNumber.empty()) Line(out, "serial number", Visible(mib.serialNumber));
    if (mib.pageCount) Line(out, "pages", std::to_string(*mib.pageCount));
    if (mib.supplies.empty()) Line(out, "MIB supplies", "none");
    for (const MibSupply &s : mib.supplies) {
        char level[64];
        if (std::optional<double> ratio = s.ratio())
            snprintf(level, sizeof level, "%5.1f %%", *ratio * 100);
        else
            snprintf(level, sizeof level, "%s", s.levelMeaning().c_str());
        std::string what = Pad(Visible(s.description.empty() ? "supply " + std::to_string(s.index) : s.description), 28) +
                           Pad(s.colour.empty() ? "-" : Visible(s.colour), 9) + Pad(SupplyTypeName(s.type), 14) + level;
        if (s.level && s.maxCapacity && *s.level >= 0 && *s.maxCapacity > 0)
            what += "  (" + std::to_string(*s.level) + " of " + std::to_string(*s.maxCapacity) + " " +
                    SupplyUnitName(s.unit) + ")";
        Line(out, "MIB supply", what);
    }
    if (mib.alerts.empty()) Line(out, "MIB alerts", mib.alertsComplete ? "none" : "not read");
    for (const MibAlert &a : mib.alerts)
        Line(out, "MIB alert", AlertSeverityName(a.severity) + ": " + AlertCodeName(a.code) + " (" +
                                   AlertGroupName(a.group) + ")" +
                                   (a.description.empty() ? "" : " \"" + Visible(a.description) + "\""));
}

std::string Sources(const std::vector<CategorySource> &sources) {
    std::string text;
    for (const CategorySource &s : sources) text += (text.empty() ? "" : ", ") + s.category + " " + s.source;
    return text;
}

}  // namespace

std::string ModuleLine(const ModuleIdentity &m) {
    size_t slash = m.path.rfind('/');
    std::string name = slash == std::string::npos ? m.path : m.path.substr(slash + 1);
    return name + " (" + m.kind + "), version " + m.version + ": " + m.path;
}

void PrintText(std::ostream &out, const PollOutcome &o) {
    bool ok = Succeeded(o.kind);
    out << o.address << "  poll " << o.poll << ": " << WordOf(o.kind);
    if (!ok) out << " (exit " << ExitCodeOf(o.kind) << ")";
    out << "  [" << o.rounds << (o.rounds == 1 ? " round, " : " rounds, ") << o.bytesReceived << " bytes]\n";
    if (o.module) Line(out, "module", ModuleLine(*o.module));
    if (!ok) Line(out, "problem", o.message);
    if (std::string next = NextStep(o); !next.empty()) Line(out, "next", next);
    bool body = !o.calls.empty() && (ok || o.lenient);
    if (body && o.watching && o.poll > 1) {
        Line(out, "changes", o.changes.empty() ? "none since the last poll" : "since the last poll:");
        for (const Change &change : o.changes) out << "    " << Visible(FormatChange(change)) << '\n';
    } else if (body) {
        const PrinterSnapshot &r = *o.snapshot;
        Line(out, "maker", Str(r.makerName));
        Line(out, "model", Str(r.modelName) + "  (model code " + std::to_string(r.modelCode) + ")");
        Line(out, "description", Str(r.description));
        Line(out, "firmware", Str(r.sysVersion));
        Line(out, "main program", Str(r.mainProgVersion));
        Line(out, "KVN version", Str(r.kvnVersion));
        Line(out, "emulations", Emulations(r.emulations));
        Line(out, "memory", std::to_string(r.memoryKB) + " KB");
        PrintTrays(out, r.trays);
        PrintBins(out, r.bins);
        Line(out, "options", Options(r));
        Line(out, "packages", Packages(r.functionPackages));
        Line(out, "ZOLT", Zolt(r.emulationDetails));
        Line(out, "engine status", EngineStatus(r));
        Line(out, "counters", Counters(r.counters));
        Line(out, "supplies", Counters(r.supplies));
        PrintFlat(out, r);
    }
    if (o.printerMib && (ok || o.lenient)) PrintPrinterMib(out, *o.printerMib);
    if (!o.categorySources.empty() && body) Line(out, "sources", Sources(o.categorySources));
    PrintCalls(out, o);
    if (o.deviceIdOrigin) Line(out, "device ID", o.deviceIdOrigin->line);
    if (!o.calls.empty()) Line(out, "cleaning", Cleaning(o));
    for (const std::string &note : o.notes) Line(out, "note", note);
    out << std::flush;
}

}  // namespace pathost
