#include "cli.h"

#include <CLI/CLI.hpp>
#include <cmath>

#include "commands.h"
#include "exit_codes.h"
#include "mask.h"

namespace pathost {

namespace {

struct UsageError {
    std::string message;
};

// The options every subcommand that reads answers shares.
struct AnswerOptions {
    std::string mask = "all";
    std::string deviceId, deviceIdFile, usb;
    bool raw = false, lenient = false, json = false;
    size_t maxBytes = size_t{1} << 20;
};

struct TimeOptions {
    double timeout = 10, idle = 3;
};

void AddDeviceIdOptions(CLI::App *app, AnswerOptions &o, bool usb) {
    auto *text = app->add_option("--device-id", o.deviceId, "the printer's IEEE 1284 device ID text")->type_name("TEXT");
    auto *file = app->add_option("--device-id-file", o.deviceIdFile,
                                 "a file holding the device ID (with or without its two length bytes)")
                     ->type_name("FILE");
    text->excludes(file);
    if (usb) {
        auto *device = app->add_option("--usb", o.usb, "read the device ID from a usblp device (/dev/usb/lp0)")
                           ->type_name("DEVICE");
        device->excludes(text)->excludes(file);
    }
}

void AddAnswerOptions(CLI::App *app, AnswerOptions &o) {
    app->add_option("--mask", o.mask, "categories: a number (0xA071E) or names: " + MaskNames())
        ->type_name("MASK")
        ->capture_default_str();
    app->add_flag("--raw", o.raw, "hand the bytes to the module as received: no cleaning");
    app->add_flag("--lenient", o.lenient,
                  "pass the answers without the request copy, so the module applies whatever arrived");
    app->add_flag("--json", o.json, "one JSON object per printer and poll, one per line");
    app->add_option("--max-bytes", o.maxBytes, "answer bytes kept per printer")->capture_default_str();
}

void AddTimeOptions(CLI::App *app, TimeOptions &t) {
    app->add_option("--timeout", t.timeout, "overall timeout of a poll round, seconds")
        ->type_name("SECONDS")
        ->capture_default_str();
    app->add_option("--idle-timeout", t.idle, "give up when nothing arrives for this long, seconds")
        ->type_name("SECONDS")
        ->capture_default_str();
}

uint32_t Mask(const std::string &text) {
    std::optional<uint32_t> mask = ParseMask(text);
    if (!mask) throw UsageError{"--mask: '" + text + "' is neither a number nor names from: " + MaskNames()};
    return *mask;
}

std::chrono::milliseconds Duration(double seconds, const char *option) {
    if (!(seconds > 0) || seconds > 86400) throw UsageError{std::string(option) + " must be above 0 and at most 86400 seconds"};
    return std::chrono::milliseconds(std::max<long long>(1, std::llround(seconds * 1000)));
}

SessionLimits Limits(const TimeOptions &t, size_t maxBytes) {
    SessionLimits limits;
    limits.overall = Duration(t.timeout, "--timeout");
    limits.idle = Duration(t.idle, "--idle-timeout");
    if (maxBytes < 256) throw UsageError{"--max-bytes must be at least 256"};
    limits.maxBytes = maxBytes;
    return limits;
}

DeviceIdSource Source(const AnswerOptions &o) {
    if (!o.deviceId.empty()) return {DeviceIdSource::Kind::Text, o.deviceId};
    if (!o.deviceIdFile.empty()) return {DeviceIdSource::Kind::File, o.deviceIdFile};
    if (!o.usb.empty()) return {DeviceIdSource::Kind::Usb, o.usb};
    return {};
}

std::vector<uint16_t> Trays(const std::vector<unsigned> &codes) {
    std::vector<uint16_t> trays;
    for (unsigned code : codes) {
        if (code > 0xFFFF) throw UsageError{"--tray: " + std::to_string(code) + " is not a 16-bit tray code"};
        trays.push_back(static_cast<uint16_t>(code));
    }
    return trays;
}

sim::Fault Fault(const std::string &name) {
    std::optional<sim::Fault> fault = sim::ParseFault(name);
    if (!fault) throw UsageError{"--fault: '" + name + "' is not one of: " + sim::FaultNames()};
    return *fault;
}

}  // namespace

int RunCli(int argc, const char *const *argv, std::ostream &out, std::ostream &err) {
    CLI::App app{"pat-host: polls PJL printers through the printer data module (libpat.so), simulates one, "
                 "replays captured answers and shows the module's queries.",
                 "pat-host"};
    app.require_subcommand(1);
    app.footer(ExitCodeTable());

    AnswerOptions pollAnswers;
    TimeOptions pollTimes;
    std::vector<std::string> printers;
    size_t concurrency = 8;
    double watch = 0;
    unsigned watchCount = 0;
    std::string capture;
    auto *poll = app.add_subcommand("poll", "poll PJL printers on their raw TCP port (9100 unless given)");
    poll->add_option("printer", printers, "HOST, HOST:PORT or [IPv6]:PORT, one or more")->required()->type_name("HOST[:PORT]");
    AddAnswerOptions(poll, pollAnswers);
    AddDeviceIdOptions(poll, pollAnswers, true);
    AddTimeOptions(poll, pollTimes);
    poll->add_option("--concurrency", concurrency, "printers polled at the same time")->capture_default_str();
    poll->add_option("--watch", watch, "poll again every SECONDS into the same record and show what changed")
        ->type_name("SECONDS");
    poll->add_option("--watch-count", watchCount, "with --watch: stop after this many polls per printer (0: never)")
        ->capture_default_str();
    poll->add_option("--capture", capture, "write the raw answer bytes to FILE, for replay (one printer only)")
        ->type_name("FILE");
    poll->footer(ExitCodeTable());

    AnswerOptions replayAnswers;
    std::string answerFile;
    std::vector<unsigned> replayTrays;
    auto *replay = app.add_subcommand("replay", "run a captured printer answer through the module");
    replay->add_option("--answer", answerFile, "the captured PJL answer stream")->required()->type_name("FILE");
    replay->add_option("--tray", replayTrays, "a tray code the record lists before the query is built (repeatable)")
        ->type_name("CODE");
    AddAnswerOptions(replay, replayAnswers);
    AddDeviceIdOptions(replay, replayAnswers, false);
    replay->footer(ExitCodeTable());

    std::string queryMask = "all";
    std::vector<unsigned> queryTrays;
    auto *query = app.add_subcommand("query", "show the module's query tree and its PJL text, control characters made visible");
    query->add_option("--mask", queryMask, "categories: a number or names: " + MaskNames())->capture_default_str();
    query->add_option("--tray", queryTrays, "a tray code the record lists (repeatable)")->type_name("CODE");
    query->footer(ExitCodeTable());

    std::string listen = "127.0.0.1:9100";
    std::string simProfile, simFault = "none";
    unsigned dripMs = 50;
    bool printProfile = false;
    auto *simulate = app.add_subcommand("simulate", "a PJL printer answering from a profile (loopback unless told)");
    simulate->add_option("--listen", listen, "address and port to listen on; port 0 picks a free one")
        ->type_name("ADDRESS:PORT")
        ->capture_default_str();
    simulate->add_option("--profile", simProfile, "profile JSON (see README); the built-in one otherwise")->type_name("FILE");
    simulate->add_option("--fault", simFault, "misbehave: " + sim::FaultNames())->capture_default_str();
    simulate->add_option("--drip-ms", dripMs, "with --fault drip: milliseconds between bytes")->capture_default_str();
    simulate->add_flag("--print-profile", printProfile, "print the built-in profile (or check --profile) and exit");
    simulate->footer(ExitCodeTable());

    std::string demoProfile, demoFault = "none";
    TimeOptions demoTimes;
    bool demoJson = false;
    auto *demo = app.add_subcommand("demo", "simulate a printer on a free loopback port, poll it once, print the result");
    demo->add_option("--profile", demoProfile, "profile JSON; the built-in one otherwise")->type_name("FILE");
    demo->add_option("--fault", demoFault, "let the simulated printer misbehave: " + sim::FaultNames())
        ->capture_default_str();
    demo->add_flag("--json", demoJson, "print the result as JSON");
    AddTimeOptions(demo, demoTimes);
    demo->footer(ExitCodeTable());

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError &e) {
        if (e.get_exit_code() == 0) return app.exit(e, out, err) == 0 ? kExitOk : kExitUsage;  // --help
        const CLI::App *parsed = app.get_subcommands().empty() ? nullptr : app.get_subcommands().front();
        std::string where = parsed != nullptr ? "pat-host " + parsed->get_name() : "pat-host";
        err << where << ": " << e.what() << "\nRun '" << where << " --help' for its usage and options.\n";
        return kExitUsage;
    }

    std::string command = app.get_subcommands().front()->get_name();
    try {
        if (command == "poll") {
            PollCommand c;
            std::string error;
            for (const std::string &text : printers) {
                std::optional<Target> target = ParseTarget(text, kRawPrintPort, &error);
                if (!target) throw UsageError{error};
                c.targets.push_back(*target);
            }
            c.settings.mask = Mask(pollAnswers.mask);
            c.settings.limits = Limits(pollTimes, pollAnswers.maxBytes);
            c.settings.raw = pollAnswers.raw;
            c.settings.lenient = pollAnswers.lenient;
            c.settings.deviceIdSource = Source(pollAnswers);
            if (concurrency == 0) throw UsageError{"--concurrency must be at least 1"};
            c.settings.concurrency = concurrency;
            if (poll->count("--watch")) c.settings.watchInterval = Duration(watch, "--watch");
            if (poll->count("--watch-count") && !poll->count("--watch"))
                throw UsageError{"--watch-count needs --watch"};
            c.settings.watchCount = watchCount;
            if (!capture.empty() && c.targets.size() != 1) throw UsageError{"--capture takes one printer"};
            c.captureFile = capture;
            c.output.json = pollAnswers.json;
            return RunPoll(c, out, err);
        }
        if (command == "replay") {
            ReplayCommand c;
            c.answerFile = answerFile;
            c.deviceIdSource = Source(replayAnswers);
            c.mask = Mask(replayAnswers.mask);
            c.trays = Trays(replayTrays);
            c.raw = replayAnswers.raw;
            c.lenient = replayAnswers.lenient;
            if (replayAnswers.maxBytes < 256) throw UsageError{"--max-bytes must be at least 256"};
            c.maxBytes = replayAnswers.maxBytes;
            c.output.json = replayAnswers.json;
            return RunReplay(c, out, err);
        }
        if (command == "query") {
            QueryCommand c;
            c.mask = Mask(queryMask);
            c.trays = Trays(queryTrays);
            return RunQuery(c, out, err);
        }
        if (command == "simulate") {
            SimulateCommand c;
            std::string error;
            std::optional<Target> where = ParseTarget(listen, kRawPrintPort, &error, true);
            if (!where) throw UsageError{"--listen: " + error};
            asio::error_code ec;
            asio::ip::make_address(where->host, ec);
            if (ec) throw UsageError{"--listen: '" + where->host + "' is not an IP address"};
            c.server.host = where->host;
            c.server.port = where->port;
            c.server.fault = Fault(simFault);
            if (dripMs == 0) throw UsageError{"--drip-ms must be at least 1"};
            c.server.drip = std::chrono::milliseconds(dripMs);
            c.profileFile = simProfile;
            c.printProfile = printProfile;
            return RunSimulate(c, out, err);
        }
        DemoCommand c;
        c.profileFile = demoProfile;
        c.fault = Fault(demoFault);
        c.limits = Limits(demoTimes, size_t{1} << 20);
        c.output.json = demoJson;
        return RunDemo(c, out, err);
    } catch (const UsageError &usage) {
        err << "pat-host " << command << ": " << usage.message << "\nRun with --help for more information.\n";
        return kExitUsage;
    } catch (const std::exception &failure) {
        // Out of memory or a broken invariant: nothing a printer did.
        err << "pat-host " << command << ": internal error: " << failure.what() << '\n';
        return kExitModule;
    }
}

}  // namespace pathost
