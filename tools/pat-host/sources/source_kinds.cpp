#include "sources/source_kinds.h"

#include <stdlib.h>

#include <algorithm>
#include <cmath>

#include "sources/file_source.h"
#include "sources/snmp_source.h"
#include "sources/text_source.h"
#include "sources/usb_source.h"

namespace pathost {

namespace {

std::vector<SourceKind> &Registry() {
    // One line per kind of source.
    static std::vector<SourceKind> kinds = {TextSourceKind(), FileSourceKind(), UsbSourceKind(), SnmpSourceKind()};
    return kinds;
}

bool ParseNumber(const std::string &text, double *value) {
    if (text.empty() || text.size() > 32) return false;
    char *end = nullptr;
    *value = strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(*value);
}

}  // namespace

const std::string &SourceConfig::Setting(const std::string &name) const {
    static const std::string none;
    auto found = settings.find(name);
    return found != settings.end() ? found->second : none;
}

const std::vector<SourceKind> &SourceKinds() { return Registry(); }

void RegisterSourceKind(SourceKind kind) { Registry().push_back(std::move(kind)); }

const SourceKind *FindSourceKind(const std::string &name) {
    for (const SourceKind &kind : Registry())
        if (kind.name == name) return &kind;
    return nullptr;
}

std::vector<std::string> SourceNames(bool network) {
    std::vector<std::string> names = {"auto"};
    for (const SourceKind &kind : Registry())
        if (kind.option.empty() && (network || !kind.network)) names.push_back(kind.name);
    names.push_back("none");
    return names;
}

Expected<SourcePtr> MakeSource(const SourceChoice &choice) {
    if (choice.name == "none") return SourcePtr();
    // auto: the first kind chosen by name, asked without being required.
    const SourceKind *kind = nullptr;
    if (choice.name == "auto") {
        for (const SourceKind &candidate : Registry())
            if (candidate.option.empty()) {
                kind = &candidate;
                break;
            }
    } else {
        kind = FindSourceKind(choice.name);
    }
    if (kind == nullptr) return Fail(OutcomeKind::Usage, "no device ID source is called \"" + choice.name + "\"");
    if (kind->valueCheck)
        if (std::string problem = kind->valueCheck(choice.value); !problem.empty())
            return Fail(OutcomeKind::Usage, (kind->field.empty() ? kind->option : kind->field) + ": " + problem);
    SourceConfig config;
    config.value = choice.value;
    config.required = choice.name != "auto" && kind->option.empty();
    auto given = choice.settings.find(kind->prefix);
    for (const SourceSetting &setting : kind->settings) {
        const std::string *text = &setting.fallback;
        if (given != choice.settings.end()) {
            auto value = given->second.find(setting.name);
            if (value != given->second.end()) text = &value->second;
        }
        if (std::string problem = setting.check(*text); !problem.empty())
            return Fail(OutcomeKind::Usage, kind->prefix + "." + setting.name + ": " + problem);
        config.settings[setting.name] = *text;
    }
    return kind->make(config);
}

ValueCheck PortCheck() {
    return [](const std::string &text) -> std::string {
        double port = 0;
        if (ParseNumber(text, &port) && port >= 1 && port <= 65535 && port == std::floor(port)) return {};
        return "must be a port number from 1 to 65535";
    };
}

ValueCheck SecondsCheck() {
    return [](const std::string &text) -> std::string {
        double seconds = 0;
        if (ParseNumber(text, &seconds) && seconds > 0 && seconds <= 86400) return {};
        return "must be above 0 and at most 86400 seconds";
    };
}

ValueCheck OneOf(std::vector<std::string> values) {
    return [values](const std::string &text) -> std::string {
        if (std::find(values.begin(), values.end(), text) != values.end()) return {};
        std::string list;
        for (const std::string &value : values) list += (list.empty() ? "\"" : ", \"") + value + "\"";
        return "must be one of " + list;
    };
}

ValueCheck AnyText() {
    return [](const std::string &) { return std::string(); };
}

ValueCheck NonEmptyText() {
    return [](const std::string &text) { return text.empty() ? std::string("must not be empty") : std::string(); };
}

}  // namespace pathost
