#include "cli/cli_options.h"

#include <boost/asio/ip/address.hpp>
#include <cmath>

#include "module/mask.h"

namespace pathost::cli {

namespace {

constexpr double kMaxSeconds = 86400;
constexpr size_t kMinBytes = 256;
// What a poll keeps is about twice this (the answer, the module's copy), so
// a fleet of 32-bit polls in one serve fits its address space.
constexpr size_t kMaxBytes = size_t{16} << 20;
// A poll or a round of watch polls more often than this only loads the printer.
constexpr double kMinInterval = 1;

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

const CLI::Validator kInterval = Check([](const std::string &text) -> std::string {
    double seconds = 0;
    if (!CLI::detail::lexical_cast(text, seconds) || !(seconds >= kMinInterval) || seconds > kMaxSeconds)
        return "must be at least 1 and at most 86400 seconds";
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

SourceChoice DeviceIdOptions::choice() const {
    SourceChoice choice;
    choice.name = sourceName;
    for (const auto &[kind, value] : values)
        if (!value.empty()) {
            choice.name = kind;
            choice.value = value;
        }
    choice.settings = settings;
    return choice;
}

SourcePtr DeviceIdOptions::source() const {
    Expected<SourcePtr> made = MakeSource(choice());
    if (!made) throw CLI::ValidationError(made.error().message);
    return *made;
}

void AddDeviceIdOptions(CLI::App *app, DeviceIdOptions &o, bool network) {
    std::vector<CLI::Option *> choosers;
    std::string names;  // "--device-id, --device-id-file or --usb"
    std::vector<const SourceKind *> offered;
    for (const SourceKind &kind : SourceKinds())
        if (network || !kind.network) offered.push_back(&kind);
    for (const SourceKind *kind : offered) {
        if (kind->option.empty()) continue;
        CLI::Option *option = app->add_option(kind->option, o.values[kind->name], kind->help)->type_name(kind->typeName);
        if (kind->valueCheck)
            option->check(CLI::Validator([check = kind->valueCheck](std::string &text) { return check(text); }, ""));
        for (CLI::Option *other : choosers) option->excludes(other);
        choosers.push_back(option);
    }
    for (size_t i = 0; i < choosers.size(); ++i)
        names += (i == 0 ? "" : i + 1 == choosers.size() ? " or " : ", ") + choosers[i]->get_name();
    if (!network) {
        o.sourceName = "none";
        return;
    }
    std::string help = "without " + names + ":";
    for (const SourceKind *kind : offered)
        if (kind->option.empty() && !kind->autoHelp.empty()) {
            help += " auto " + kind->autoHelp + ";";
            break;
        }
    for (const SourceKind *kind : offered)
        if (kind->option.empty()) help += " " + kind->name + " " + kind->namedHelp + ";";
    help += " none asks nobody";
    CLI::Option *byName = app->add_option("--device-id-source", o.sourceName, help)
                              ->check(CLI::IsMember(SourceNames(network)))
                              ->capture_default_str();
    for (CLI::Option *chooser : choosers) byName->excludes(chooser);
    for (const SourceKind *kind : offered) {
        for (const SourceSetting &setting : kind->settings) {
            std::string &value = o.settings[kind->prefix][setting.name];
            value = setting.fallback;
            CLI::Option *option = app->add_option("--" + kind->prefix + "-" + setting.name, value, setting.help)
                                      ->type_name(setting.typeName)
                                      ->group(kind->group)
                                      ->check(CLI::Validator([check = setting.check](std::string &text) { return check(text); },
                                                             setting.checkText));
            if (!setting.fallback.empty()) option->capture_default_str();
        }
    }
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
    app->add_option("--max-bytes", o.maxBytes, "answer bytes kept per printer, 256 to 16777216 (16 MiB)")
        ->check(Bounds(kMinBytes, kMaxBytes))
        ->capture_default_str();
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

void AddPrinterMibOptions(CLI::App *app, PrinterMibOptions &o) {
    const char *group = "Printer MIB (supplies, alerts; the record of a printer without PJL)";
    app->add_option("--printer-mib", o.mode,
                    "read the Printer MIB over SNMP (the --snmp-* settings): auto where the agent answered the "
                    "device-ID question, on for every printer (one whose agent gives none fails, 69), off never")
        ->check(CLI::IsMember({"auto", "on", "off"}))
        ->group(group)
        ->capture_default_str();
    app->add_option("--printer-mib-rows", o.maxRows, "rows read of each table at most; more ends it with a note")
        ->check(Bounds(1, 100000))
        ->group(group)
        ->capture_default_str();
}

}  // namespace pathost::cli
