#include "cli.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <limits>

#include "commands.h"
#include "mask.h"

namespace pathost {

namespace {

// What the parsed subcommand runs, bound to its parsed options.
using Run = std::function<OutcomeKind(std::ostream &out, std::ostream &err)>;

constexpr double kMaxSeconds = 86400;
constexpr size_t kMinBytes = 256;

// Validators check the text before it is stored, so a bad value is a usage
// error naming its option, and what the callbacks convert is known good.
// Their descriptions stay empty: --help shows the option's own words.
CLI::Validator Check(std::function<std::string(const std::string &)> problem) {
    return CLI::Validator([problem](std::string &text) { return problem(text); }, "");
}

CLI::Validator Bounds(size_t min, size_t max = std::numeric_limits<size_t>::max()) {
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
    asio::error_code ec;
    asio::ip::make_address(where->host, ec);
    if (ec) return "'" + where->host + "' is not an IP address";
    return {};
});

const CLI::Validator kTrayCode = Check([](const std::string &text) -> std::string {
    unsigned code = 0;
    if (CLI::detail::lexical_cast(text, code) && code <= 0xFFFF) return {};
    return text + " is not a 16-bit tray code";
});

// A target the validator has accepted.
Target Checked(const std::string &text, bool listening = false) {
    std::string unused;
    return *ParseTarget(text, kRawPrintPort, &unused, listening);
}

std::chrono::milliseconds Milliseconds(double seconds) {
    return std::chrono::milliseconds(std::max<long long>(1, std::llround(seconds * 1000)));
}

DeviceIdSource Source(const std::string &text, const std::string &file, const std::string &usb) {
    if (!text.empty()) return {DeviceIdSource::Kind::Text, text};
    if (!file.empty()) return {DeviceIdSource::Kind::File, file};
    if (!usb.empty()) return {DeviceIdSource::Kind::Usb, usb};
    return {};
}

// The device ID source options: one at most.
struct DeviceIdOptions {
    std::string text, file, usb;
    DeviceIdSource source() const { return Source(text, file, usb); }
};

void AddDeviceIdOptions(CLI::App *app, DeviceIdOptions &o, bool usb) {
    auto *text = app->add_option("--device-id", o.text, "the printer's IEEE 1284 device ID text")->type_name("TEXT");
    auto *file = app->add_option("--device-id-file", o.file,
                                 "a file holding the device ID (with or without its two length bytes)")
                     ->type_name("FILE");
    text->excludes(file);
    if (usb)
        app->add_option("--usb", o.usb, "read the device ID from a usblp device (/dev/usb/lp0)")
            ->type_name("DEVICE")
            ->excludes(text)
            ->excludes(file);
}

// The options every subcommand that reads answers shares.
struct AnswerOptions {
    std::string mask = "all";
    bool raw = false, lenient = false, json = false;
    size_t maxBytes = size_t{1} << 20;
};

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

struct TimeOptions {
    double timeout = 10, idle = 3;
    SessionLimits limits(size_t maxBytes) const { return {Milliseconds(timeout), Milliseconds(idle), maxBytes}; }
};

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

CLI::App *AddSubcommand(CLI::App &app, const char *name, const char *summary) {
    CLI::App *sub = app.add_subcommand(name, summary);
    sub->footer(ExitCodeTable());
    return sub;
}

void AddPoll(CLI::App &app, Run &run) {
    struct Options {
        std::vector<std::string> printers;
        AnswerOptions answers;
        DeviceIdOptions deviceId;
        TimeOptions times;
        size_t concurrency = 8;
        double watch = 0;
        unsigned watchCount = 0;
        std::string capture;
    };
    auto o = std::make_shared<Options>();
    CLI::App *poll = AddSubcommand(app, "poll", "poll PJL printers on their raw TCP port (9100 unless given)");
    poll->add_option("printer", o->printers, "HOST, HOST:PORT or [IPv6]:PORT, one or more")
        ->required()
        ->type_name("HOST[:PORT]")
        ->check(kPrinter);
    AddAnswerOptions(poll, o->answers);
    AddDeviceIdOptions(poll, o->deviceId, true);
    AddTimeOptions(poll, o->times);
    poll->add_option("--concurrency", o->concurrency, "printers polled at the same time")
        ->check(Bounds(1))
        ->capture_default_str();
    auto *watch = poll->add_option("--watch", o->watch, "poll again every SECONDS into the same record and show what changed")
                      ->type_name("SECONDS")
                      ->check(kSeconds);
    poll->add_option("--watch-count", o->watchCount, "with --watch: stop after this many polls per printer (0: never)")
        ->needs(watch)
        ->capture_default_str();
    poll->add_option("--capture", o->capture, "write the raw answer bytes to FILE, for replay (one printer only)")
        ->type_name("FILE");
    poll->callback([o, watch, &run] {
        if (!o->capture.empty() && o->printers.size() != 1) throw CLI::ValidationError("--capture takes one printer");
        PollCommand c;
        for (const std::string &text : o->printers) c.targets.push_back(Checked(text));
        c.settings.mask = *ParseMask(o->answers.mask);
        c.settings.limits = o->times.limits(o->answers.maxBytes);
        c.settings.raw = o->answers.raw;
        c.settings.lenient = o->answers.lenient;
        c.settings.deviceIdSource = o->deviceId.source();
        c.settings.concurrency = o->concurrency;
        if (watch->count()) c.settings.watchInterval = Milliseconds(o->watch);
        c.settings.watchCount = o->watchCount;
        c.captureFile = o->capture;
        c.output.json = o->answers.json;
        run = [c](std::ostream &out, std::ostream &err) { return RunPoll(c, out, err); };
    });
}

void AddReplay(CLI::App &app, Run &run) {
    struct Options {
        std::string answerFile;
        std::vector<std::string> trays;
        AnswerOptions answers;
        DeviceIdOptions deviceId;
    };
    auto o = std::make_shared<Options>();
    CLI::App *replay = AddSubcommand(app, "replay", "run a captured printer answer through the module");
    replay->add_option("--answer", o->answerFile, "the captured PJL answer stream")->required()->type_name("FILE");
    replay->add_option("--tray", o->trays, "a tray code the record lists before the query is built (repeatable)")
        ->type_name("CODE")
        ->check(kTrayCode);
    AddAnswerOptions(replay, o->answers);
    AddDeviceIdOptions(replay, o->deviceId, false);
    replay->callback([o, &run] {
        ReplayCommand c;
        c.answerFile = o->answerFile;
        c.deviceIdSource = o->deviceId.source();
        c.mask = *ParseMask(o->answers.mask);
        for (const std::string &tray : o->trays) c.trays.push_back(static_cast<uint16_t>(std::stoul(tray)));
        c.raw = o->answers.raw;
        c.lenient = o->answers.lenient;
        c.maxBytes = o->answers.maxBytes;
        c.output.json = o->answers.json;
        run = [c](std::ostream &out, std::ostream &err) { return RunReplay(c, out, err); };
    });
}

void AddQuery(CLI::App &app, Run &run) {
    struct Options {
        std::string mask = "all";
        std::vector<std::string> trays;
    };
    auto o = std::make_shared<Options>();
    CLI::App *query =
        AddSubcommand(app, "query", "show the module's query tree and its PJL text, control characters made visible");
    query->add_option("--mask", o->mask, "categories: a number or names: " + MaskNames())->check(kMask)->capture_default_str();
    query->add_option("--tray", o->trays, "a tray code the record lists (repeatable)")->type_name("CODE")->check(kTrayCode);
    query->callback([o, &run] {
        QueryCommand c;
        c.mask = *ParseMask(o->mask);
        for (const std::string &tray : o->trays) c.trays.push_back(static_cast<uint16_t>(std::stoul(tray)));
        run = [c](std::ostream &out, std::ostream &err) { return RunQuery(c, out, err); };
    });
}

void AddSimulate(CLI::App &app, Run &run) {
    struct Options {
        std::string listen = "127.0.0.1:9100";
        std::string profile, fault = "none";
        unsigned dripMs = 50;
        bool printProfile = false;
    };
    auto o = std::make_shared<Options>();
    CLI::App *simulate = AddSubcommand(app, "simulate", "a PJL printer answering from a profile (loopback unless told)");
    simulate->add_option("--listen", o->listen, "address and port to listen on; port 0 picks a free one")
        ->type_name("ADDRESS:PORT")
        ->check(kListenAddress)
        ->capture_default_str();
    simulate->add_option("--profile", o->profile, "profile JSON (see README); the built-in one otherwise")->type_name("FILE");
    simulate->add_option("--fault", o->fault, "misbehave: " + sim::FaultNames())
        ->check(CLI::IsMember(sim::FaultNameList()).description(""))
        ->capture_default_str();
    simulate->add_option("--drip-ms", o->dripMs, "with --fault drip: milliseconds between bytes")
        ->check(CLI::Range(1u, std::numeric_limits<unsigned>::max()).description(""))
        ->capture_default_str();
    simulate->add_flag("--print-profile", o->printProfile, "print the built-in profile (or check --profile) and exit");
    simulate->callback([o, &run] {
        SimulateCommand c;
        Target where = Checked(o->listen, true);
        c.server.host = where.host;
        c.server.port = where.port;
        c.server.fault = *sim::ParseFault(o->fault);
        c.server.drip = std::chrono::milliseconds(o->dripMs);
        c.profileFile = o->profile;
        c.printProfile = o->printProfile;
        run = [c](std::ostream &out, std::ostream &err) { return RunSimulate(c, out, err); };
    });
}

void AddDemo(CLI::App &app, Run &run) {
    struct Options {
        std::string listen = "127.0.0.1:0";
        std::string profile, fault = "none";
        TimeOptions times;
        bool json = false;
    };
    auto o = std::make_shared<Options>();
    CLI::App *demo = AddSubcommand(app, "demo", "simulate a printer on a free loopback port, poll it once, print the result");
    demo->add_option("--listen", o->listen, "where the simulated printer listens; port 0 picks a free one")
        ->type_name("ADDRESS:PORT")
        ->check(kListenAddress)
        ->capture_default_str();
    demo->add_option("--profile", o->profile, "profile JSON; the built-in one otherwise")->type_name("FILE");
    demo->add_option("--fault", o->fault, "let the simulated printer misbehave: " + sim::FaultNames())
        ->check(CLI::IsMember(sim::FaultNameList()).description(""))
        ->capture_default_str();
    demo->add_flag("--json", o->json, "print the result as JSON");
    AddTimeOptions(demo, o->times);
    demo->callback([o, &run] {
        DemoCommand c;
        Target where = Checked(o->listen, true);
        c.host = where.host;
        c.port = where.port;
        c.profileFile = o->profile;
        c.fault = *sim::ParseFault(o->fault);
        c.limits = o->times.limits(size_t{1} << 20);
        c.output.json = o->json;
        run = [c](std::ostream &out, std::ostream &err) { return RunDemo(c, out, err); };
    });
}

}  // namespace

int RunCli(int argc, const char *const *argv, std::ostream &out, std::ostream &err) {
    CLI::App app{"pat-host: polls PJL printers through the printer data module (libpat.so), simulates one, "
                 "replays captured answers and shows the module's queries.",
                 "pat-host"};
    app.require_subcommand(1);
    app.footer(ExitCodeTable());
    Run run;
    AddPoll(app, run);
    AddReplay(app, run);
    AddQuery(app, run);
    AddSimulate(app, run);
    AddDemo(app, run);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError &e) {
        if (e.get_exit_code() == 0) {  // --help
            app.exit(e, out, err);
            return ExitCodeOf(OutcomeKind::Ok);
        }
        const CLI::App *parsed = app.get_subcommands().empty() ? nullptr : app.get_subcommands().front();
        std::string where = parsed != nullptr ? "pat-host " + parsed->get_name() : "pat-host";
        err << where << ": " << e.what() << "\nRun '" << where << " --help' for its usage and options.\n";
        return ExitCodeOf(OutcomeKind::Usage);
    }
    try {
        return ExitCodeOf(run(out, err));
    } catch (const std::exception &failure) {
        // Out of memory or a broken invariant: nothing a printer did.
        err << "pat-host " << app.get_subcommands().front()->get_name() << ": internal error: " << failure.what() << '\n';
        return ExitCodeOf(OutcomeKind::InternalError);
    }
}

}  // namespace pathost
