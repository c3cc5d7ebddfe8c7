#include "serve/targets_file.h"

#include <nlohmann/json.hpp>

#include "module/mask.h"

namespace pathost::serve {

namespace {

using nlohmann::json;

[[noreturn]] void Fail(const std::string &where, const std::string &what) { throw TargetsFileError(where + ": " + what); }

// Rejects any field not in `known`, naming it and what is allowed.
void OnlyKnown(const json &object, const std::string &where, std::initializer_list<const char *> known) {
    if (!object.is_object()) Fail(where, "must be an object");
    for (auto field = object.begin(); field != object.end(); ++field) {
        bool found = false;
        std::string list;
        for (const char *name : known) {
            found = found || field.key() == name;
            list += (list.empty() ? "" : ", ") + std::string(name);
        }
        if (!found) Fail(where, "unknown field \"" + field.key() + "\" (known: " + list + ")");
    }
}

std::string Text(const json &value, const std::string &where) {
    if (!value.is_string()) Fail(where, "must be a string");
    return value.get<std::string>();
}

void ApplySnmp(const json &snmp, const std::string &where, SnmpSettings &settings) {
    OnlyKnown(snmp, where, {"community", "port", "version", "timeout"});
    if (snmp.contains("community")) settings.community = Text(snmp["community"], where + ".community");
    if (snmp.contains("port")) {
        const json &port = snmp["port"];
        if (!port.is_number_unsigned() || port.get<unsigned long>() < 1 || port.get<unsigned long>() > 65535)
            Fail(where + ".port", "must be a port number from 1 to 65535");
        settings.port = static_cast<uint16_t>(port.get<unsigned long>());
    }
    if (snmp.contains("version")) {
        std::string version = Text(snmp["version"], where + ".version");
        if (version == "1")
            settings.version = snmp::Version::V1;
        else if (version == "2c")
            settings.version = snmp::Version::V2c;
        else
            Fail(where + ".version", "must be \"1\" or \"2c\"");
    }
    if (snmp.contains("timeout")) {
        const json &timeout = snmp["timeout"];
        if (!timeout.is_number() || !(timeout.get<double>() > 0) || timeout.get<double>() > 60)
            Fail(where + ".timeout", "must be seconds above 0, at most 60");
        settings.timeout = std::chrono::milliseconds(static_cast<long long>(timeout.get<double>() * 1000 + 0.5));
    }
}

void ApplyDeviceId(const json &entry, const std::string &where, PollSettings &settings) {
    if (entry.contains("deviceId") && entry.contains("deviceIdSource"))
        Fail(where, "give either \"deviceId\" (a fixed device ID) or \"deviceIdSource\", not both");
    if (entry.contains("deviceId")) {
        std::string text = Text(entry["deviceId"], where + ".deviceId");
        if (text.empty()) Fail(where + ".deviceId", "must not be empty");
        settings.deviceIdSource = {DeviceIdSource::Kind::Text, text};
    }
    if (entry.contains("deviceIdSource")) {
        std::string source = Text(entry["deviceIdSource"], where + ".deviceIdSource");
        if (source == "none")
            settings.deviceIdSource = {};
        else if (source == "auto" || source == "snmp") {
            settings.deviceIdSource = {DeviceIdSource::Kind::Snmp};
            settings.deviceIdSource.required = source == "snmp";
        } else
            Fail(where + ".deviceIdSource", "must be \"auto\", \"snmp\" or \"none\"");
    }
}

FleetTarget ParseEntry(const json &entry, const std::string &where, const PollSettings &defaults) {
    OnlyKnown(entry, where, {"address", "deviceId", "deviceIdSource", "snmp", "mask"});
    if (!entry.contains("address")) Fail(where, "has no \"address\" (HOST, HOST:PORT or [IPv6]:PORT)");
    std::string error;
    std::optional<Target> target = ParseTarget(Text(entry["address"], where + ".address"), kRawPrintPort, &error);
    if (!target) Fail(where + ".address", error);
    FleetTarget parsed{*target, defaults};
    ApplyDeviceId(entry, where, parsed.settings);
    if (entry.contains("snmp")) ApplySnmp(entry["snmp"], where + ".snmp", parsed.settings.snmp);
    if (entry.contains("mask")) {
        const json &value = entry["mask"];
        std::optional<uint32_t> mask;
        if (value.is_number_unsigned() && value.get<unsigned long long>() <= 0xFFFFFFFFu)
            mask = static_cast<uint32_t>(value.get<unsigned long long>());
        else if (value.is_string())
            mask = ParseMask(value.get<std::string>());
        if (!mask) Fail(where + ".mask", "must be a number or category names from: " + MaskNames());
        parsed.settings.mask = *mask;
    }
    return parsed;
}

}  // namespace

std::vector<FleetTarget> ParseTargetsFile(const std::string &text, const std::string &fileName,
                                          const PollSettings &defaults) {
    json document;
    try {
        document = json::parse(text);
    } catch (const json::parse_error &error) {
        std::string what = error.what();  // "[json.exception.parse_error.101] parse error at line 3, ..."
        Fail(fileName, "not JSON: " + what.substr(what.find("] ") == std::string::npos ? 0 : what.find("] ") + 2));
    }
    OnlyKnown(document, fileName, {"targets"});
    if (!document.contains("targets") || !document["targets"].is_array())
        Fail(fileName, "needs \"targets\": a list of printers");
    std::vector<FleetTarget> targets;
    for (size_t i = 0; i < document["targets"].size(); ++i)
        targets.push_back(
            ParseEntry(document["targets"][i], fileName + ": targets[" + std::to_string(i) + "]", defaults));
    return targets;
}

}  // namespace pathost::serve
