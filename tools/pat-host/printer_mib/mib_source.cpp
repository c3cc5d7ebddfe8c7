#include "printer_mib/mib_source.h"

#include <algorithm>

#include "printer_mib/mib_reading.h"
#include "snmp/mib_walk.h"

namespace pathost {

std::optional<MibMode> ParseMibMode(const std::string &text) {
    if (text == "auto") return MibMode::Auto;
    if (text == "on") return MibMode::On;
    if (text == "off") return MibMode::Off;
    return std::nullopt;
}

const char *MibModeName(MibMode mode) {
    switch (mode) {
        case MibMode::Auto: return "auto";
        case MibMode::On: return "on";
        case MibMode::Off: return "off";
    }
    return "?";
}

std::shared_ptr<void> AskPrinterMib(boost::asio::io_context &io, const std::string &host,
                                    const PrinterMibSettings &settings, std::chrono::milliseconds deadline,
                                    std::function<void(MibAnswer)> done) {
    snmp::WalkOptions options;
    options.host = host;
    options.port = settings.snmp.port;
    options.community = settings.snmp.community;
    options.version = settings.snmp.version.value_or(snmp::Version::V2c);
    options.fallBackToV1 = !settings.snmp.version.has_value();
    options.budget = std::max(std::min(settings.snmp.timeout, deadline), std::chrono::milliseconds(1));
    options.maxRows = settings.maxRows;
    std::string agent = (host.find(':') != std::string::npos ? "[" + host + "]" : host) + ":" +
                        std::to_string(settings.snmp.port);
    auto walk = std::make_shared<snmp::MibWalk>(io, options, PrinterMibColumns());
    walk->Start([agent, done = std::move(done)](const snmp::WalkResult &result) {
        MibAnswer answer;
        switch (result.status) {
            case snmp::WalkResult::Status::Done: {
                PrinterMib mib = ReadPrinterMib(result, agent);
                if (mib.empty())
                    answer.why = "the SNMP agent at " + agent + " has no Printer MIB";
                else
                    answer.mib = std::move(mib);
                break;
            }
            case snmp::WalkResult::Status::NoAnswer:
                answer.why = "the SNMP agent at " + agent + " did not answer the Printer MIB walk";
                break;
            default:
                answer.why = "the Printer MIB walk of " + agent + " failed: " + result.reason;
                break;
        }
        done(std::move(answer));
    });
    return walk;
}

}  // namespace pathost
