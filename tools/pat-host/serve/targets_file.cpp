#include "serve/targets_file.h"

#include <nlohmann/json.hpp>

#include "input/strict_json.h"
#include "module/mask.h"
#include "sources/snmp_source.h"

namespace pathost::serve {

namespace {

using nlohmann::json;

std::unexpected<Failure> Bad(const std::string &where, const std::string &what) {
    return Fail(OutcomeKind::DataError, where + ": " + what);
}

// Any field not in `known`, named with what is allowed; empty when none.
std::string UnknownField(const json &object, const std::vector<std::string> &known) {
    if (!object.is_object()) return "must be an object";
    for (auto field = object.begin(); field != object.end(); ++field) {
        bool found = false;
        std::string list;
        for (const std::string &name : known) {
            found = found || field.key() == name;
            list += (list.empty() ? "" : ", ") + name;
        }
        if (!found) return "unknown field \"" + field.key() + "\" (known: " + list + ")";
    }
    return {};
}

// A setting's JSON value as the text its check reads: a number for a numeric
// setting, a string otherwise; anything else reads as empty and fails there.
std::string SettingText(const json &value, bool number) {
    if (number) return value.is_number() ? value.dump() : std::string();
    return value.is_string() ? value.get<std::string>() : std::string();
}

Expected<void> ApplySettings(const json &object, const std::string &where, const SourceKind &kind,
                             SourceChoice &choice) {
    std::vector<std::string> known;
    for (const SourceSetting &setting : kind.settings) known.push_back(setting.name);
    if (std::string problem = UnknownField(object, known); !problem.empty()) return Bad(where, problem);
    for (const SourceSetting &setting : kind.settings) {
        if (!object.contains(setting.name)) continue;
        std::string text = SettingText(object[setting.name], setting.number);
        if (!setting.number && !object[setting.name].is_string()) return Bad(where + "." + setting.name, "must be a string");
        if (std::string problem = setting.check(text); !problem.empty()) return Bad(where + "." + setting.name, problem);
        choice.settings[kind.prefix][setting.name] = text;
    }
    return {};
}

// The entry's source: the command line's choice with the entry's fields on it.
Expected<SourceChoice> EntrySource(const json &entry, const std::string &where, SourceChoice choice) {
    std::string chosenBy;
    for (const SourceKind &kind : SourceKinds()) {
        if (kind.field.empty() || !entry.contains(kind.field)) continue;
        if (!entry[kind.field].is_string()) return Bad(where + "." + kind.field, "must be a string");
        if (!chosenBy.empty()) return Bad(where, "give either \"" + chosenBy + "\" or \"" + kind.field + "\", not both");
        chosenBy = kind.field;
        choice.name = kind.name;
        choice.value = entry[kind.field].get<std::string>();
        if (kind.valueCheck)
            if (std::string problem = kind.valueCheck(choice.value); !problem.empty())
                return Bad(where + "." + kind.field, problem);
    }
    if (entry.contains("deviceIdSource")) {
        if (!chosenBy.empty()) return Bad(where, "give either \"" + chosenBy + "\" or \"deviceIdSource\", not both");
        const json &name = entry["deviceIdSource"];
        std::vector<std::string> names = SourceNames(true);
        if (std::string problem = OneOf(names)(name.is_string() ? name.get<std::string>() : std::string()); !problem.empty())
            return Bad(where + ".deviceIdSource", problem);
        choice.name = name.get<std::string>();
        choice.value.clear();
    }
    for (const SourceKind &kind : SourceKinds())
        if (!kind.prefix.empty() && entry.contains(kind.prefix))
            if (Expected<void> applied = ApplySettings(entry[kind.prefix], where + "." + kind.prefix, kind, choice);
                !applied)
                return std::unexpected(applied.error());
    if (Expected<SourcePtr> source = MakeSource(choice); !source) return Bad(where, source.error().message);
    return choice;
}

Expected<uint32_t> EntryMask(const json &value, const std::string &where) {
    std::optional<uint32_t> mask;
    if (value.is_number_unsigned() && value.get<unsigned long long>() <= 0xFFFFFFFFu)
        mask = static_cast<uint32_t>(value.get<unsigned long long>());
    else if (value.is_string())
        mask = ParseMask(value.get<std::string>());
    if (!mask) return Bad(where + ".mask", "must be a number or category names from: " + MaskNames());
    return *mask;
}

Expected<TargetEntry> ReadEntry(const json &entry, const std::string &where, const SourceChoice &defaultSource) {
    std::vector<std::string> known = {"address", "deviceIdSource", "mask", "printerMib"};
    for (const SourceKind &kind : SourceKinds()) {
        if (!kind.field.empty()) known.push_back(kind.field);
        if (!kind.prefix.empty()) known.push_back(kind.prefix);
    }
    if (std::string problem = UnknownField(entry, known); !problem.empty()) return Bad(where, problem);
    if (!entry.contains("address")) return Bad(where, "has no \"address\" (HOST, HOST:PORT or [IPv6]:PORT)");
    if (!entry["address"].is_string()) return Bad(where + ".address", "must be a string");
    std::string error;
    std::optional<Target> target = ParseTarget(entry["address"].get<std::string>(), kRawPrintPort, &error);
    if (!target) return Bad(where + ".address", error);
    Expected<SourceChoice> source = EntrySource(entry, where, defaultSource);
    if (!source) return std::unexpected(source.error());
    TargetEntry read{*target, std::move(*source), std::nullopt, std::nullopt};
    if (entry.contains("mask")) {
        Expected<uint32_t> mask = EntryMask(entry["mask"], where);
        if (!mask) return std::unexpected(mask.error());
        read.mask = *mask;
    }
    if (entry.contains("printerMib")) {
        const json &mode = entry["printerMib"];
        read.printerMib = mode.is_string() ? ParseMibMode(mode.get<std::string>()) : std::nullopt;
        if (!read.printerMib) return Bad(where + ".printerMib", "must be \"auto\", \"on\" or \"off\"");
    }
    return read;
}

}  // namespace

Expected<std::vector<TargetEntry>> ReadTargetsFile(const std::string &text, const std::string &fileName,
                                                   const SourceChoice &defaultSource) {
    Expected<json> parsed = ParseStrictJson(text);
    if (!parsed) return Bad(fileName, parsed.error().message);
    const json &document = *parsed;
    if (std::string problem = UnknownField(document, {"targets"}); !problem.empty()) return Bad(fileName, problem);
    if (!document.contains("targets") || !document["targets"].is_array())
        return Bad(fileName, "needs \"targets\": a list of printers");
    std::vector<TargetEntry> entries;
    for (size_t i = 0; i < document["targets"].size(); ++i) {
        Expected<TargetEntry> entry =
            ReadEntry(document["targets"][i], fileName + ": targets[" + std::to_string(i) + "]", defaultSource);
        if (!entry) return std::unexpected(entry.error());
        entries.push_back(std::move(*entry));
    }
    return entries;
}

Expected<std::vector<FleetTarget>> ParseTargetsFile(const std::string &text, const std::string &fileName,
                                                    const PollSettings &defaults, const SourceChoice &defaultSource) {
    Expected<std::vector<TargetEntry>> entries = ReadTargetsFile(text, fileName, defaultSource);
    if (!entries) return std::unexpected(entries.error());
    std::vector<FleetTarget> targets;
    for (TargetEntry &entry : *entries) {
        FleetTarget target{entry.target, defaults};
        target.settings.deviceIdSource = *MakeSource(entry.source);  // checked as the entry was read
        if (entry.mask) target.settings.mask = *entry.mask;
        if (entry.printerMib) target.settings.printerMib.mode = *entry.printerMib;
        target.settings.printerMib.snmp = SnmpSettingsOf(entry.source);
        targets.push_back(std::move(target));
    }
    return targets;
}

}  // namespace pathost::serve
