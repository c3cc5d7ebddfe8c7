#include "simulator/profile.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace pathost::sim {

namespace {

using nlohmann::json;

const std::vector<std::string> kTrayNames = {"INTRAY1", "INTRAY2", "INTRAY3", "INTRAY4", "INTRAY5",
                                             "INTRAY6", "INTRAY7", "INTRAYLCT", "INTRAYMANUAL",
                                             "INTRAYINSERTER", "INTRAYINSERTER2"};
const std::vector<std::string> kAttributes = {"", "STANDARD", "SMALL", "MIDDLE", "LARGE", "TANDEM"};
const std::vector<std::string> kTopLevel = {"maker", "model", "description", "commandSet", "deviceId",
                                            "status", "pageCount", "supplies", "memoryBytes", "versions",
                                            "trays", "bins", "punch", "markingType", "functionPackage", "zolt"};

bool OneOf(const std::vector<std::string> &set, const std::string &value) {
    return std::find(set.begin(), set.end(), value) != set.end();
}

[[noreturn]] void Fail(const std::string &path, const std::string &what) { throw ProfileError(path + ": " + what); }

// Text that goes into a PJL answer line as it is: no line ends, no form
// feeds, no quotes that would end a quoted value.
std::string Text(const json &object, const char *key, const std::string &path, bool wordOnly = false) {
    if (!object.contains(key) || object[key].is_null()) return {};
    if (!object[key].is_string()) Fail(path + key, "must be a string");
    std::string text = object[key].get<std::string>();
    for (unsigned char c : text) {
        if (c < 0x20 || c == '"' || c == 0x7F) Fail(path + key, "must not hold control characters or double quotes");
        if (wordOnly && (c == ' ' || c == '=' || c == ':' || c == '[' || c == ']'))
            Fail(path + key, "must be one word (no spaces, '=', ':', '[' or ']')");
    }
    return text;
}

template <typename Number>
Number Integer(const json &object, const char *key, const std::string &path, Number fallback, long long low,
               long long high) {
    if (!object.contains(key)) return fallback;
    const json &value = object[key];
    if (!value.is_number_integer()) Fail(path + key, "must be a whole number");
    long long number = value.get<long long>();
    if (number < low || number > high)
        Fail(path + key, "must be from " + std::to_string(low) + " to " + std::to_string(high));
    return static_cast<Number>(number);
}

const json &Array(const json &object, const char *key, const std::string &path) {
    static const json empty = json::array();
    if (!object.contains(key)) return empty;
    if (!object[key].is_array()) Fail(path + key, "must be an array");
    return object[key];
}

std::string Item(const char *list, size_t index) { return std::string(list) + "[" + std::to_string(index) + "]."; }

void RequireObject(const json &value, const std::string &path) {
    if (!value.is_object()) Fail(path.empty() ? "profile" : path.substr(0, path.size() - 1), "must be an object");
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

Profile ParseProfile(const std::string &text) {
    json j;
    try {
        j = json::parse(text);
    } catch (const json::parse_error &e) {
        throw ProfileError(std::string("not JSON: ") + e.what());
    }
    RequireObject(j, "");
    for (auto field = j.begin(); field != j.end(); ++field)
        if (!OneOf(kTopLevel, field.key())) Fail(field.key(), "is not a profile field");

    Profile p;
    p.maker = Text(j, "maker", "");
    p.model = Text(j, "model", "");
    p.description = Text(j, "description", "");
    for (const json &entry : Array(j, "commandSet", "")) {
        if (!entry.is_string()) Fail("commandSet", "must hold strings");
        p.commandSet.push_back(entry.get<std::string>());
    }
    if (j.contains("deviceId") && !j["deviceId"].is_null()) {
        if (!j["deviceId"].is_string()) Fail("deviceId", "must be a string");
        p.deviceId = j["deviceId"].get<std::string>();
    }
    if (j.contains("status")) {
        const json &s = j["status"];
        RequireObject(s, "status.");
        for (const json &code : Array(s, "codes", "status.")) {
            if (!code.is_number_unsigned() || code.get<uint64_t>() > 0xFFFFFFFFu)
                Fail("status.codes", "must hold whole numbers from 0 to 4294967295");
            p.status.codes.push_back(code.get<uint32_t>());
        }
        p.status.state = Integer<int>(s, "state", "status.", 1, 0, 255);
        p.status.text = Text(s, "text", "status.");
    }
    p.pageCount = Integer<int64_t>(j, "pageCount", "", 0, 0, 2147483647);
    for (const json &supply : Array(j, "supplies", "")) {
        if (!supply.is_number_integer()) Fail("supplies", "must hold whole numbers");
        p.supplies.push_back(supply.get<int>());
    }
    p.memoryBytes = Integer<uint64_t>(j, "memoryBytes", "", 0, 0, 4294967295LL);
    for (size_t i = 0; const json &v : Array(j, "versions", "")) {
        std::string path = Item("versions", i++);
        RequireObject(v, path);
        Version version{Text(v, "name", path, true), Text(v, "version", path)};
        if (version.name.empty()) Fail(path + "name", "is required");
        p.versions.push_back(std::move(version));
    }
    for (size_t i = 0; const json &t : Array(j, "trays", "")) {
        std::string path = Item("trays", i++);
        RequireObject(t, path);
        Tray tray;
        tray.name = Text(t, "name", path, true);
        if (!OneOf(kTrayNames, tray.name)) Fail(path + "name", "must be INTRAY1 ... INTRAY7, INTRAYLCT, INTRAYMANUAL, INTRAYINSERTER or INTRAYINSERTER2");
        tray.paper = Text(t, "paper", path, true);
        if (tray.paper.empty()) Fail(path + "paper", "is required (a PJL paper keyword such as A4SRT)");
        tray.level = Integer<int>(t, "level", path, 100, 0, 100);
        if (LevelWord(tray.level) == nullptr) Fail(path + "level", "must be 0, 20, 40, 60, 80 or 100");
        if (t.contains("locked")) {
            if (!t["locked"].is_boolean()) Fail(path + "locked", "must be true or false");
            tray.locked = t["locked"].get<bool>();
        }
        tray.attribute = Text(t, "attribute", path, true);
        if (!OneOf(kAttributes, tray.attribute)) Fail(path + "attribute", "must be STANDARD, SMALL, MIDDLE, LARGE or TANDEM");
        for (const Tray &other : p.trays)
            if (other.name == tray.name) Fail(path + "name", "names a tray twice");
        p.trays.push_back(std::move(tray));
    }
    for (size_t i = 0; const json &b : Array(j, "bins", "")) {
        std::string path = Item("bins", i++);
        RequireObject(b, path);
        Bin bin{Text(b, "name", path, true), Text(b, "state", path, true)};
        if (bin.name.empty()) Fail(path + "name", "is required");
        if (bin.state.empty()) Fail(path + "state", "is required (READY, PAPEREXIST or FULL)");
        p.bins.push_back(std::move(bin));
    }
    for (const json &option : Array(j, "punch", "")) {
        if (!option.is_string()) Fail("punch", "must hold strings");
        p.punch.push_back(option.get<std::string>());
    }
    p.markingType = Text(j, "markingType", "", true);
    p.functionPackage = Text(j, "functionPackage", "", true);
    if (j.contains("zolt") && !j["zolt"].is_null()) {
        const json &z = j["zolt"];
        RequireObject(z, "zolt.");
        p.zolt = Zolt{Text(z, "memoryUsage", "zolt.", true), Text(z, "other", "zolt."),
                      Text(z, "imageRotation", "zolt.", true)};
    }
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
