#include <stdio.h>

#include "snapshot/display_names.h"
#include "module/module_objects.h"
#include "report/report.h"

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

std::string Str(const Json &value) {
    if (value.is_null()) return "-";
    if (value.is_string()) return value.get<std::string>().empty() ? "-" : Visible(value.get<std::string>());
    return value.dump();
}

unsigned U(const Json &value) { return value.is_number() ? value.get<unsigned>() : 0; }

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

void PrintTrays(std::ostream &out, const Json &trays) {
    Line(out, "trays", trays.empty() ? "none" : "(" + std::to_string(trays.size()) + ")");
    for (const Json &t : trays) {
        char level[16];
        snprintf(level, sizeof level, "%3u%%", U(t["wLevel"]));
        unsigned attributes = U(t["dwAttributes"]);
        std::string text = Pad(Named(kTrayNames, U(t["wTray"]), "tray"), 16) + Pad(Paper(U(t["wPaperSize"])), 27) + level;
        if (attributes & PAT_TRAY_LOCKED) text += "  locked";
        if (U(t["wMedia"]) != 0) text += "  media " + std::to_string(U(t["wMedia"]));
        out << "    " << text << '\n';
    }
}

void PrintBins(std::ostream &out, const Json &record) {
    const Json &bins = record["pOutBinInfo"];
    Line(out, "output bins", bins.empty() ? "none" : "(" + std::to_string(bins.size()) + ")");
    for (const Json &b : bins)
        out << "    " << Pad(Named(kBinNames, U(b["wBin"]), "bin"), 22) << Named(kBinStates, U(b["wState"]), "state")
            << '\n';
}

std::string Emulations(const Json &list) {
    std::string text;
    for (const Json &e : list) {
        if (!text.empty()) text += ", ";
        text += Named(kEmulationNames, U(e["wEmulation"]), "emulation");
        if (!e["szVersion"].get<std::string>().empty()) text += " " + Visible(e["szVersion"].get<std::string>());
    }
    return text.empty() ? "none" : text;
}

std::string Options(const Json &record) {
    std::string text;
    for (const Json &d : record["pDeviceInfo"]) {
        if (!text.empty()) text += ", ";
        unsigned code = U(d["wDevice"]);
        const char *name = NameOf(kDeviceNames, code);
        text += name != nullptr ? std::string(name) + " (" + std::to_string(code) + ")" : "device " + std::to_string(code);
    }
    if (text.empty()) text = "no devices";
    text += U(record["bCopyGuard"]) ? "; copy guard on" : "; copy guard off";
    return text;
}

std::string Packages(const Json &list) {
    std::string text;
    for (const Json &p : list) {
        if (!text.empty()) text += ", ";
        text += "#" + std::to_string(U(p["wIndex"])) + " " + Visible(p["szName"].get<std::string>()) +
                (U(p["dwState"]) == 1 ? " active" : " not active");
    }
    return text.empty() ? "none" : text;
}

std::string Zolt(const Json &list) {
    for (const Json &u : list) {
        if (U(u["wEmulation"]) != 15) continue;
        return "memory usage " + Named(kMemoryUsageNames, U(u["dwMemoryUsage"]), "code") + ", image rotation " +
               Named(kImageRotationNames, U(u["dwImageRotation"]), "code") + ", other \"" +
               Visible(u["szOther"].get<std::string>()) + "\"";
    }
    return "none";
}

std::string EngineStatus(const Json &record) {
    std::string text;
    for (const Json &s : record["pEngineStatus"]) {
        if (!text.empty()) text += ", ";
        text += std::to_string(U(s["dwStatus"]));
        std::string detail = s["szText"].get<std::string>();
        if (!detail.empty()) text += " \"" + Visible(detail) + "\"";
    }
    if (text.empty()) text = "none";
    return text + "; bStatus " + std::to_string(U(record["bStatus"]));
}

std::string Counters(const Json &list) {
    std::string text;
    for (const Json &c : list) text += (text.empty() ? "" : ", ") + ("kind " + std::to_string(U(c["wKind"])) + ": " + c["lValue"].dump());
    return text.empty() ? "none" : text;
}

void PrintFlat(std::ostream &out, const PollOutcome &o) {
    if (!o.flat) return;
    if (!o.flat->ok) {
        Line(out, "flat record", "not available: PatPrnInfoExToPrnInfo failed with " + HexCode(o.flat->lastError) +
                                     " (" + ErrorMeaning(o.flat->lastError) + ")");
        return;
    }
    const PrnInfo &f = o.flat->flat;
    char text[256];
    snprintf(text, sizeof text,
             "PrnInfo (%u bytes): engine status %u (%u), memory %u KB, %u trays, %u bins, %u emulations, device 1 %s",
             f.dwSize, f.dwEngineStatus, f.dwEngineStatusCount, f.dwMemoryKB, f.dwTrayCount, f.dwBinCount,
             f.dwEmulationCount, f.dwHasDevice1 ? "present" : "absent");
    Line(out, "flat record", text);
    std::string trays;
    for (uint32_t i = 0; i < f.dwTrayCount && i < 64; ++i) {
        trays += (trays.empty() ? "" : ", ") + std::to_string(f.aTrayPaper[i].dwCode) + ": paper " +
                 std::to_string(f.aTrayPaper[i].dwValue);
        if (i < 16) trays += " level " + std::to_string(f.aTrayLevel[i].dwValue);
    }
    if (!trays.empty()) Line(out, "", "trays " + trays);
    std::string bins;
    for (uint32_t i = 0; i < f.dwBinCount && i < 16; ++i)
        bins += (bins.empty() ? "" : ", ") + std::to_string(f.aBins[i].dwCode) + ": state " + std::to_string(f.aBins[i].dwValue);
    std::string emulations;
    for (uint32_t i = 0; i < f.dwEmulationCount && i < 32; ++i)
        emulations += (emulations.empty() ? "" : ", ") + std::to_string(f.adwEmulations[i]);
    if (!bins.empty() || !emulations.empty())
        Line(out, "", "bins " + (bins.empty() ? "none" : bins) + "; emulations " + (emulations.empty() ? "none" : emulations));
    Line(out, "", "maker \"" + Visible(FixedText(f.szMakerName, sizeof f.szMakerName)) + "\", model \"" +
                      Visible(FixedText(f.szModelName, sizeof f.szModelName)) + "\", firmware \"" +
                      Visible(FixedText(f.szSysVersion, sizeof f.szSysVersion)) + "\"");
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

}  // namespace

std::string Visible(const std::string &text) {
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F) {
            char hex[8];
            snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

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
    const Json &r = o.record;
    bool body = !o.calls.empty() && (ok || o.lenient);
    if (body && o.watching && o.poll > 1) {
        Line(out, "changes", o.changes.empty() ? "none since the last poll" : "since the last poll:");
        for (const Change &change : o.changes) out << "    " << Visible(FormatChange(change)) << '\n';
    } else if (body) {
        Line(out, "maker", Str(r["pMakerName"]));
        Line(out, "model", Str(r["pModelName"]) + "  (model code " + std::to_string(U(r["bModelCode"])) + ")");
        Line(out, "description", Str(r["pDescription"]));
        Line(out, "firmware", Str(r["pSYSVersion"]));
        Line(out, "main program", Str(r["pMainProgVersion"]));
        Line(out, "KVN version", Str(r["pKVNVersion"]));
        Line(out, "emulations", Emulations(r["pLoadedEmul"]));
        Line(out, "memory", std::to_string(U(r["dwMemoryKB"])) + " KB");
        PrintTrays(out, r["pTrayInfo"]);
        PrintBins(out, r);
        Line(out, "options", Options(r));
        Line(out, "packages", Packages(r["pFuncpkgInfo"]));
        Line(out, "ZOLT", Zolt(r["pEmulUniqInfo"]));
        Line(out, "engine status", EngineStatus(r));
        Line(out, "counters", Counters(r["pCounterInfo"]));
        Line(out, "supplies", Counters(r["pSupplyInfo"]));
        PrintFlat(out, o);
    }
    PrintCalls(out, o);
    if (o.deviceIdOrigin) Line(out, "device ID", o.deviceIdOrigin->line);
    if (!o.calls.empty()) Line(out, "cleaning", Cleaning(o));
    for (const std::string &note : o.notes) Line(out, "note", note);
    out << std::flush;
}

}  // namespace pathost
