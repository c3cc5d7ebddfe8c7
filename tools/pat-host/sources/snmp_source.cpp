#include "sources/snmp_source.h"

#include <stdlib.h>

#include <algorithm>
#include <cmath>

namespace pathost {

namespace {

constexpr const char *kNoDeviceIdHint =
    "check the agent's port and community (--snmp-port, --snmp-community), or give --device-id";

DeviceIdResult Judge(const snmp::DeviceIdResult &result, const std::string &agent, bool required) {
    using Status = snmp::DeviceIdResult::Status;
    if (result.status == Status::Found) {
        std::string object = snmp::FormatOid(result.oid), name = ObjectName(result.oid);
        std::string version = snmp::VersionName(result.version);
        DeviceIdOrigin origin{"snmp", agent, {{"object", object}, {"objectName", name}, {"version", version}},
                              "SNMP v" + version + " from " + agent + ", " + (name.empty() ? object : name + " " + object)};
        return DeviceIdAnswer{DeviceIdFound{result.deviceId, LooksLengthPrefixed(result.deviceId), std::move(origin)}, {},
                              true};
    }
    std::string why = "no device ID over SNMP from " + agent + ": " +
                      (result.status == Status::Malformed ? "malformed answer: " : "") + result.reason;
    if (required) return Fail(OutcomeKind::NoDeviceId, why, kNoDeviceIdHint);
    bool answered = result.status == Status::NoSuchObject || result.status == Status::Malformed;
    return DeviceIdAnswer{std::nullopt, why, answered};
}

class Snmp : public DeviceIdSource {
public:
    Snmp(SnmpSettings settings, bool required) : settings_(std::move(settings)), required_(required) {}
    std::string Doing() const override { return "asking the SNMP agent for the device ID"; }

    std::shared_ptr<void> Ask(boost::asio::io_context &io, const DeviceIdRequest &request,
                              std::function<void(DeviceIdResult)> done) const override {
        if (!request.needed) return AnswerSoon(io, [] { return DeviceIdResult(DeviceIdAnswer{}); }, std::move(done));
        SnmpSettings settings = settings_;
        settings.timeout = std::min(settings.timeout, request.deadline);
        auto query = std::make_shared<snmp::DeviceIdQuery>(io, QueryOptionsFor(settings, request.host));
        std::string agent = request.host + ":" + std::to_string(settings.port);
        // The query owns the handler: released, it drops it uncalled.
        query->Start([done = std::move(done), agent, required = required_](const snmp::DeviceIdResult &result) {
            done(Judge(result, agent, required));
        });
        return query;
    }

private:
    SnmpSettings settings_;
    bool required_;
};

std::string VersionCheck(const std::string &text) {
    return text.empty() || text == "1" || text == "2c" ? std::string() : "must be \"1\" or \"2c\"";
}

SnmpSettings FromConfig(const SourceConfig &config) {
    SnmpSettings settings;
    settings.community = config.Setting("community");
    settings.port = static_cast<uint16_t>(atoi(config.Setting("port").c_str()));
    settings.timeout = std::chrono::milliseconds(
        std::max<long long>(1, std::llround(strtod(config.Setting("timeout").c_str(), nullptr) * 1000)));
    if (config.Setting("version") == "1") settings.version = snmp::Version::V1;
    if (config.Setting("version") == "2c") settings.version = snmp::Version::V2c;
    return settings;
}

}  // namespace

SourcePtr SnmpSource(SnmpSettings settings, bool required) {
    return std::make_shared<Snmp>(std::move(settings), required);
}

SourceKind SnmpSourceKind() {
    SourceKind kind;
    kind.name = "snmp";
    kind.network = true;
    kind.autoHelp = "asks each printer's SNMP agent and polls without the device-ID categories when it gives none";
    kind.namedHelp = "fails such a printer (69)";
    kind.prefix = "snmp";
    kind.group = "SNMP (the device ID of a network printer)";
    kind.settings = {
        {"community", "TEXT", "SNMP community", "public", AnyText(), "", false},
        {"port", "UINT", "UDP port of the printer's SNMP agent", "161", PortCheck(), "INT in [1 - 65535]", true},
        {"timeout", "SECONDS",
         "how long an agent that does not answer is waited for, all tries together (two per version), seconds", "2",
         SecondsCheck(), "", true},
        {"version", "TEXT", "1 or 2c; unset: 2c, then 1 when 2c gets no answer", "", VersionCheck, "{1,2c}", false},
    };
    kind.make = [](const SourceConfig &config) { return SnmpSource(FromConfig(config), config.required); };
    return kind;
}

SnmpSettings SnmpSettingsOf(const SourceChoice &choice) {
    SourceConfig config;
    auto given = choice.settings.find("snmp");
    for (const SourceSetting &setting : SnmpSourceKind().settings) {
        config.settings[setting.name] = setting.fallback;
        if (given == choice.settings.end()) continue;
        if (auto value = given->second.find(setting.name); value != given->second.end())
            config.settings[setting.name] = value->second;
    }
    return FromConfig(config);
}

snmp::DeviceIdQueryOptions QueryOptionsFor(const SnmpSettings &settings, const std::string &host) {
    snmp::DeviceIdQueryOptions options;
    options.host = host;
    options.port = settings.port;
    options.community = settings.community;
    options.version = settings.version.value_or(snmp::Version::V2c);
    options.fallBackToV1 = !settings.version.has_value();
    options.retries = 1;
    const long tries = (options.retries + 1) * (options.fallBackToV1 ? 2 : 1);
    options.timeout = std::max(settings.timeout / tries, std::chrono::milliseconds(1));
    return options;
}

std::string ObjectName(const snmp::Oid &oid) {
    static const char *const names[] = {"ppmPrinterIEEE1284DeviceId", "LexmarkDeviceIdOID", "RicohDeviceIdOID",
                                        "HPDeviceIdOID"};
    const auto &objects = snmp::DeviceIdObjects();
    for (size_t i = 0; i < objects.size() && i < std::size(names); ++i)
        if (objects[i] == oid) return names[i];
    return {};
}

}  // namespace pathost
