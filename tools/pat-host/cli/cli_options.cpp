#include "cli/cli_options.h"

#include <boost/asio/ip/address.hpp>
#include <cmath>

#include "module/mask.h"

namespace pathost::cli {

namespace {

constexpr double kMaxSeconds = 86400;
constexpr size_t kMinBytes = 256;

// Validators check the text before it is stored, so a bad value is a usage
// error naming its option, and what the callbacks convert is known good.
// Their descriptions stay empty: --help shows the option's own words.
CLI::Validator Check(std::function<std::string(const std::string &)> problem) {
    return CLI::Validator([problem](std::string &text) { return problem(text); }, "");
}

}  // namespace

CLI::Validator Bounds(size_t min, size_t max) {
    return CLI::Range(min, max).description("");
}

const CLI::Validator kSeconds = Check([](const std::string &text) -> std::string {
    double seconds = 0;
    if (!CLI::detail::lexical_cast(text, seconds) || !(seconds > 0) || seconds > kMaxSeconds)
        return "must be above 0 and at most 86400 seconds";
    return {};
});

const CLI::Validator kMask = Check([](const std::string &text) -> std::string {
    if (ParseMask(text)) return {};
    return "'" + text + "' is neither a number nor names from: " + MaskNames();
});

const CLI::Validator kPrinter = Check([](const std::string &text) {
    std::string error;
    return ParseTarget(text, kRawPrintPort, &error) ? std::string() : error;
});

const CLI::Validator kListenAddress = Check([](const std::string &text) -> std::string {
    std::string error;
    std::optional<Target> where = ParseTarget(text, kRawPrintPort, &error, true);
    if (!where) return error;
    boost::system::error_code ec;
    boost::asio::ip::make_address(where->host, ec);
    if (ec) return "'" + where->host + "' is not an IP address";
    return {};
});

const CLI::Validator kTrayCode = Check([](const std::string &text) -> std::string {
    unsigned code = 0;
    if (CLI::detail::lexical_cast(text, code) && code <= 0xFFFF) return {};
    return text + " is not a 16-bit tray code";
});

// A target the validator has accepted.
Target Checked(const std::string &text, bool listening) {
    std::string unused;
    return *ParseTarget(text, kRawPrintPort, &unused, listening);
}

std::chrono::milliseconds Milliseconds(double seconds) {
    return std::chrono::milliseconds(std::max<long long>(1, std::llround(seconds * 1000)));
}

DeviceIdSource DeviceIdOptions::source() const {
    if (!text.empty()) return {DeviceIdSource::Kind::Text, text};
    if (!file.empty()) return {DeviceIdSource::Kind::File, file};
    if (!usb.empty()) return {DeviceIdSource::Kind::Usb, usb};
    if (sourceName == "none") return {};
    DeviceIdSource snmp{DeviceIdSource::Kind::Snmp};
    snmp.required = sourceName == "snmp";
    return snmp;
}

SnmpSettings SnmpOptions::settings() const {
    SnmpSettings s;
    s.community = community;
    s.port = port;
    s.timeout = Milliseconds(timeout);
    if (version == "1") s.version = snmp::Version::V1;
    if (version == "2c") s.version = snmp::Version::V2c;
    return s;
}


void AddDeviceIdOptions(CLI::App *app, DeviceIdOptions &o, bool network) {
    auto *text = app->add_option("--device-id", o.text, "the printer's IEEE 1284 device ID text")->type_name("TEXT");
    auto *file = app->add_option("--device-id-file", o.file,
                                 "a file holding the device ID (with or without its two length bytes)")
                     ->type_name("FILE");
    text->excludes(file);
    if (!network) {
        o.sourceName = "none";
        return;
    }
    auto *usb = app->add_option("--usb", o.usb, "read the device ID from a usblp device (/dev/usb/lp0)")
                    ->type_name("DEVICE")
                    ->excludes(text)
                    ->excludes(file);
    app->add_option("--device-id-source", o.sourceName,
                    "without --device-id, --device-id-file or --usb: auto asks each printer's SNMP agent and "
                    "polls without the device-ID categories when it gives none; snmp fails such a printer (69); "
                    "none asks nobody")
        ->check(CLI::IsMember({"auto", "snmp", "none"}))
        ->excludes(text)
        ->excludes(file)
        ->excludes(usb)
        ->capture_default_str();
}

void AddSnmpOptions(CLI::App *app, SnmpOptions &o) {
    const char *group = "SNMP (the device ID of a network printer)";
    app->add_option("--snmp-community", o.community, "SNMP community")->group(group)->capture_default_str();
    app->add_option("--snmp-port", o.port, "UDP port of the printer's SNMP agent")
        ->group(group)
        ->check(CLI::Range(1, 65535))
        ->capture_default_str();
    app->add_option("--snmp-timeout", o.timeout,
                    "how long an agent that does not answer is waited for, all tries together (two per version), "
                    "seconds")
        ->type_name("SECONDS")
        ->group(group)
        ->check(kSeconds)
        ->capture_default_str();
    app->add_option("--snmp-version", o.version, "1 or 2c; unset: 2c, then 1 when 2c gets no answer")
        ->group(group)
        ->check(CLI::IsMember({"1", "2c"}));
}


void AddAnswerOptions(CLI::App *app, AnswerOptions &o) {
    app->add_option("--mask", o.mask, "categories: a number (0xA071E) or names: " + MaskNames())
        ->type_name("MASK")
        ->check(kMask)
        ->capture_default_str();
    app->add_flag("--raw", o.raw, "hand the bytes to the module as received: no cleaning");
    app->add_flag("--lenient", o.lenient,
                  "pass the answers without the request copy, so the module applies whatever arrived");
    app->add_flag("--json", o.json, "one JSON object per printer and poll, one per line");
    app->add_option("--max-bytes", o.maxBytes, "answer bytes kept per printer")->check(Bounds(kMinBytes))->capture_default_str();
}


void AddTimeOptions(CLI::App *app, TimeOptions &t) {
    app->add_option("--timeout", t.timeout, "overall timeout of a poll round, seconds")
        ->type_name("SECONDS")
        ->check(kSeconds)
        ->capture_default_str();
    app->add_option("--idle-timeout", t.idle, "give up when nothing arrives for this long, seconds")
        ->type_name("SECONDS")
        ->check(kSeconds)
        ->capture_default_str();
}

}  // namespace pathost::cli
