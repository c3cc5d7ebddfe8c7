#include "simulator/profile.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>

#include "input/strict_json.h"

namespace pathost::sim {

namespace {

using nlohmann::json;

const std::vector<std::string> kTrayNames = {"INTRAY1", "INTRAY2", "INTRAY3", "INTRAY4", "INTRAY5",
                                             "INTRAY6", "INTRAY7", "INTRAYLCT", "INTRAYMANUAL",
                                             "INTRAYINSERTER", "INTRAYINSERTER2"};
const std::vector<std::string> kAttributes = {"", "STANDARD", "SMALL", "MIDDLE", "LARGE", "TANDEM"};
const std::vector<std::string> kTopLevel = {"maker", "model", "description", "commandSet", "deviceId",
                                            "status", "pageCount", "supplies", "memoryBytes", "versions",
                                            "trays", "bins", "punch", "markingType", "functionPackage", "zolt",
                                            "printerMib"};

bool OneOf(const std::vector<std::string> &set, const std::string &value) {
    return std::find(set.begin(), set.end(), value) != set.end();
}

// Reads on after a wrong field with a harmless default, so that every reader
// below stays a plain function; the first fault is the one reported.
struct Faults {
    std::optional<std::string> first;
    void Fail(const std::string &path, const std::string &what) {
        if (!first) first = path + ": " + what;
    }
};

// Text that goes into a PJL answer line as it is: no line ends, no form
// feeds, no quotes that would end a quoted value.
std::string Text(Faults &f, const json &object, const char *key, const std::string &path, bool wordOnly = false) {
    if (!object.contains(key) || object[key].is_null()) return {};
    if (!object[key].is_string()) {
        f.Fail(path + key, "must be a string");
        return {};
    }
    std::string text = object[key].get<std::string>();
    for (unsigned char c : text) {
        if (c < 0x20 || c == '"' || c == 0x7F) f.Fail(path + key, "must not hold control characters or double quotes");
        if (wordOnly && (c == ' ' || c == '=' || c == ':' || c == '[' || c == ']'))
            f.Fail(path + key, "must be one word (no spaces, '=', ':', '[' or ']')");
    }
    return text;
}

template <typename Number>
Number Integer(Faults &f, const json &object, const char *key, const std::string &path, Number fallback, long long low,
               long long high) {
    if (!object.contains(key)) return fallback;
    const json &value = object[key];
    if (!value.is_number_integer()) {
        f.Fail(path + key, "must be a whole number");
        return fallback;
    }
    long long number = value.get<long long>();
    if (number < low || number > high || (value.is_number_unsigned() && value.get<unsigned long long>() > 0x7FFFFFFFFFFFFFFFull)) {
        f.Fail(path + key, "must be from " + std::to_string(low) + " to " + std::to_string(high));
        return fallback;
    }
    return static_cast<Number>(number);
}

const json &Array(Faults &f, const json &object, const char *key, const std::string &path) {
    static const json empty = json::array();
    if (!object.contains(key)) return empty;
    if (!object[key].is_array()) {
        f.Fail(path + key, "must be an array");
        return empty;
    }
    return object[key];
}

std::string Item(const char *list, size_t index) { return std::string(list) + "[" + std::to_string(index) + "]."; }

// An object whose every field is one of `known`: a misspelt field is an
// error at any depth, not a default silently taken.
bool RequireObject(Faults &f, const json &value, const std::string &path, const std::vector<std::string> &known) {
    if (!value.is_object()) {
        f.Fail(path.empty() ? "profile" : path.substr(0, path.size() - 1), "must be an object");
        return false;
    }
    for (auto field = value.begin(); field != value.end(); ++field)
        if (!OneOf(known, field.key())) f.Fail(path + field.key(), "is not a profile field");
    return true;
}

// The MIB's numbers are 32-bit; amounts go down to -3 ("at least one").
int32_t Number(Faults &f, const json &o, const char *key, const std::string &path, int32_t fallback, long long low = -3) {
    return Integer<int32_t>(f, o, key, path, fallback, low, 2147483647);
}

template <typename Entry, typename Read>
std::vector<Entry> Entries(Faults &f, const json &mib, const char *list, const std::vector<std::string> &known, Read read) {
    std::vector<Entry> entries;
    for (size_t i = 0; const json &e : Array(f, mib, list, "printerMib.")) {
        std::string path = "printerMib." + Item(list, i++);
        if (RequireObject(f, e, path, known)) entries.push_back(read(e, path));
    }
    return entries;
}

PrinterMibProfile ReadPrinterMib(Faults &f, const json &m) {
    PrinterMibProfile p;
    const std::string at = "printerMib.";
    if (!RequireObject(f, m, at, {"printerName", "serialNumber", "deviceStatus", "printerStatus", "detectedErrors",
                                  "inputs", "outputs", "supplies", "alerts", "interpreters"}))
        return p;
    p.printerName = Text(f, m, "printerName", at);
    p.serialNumber = Text(f, m, "serialNumber", at);
    p.deviceStatus = Number(f, m, "deviceStatus", at, 2, 1);
    p.printerStatus = Number(f, m, "printerStatus", at, 3, 1);
    for (const json &bit : Array(f, m, "detectedErrors", at)) {
        if (!bit.is_number_unsigned() || bit.get<uint64_t>() > 15) f.Fail(at + "detectedErrors", "must hold bit numbers from 0 to 15");
        else p.detectedErrors.push_back(bit.get<unsigned>());
    }
    p.inputs = Entries<AgentInput>(f, m, "inputs", {"name", "dimUnit", "feed", "crossFeed", "capacityUnit", "maxCapacity",
                                                    "level", "status", "mediaName", "mediaType"},
                                   [&](const json &e, const std::string &path) {
                                       AgentInput in;
                                       in.name = Text(f, e, "name", path);
                                       in.dimUnit = Integer<int32_t>(f, e, "dimUnit", path, 4, 3, 4);
                                       in.feed = Number(f, e, "feed", path, -2);
                                       in.crossFeed = Number(f, e, "crossFeed", path, -2);
                                       in.capacityUnit = Number(f, e, "capacityUnit", path, 8, 1);
                                       in.maxCapacity = Number(f, e, "maxCapacity", path, -2);
                                       in.level = Number(f, e, "level", path, -2);
                                       in.status = Number(f, e, "status", path, 0, 0);
                                       in.mediaName = Text(f, e, "mediaName", path);
                                       in.mediaType = Text(f, e, "mediaType", path);
                                       return in;
                                   });
    p.outputs = Entries<AgentOutput>(f, m, "outputs", {"name", "maxCapacity", "remaining", "status"},
                                     [&](const json &e, const std::string &path) {
                                         return AgentOutput{Text(f, e, "name", path), Number(f, e, "maxCapacity", path, -2),
                                                            Number(f, e, "remaining", path, -2),
                                                            Number(f, e, "status", path, 0, 0)};
                                     });
    p.supplies = Entries<AgentSupply>(f, m, "supplies", {"description", "colour", "class", "type", "unit", "maxCapacity", "level"},
                                      [&](const json &e, const std::string &path) {
                                          return AgentSupply{Text(f, e, "description", path), Text(f, e, "colour", path),
                                                             Number(f, e, "class", path, 3, 1), Number(f, e, "type", path, 3, 1),
                                                             Number(f, e, "unit", path, 19, 1),
                                                             Number(f, e, "maxCapacity", path, 100),
                                                             Number(f, e, "level", path, -2)};
                                      });
    p.alerts = Entries<AgentAlert>(f, m, "alerts", {"severity", "group", "location", "code", "description"},
                                   [&](const json &e, const std::string &path) {
                                       return AgentAlert{Number(f, e, "severity", path, 4, 1), Number(f, e, "group", path, 1, 1),
                                                         Number(f, e, "location", path, -1, -1), Number(f, e, "code", path, 1, 1),
                                                         Text(f, e, "description", path)};
                                   });
    p.interpreters = Entries<AgentInterpreter>(f, m, "interpreters", {"family", "version"},
                                               [&](const json &e, const std::string &path) {
                                                   return AgentInterpreter{Number(f, e, "family", path, 1, 1),
                                                                           Text(f, e, "version", path)};
                                               });
    return p;
}

}  // namespace

const char *LevelWord(int percent) {
    switch (percent) {
        case 0: return "END";
        case 20: return "1/5";
        case 40: return "2/5";
        case 60: return "3/5";
        case 80: return "4/5";
        case 100: return "FULL";
        default: return nullptr;
    }
}

Expected<Profile> ParseProfile(const std::string &text) {
    Expected<json> parsed = ParseStrictJson(text);
    if (!parsed) return std::unexpected(parsed.error());
    const json &j = *parsed;
    Faults f;
    if (!RequireObject(f, j, "", kTopLevel) && f.first) return Fail(OutcomeKind::DataError, *f.first);

    Profile p;
    p.maker = Text(f, j, "maker", "");
    p.model = Text(f, j, "model", "");
    p.description = Text(f, j, "description", "");
    for (const json &entry : Array(f, j, "commandSet", "")) {
        if (!entry.is_string()) f.Fail("commandSet", "must hold strings");
        else p.commandSet.push_back(entry.get<std::string>());
    }
    if (j.contains("deviceId") && !j["deviceId"].is_null()) {
        if (!j["deviceId"].is_string()) f.Fail("deviceId", "must be a string");
        else p.deviceId = j["deviceId"].get<std::string>();
    }
    if (j.contains("status")) {
        const json &s = j["status"];
        if (RequireObject(f, s, "status.", {"codes", "state", "text"})) {
        for (const json &code : Array(f, s, "codes", "status.")) {
            if (!code.is_number_unsigned() || code.get<uint64_t>() > 0xFFFFFFFFu)
                f.Fail("status.codes", "must hold whole numbers from 0 to 4294967295");
            else
                p.status.codes.push_back(code.get<uint32_t>());
        }
        p.status.state = Integer<int>(f, s, "state", "status.", 1, 0, 255);
        p.status.text = Text(f, s, "text", "status.");
        }
    }
    p.pageCount = Integer<int64_t>(f, j, "pageCount", "", 0, 0, 2147483647);
    for (const json &supply : Array(f, j, "supplies", "")) {
        if (!supply.is_number_integer()) f.Fail("supplies", "must hold whole numbers");
        else p.supplies.push_back(supply.get<int>());
    }
    p.memoryBytes = Integer<uint64_t>(f, j, "memoryBytes", "", 0, 0, 4294967295LL);
    for (size_t i = 0; const json &v : Array(f, j, "versions", "")) {
        std::string path = Item("versions", i++);
        if (!RequireObject(f, v, path, {"name", "version"})) continue;
        Version version{Text(f, v, "name", path, true), Text(f, v, "version", path)};
        if (version.name.empty()) f.Fail(path + "name", "is required");
        p.versions.push_back(std::move(version));
    }
    for (size_t i = 0; const json &t : Array(f, j, "trays", "")) {
        std::string path = Item("trays", i++);
        if (!RequireObject(f, t, path, {"name", "paper", "level", "locked", "attribute"})) continue;
        Tray tray;
        tray.name = Text(f, t, "name", path, true);
        if (!OneOf(kTrayNames, tray.name)) f.Fail(path + "name", "must be INTRAY1 ... INTRAY7, INTRAYLCT, INTRAYMANUAL, INTRAYINSERTER or INTRAYINSERTER2");
        tray.paper = Text(f, t, "paper", path, true);
        if (tray.paper.empty()) f.Fail(path + "paper", "is required (a PJL paper keyword such as A4SRT)");
        tray.level = Integer<int>(f, t, "level", path, 100, 0, 100);
        if (LevelWord(tray.level) == nullptr) f.Fail(path + "level", "must be 0, 20, 40, 60, 80 or 100");
        if (t.contains("locked")) {
            if (!t["locked"].is_boolean()) f.Fail(path + "locked", "must be true or false");
            else tray.locked = t["locked"].get<bool>();
        }
        tray.attribute = Text(f, t, "attribute", path, true);
        if (!OneOf(kAttributes, tray.attribute)) f.Fail(path + "attribute", "must be STANDARD, SMALL, MIDDLE, LARGE or TANDEM");
        for (const Tray &other : p.trays)
            if (other.name == tray.name) f.Fail(path + "name", "names a tray twice");
        p.trays.push_back(std::move(tray));
    }
    for (size_t i = 0; const json &b : Array(f, j, "bins", "")) {
        std::string path = Item("bins", i++);
        if (!RequireObject(f, b, path, {"name", "state"})) continue;
        Bin bin{Text(f, b, "name", path, true), Text(f, b, "state", path, true)};
        if (bin.name.empty()) f.Fail(path + "name", "is required");
        if (bin.state.empty()) f.Fail(path + "state", "is required (READY, PAPEREXIST or FULL)");
        p.bins.push_back(std::move(bin));
    }
    for (const json &option : Array(f, j, "punch", "")) {
        if (!option.is_string()) f.Fail("punch", "must hold strings");
        else p.punch.push_back(option.get<std::string>());
    }
    p.markingType = Text(f, j, "markingType", "", true);
    p.functionPackage = Text(f, j, "functionPackage", "", true);
    if (j.contains("zolt") && !j["zolt"].is_null()) {
        const json &z = j["zolt"];
        if (RequireObject(f, z, "zolt.", {"memoryUsage", "other", "imageRotation"}))
            p.zolt = Zolt{Text(f, z, "memoryUsage", "zolt.", true), Text(f, z, "other", "zolt."),
                      Text(f, z, "imageRotation", "zolt.", true)};
    }
    if (j.contains("printerMib") && !j["printerMib"].is_null()) p.printerMib = ReadPrinterMib(f, j["printerMib"]);
    if (f.first) return Fail(OutcomeKind::DataError, *f.first);
    return p;
}

std::string DeviceIdText(const Profile &p) {
    std::string text;
    if (p.deviceId) {
        text = *p.deviceId;
    } else {
        std::string commands;
        for (const std::string &command : p.commandSet) commands += (commands.empty() ? "" : ",") + command;
        std::string codes;
        for (uint32_t code : p.status.codes) codes += (codes.empty() ? "" : "/") + std::to_string(code);
        std::string supplies;
        for (int supply : p.supplies) supplies += (supplies.empty() ? "" : ",") + std::to_string(supply);
        text = "MANUFACTURER:" + p.maker + ";COMMAND SET:" + commands + ";MODEL:" + p.model +
               ";CLASS:PRINTER;DESCRIPTION:" + p.description + "; STS:" + codes + "," +
               std::to_string(p.status.state) + "," + p.status.text + ";RIJ:" + std::to_string(p.pageCount) + "/" +
               supplies + ";";
    }
    return text;
}

std::string DeviceIdBytes(const Profile &p) {
    std::string text = DeviceIdText(p);
    size_t length = text.size() + 2;
    std::string bytes;
    bytes += static_cast<char>((length >> 8) & 0xFF);
    bytes += static_cast<char>(length & 0xFF);
    return bytes + text;
}

}  // namespace pathost::sim
