#include "cli/cli.h"

#include <CLI/CLI.hpp>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/standard_streams.h"
#include "module/mask.h"
#include "module/module_loading.h"
#include "sources/snmp_source.h"

namespace pathost {

using namespace cli;

namespace {

// What the parsed subcommand runs, bound to its parsed options, given the
// --module path (empty: the linked libpat.so).
using Run = std::function<OutcomeKind(const std::string &module, std::ostream &out, std::ostream &err)>;

constexpr const char *kModuleWarning =
    "Loading a module runs its code inside pat-host (a DLL's entry point too): name only modules you trust.";

// Loads the module once for the command, or says why it cannot.
template <typename Command>
OutcomeKind WithModule(const std::string &path, std::ostream &err, Command command) {
    LoadedModule loaded = LoadModuleOrLinked(path);
    if (!loaded) {
        err << "pat-host: " << loaded.error().message << '\n';
        return loaded.error().kind;
    }
    return command(**loaded);
}

// A command whose result is its output: a write that failed turns success or
// failure alike into an OutputError, said on standard error.
Run WritingOutput(const char *command, Run inner) {
    return [command, inner = std::move(inner)](const std::string &module, std::ostream &out, std::ostream &err) {
        OutcomeKind kind = inner(module, out, err);
        if (kind == OutcomeKind::OutputError) return kind;  // said already
        if (Expected<void> written = Flushed(out, "standard output"); !written) {
            err << "pat-host " << command << ": " << written.error().message << '\n';
            return written.error().kind;
        }
        return kind;
    };
}

CLI::App *AddSubcommand(CLI::App &app, const char *name, const char *summary) {
    CLI::App *sub = app.add_subcommand(name, summary);
    sub->fallthrough();  // --module may also follow the subcommand
    sub->footer(ExitCodeTable());
    return sub;
}

// What poll and serve take from their shared options.
PollSettings NetworkPollSettings(const AnswerOptions &answers, const DeviceIdOptions &deviceId, const TimeOptions &times,
                                 const PrinterMibOptions &mib, bool force, size_t concurrency) {
    PollSettings settings;
    settings.mask = *ParseMask(answers.mask);
    settings.limits = times.limits(answers.maxBytes);
    settings.raw = answers.raw;
    settings.lenient = answers.lenient;
    settings.deviceIdSource = deviceId.source();
    settings.force = force;
    settings.concurrency = concurrency;
    settings.printerMib.mode = *ParseMibMode(mib.mode);
    settings.printerMib.snmp = SnmpSettingsOf(deviceId.choice());
    settings.printerMib.maxRows = mib.maxRows;
    return settings;
}

void AddPoll(CLI::App &app, Run &run) {
    struct Options {
        std::vector<std::string> printers;
        AnswerOptions answers;
        DeviceIdOptions deviceId;
        TimeOptions times;
        PrinterMibOptions mib;
        bool force = false;
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
    AddPrinterMibOptions(poll, o->mib);
    AddTimeOptions(poll, o->times);
    poll->add_flag("--force", o->force,
                   "send the PJL query even to a device whose command set names no PJL (it may print it as text)");
    poll->add_option("--concurrency", o->concurrency, "printers polled at the same time")
        ->check(Bounds(1))
        ->capture_default_str();
    auto *watch = poll->add_option("--watch", o->watch,
                                   "poll again every SECONDS (at least 1) into the same record and show what changed")
                      ->type_name("SECONDS")
                      ->check(kInterval);
    poll->add_option("--watch-count", o->watchCount, "with --watch: stop after this many polls per printer (0: never)")
        ->needs(watch)
        ->capture_default_str();
    poll->add_option("--capture", o->capture, "write the raw answer bytes to FILE, for replay (one printer only)")
        ->type_name("FILE");
    poll->callback([o, watch, &run] {
        if (!o->capture.empty() && o->printers.size() != 1) throw CLI::ValidationError("--capture takes one printer");
        PollCommand c;
        for (const std::string &text : o->printers) c.targets.push_back(Checked(text));
        c.settings = NetworkPollSettings(o->answers, o->deviceId, o->times, o->mib, o->force, o->concurrency);
        if (watch->count()) c.settings.watchInterval = Milliseconds(o->watch);
        c.settings.watchCount = o->watchCount;
        c.captureFile = o->capture;
        c.output.json = o->answers.json;
        run = WritingOutput("poll", [c](const std::string &module, std::ostream &out, std::ostream &err) {
            return WithModule(module, err, [&](const Module &m) { return RunPoll(m, c, out, err); });
        });
    });
}

void AddServe(CLI::App &app, Run &run) {
    struct Options {
        std::vector<std::string> printers;
        std::string listen = "127.0.0.1:" + std::to_string(kServePort), targets;
        double interval = 60;
        size_t concurrency = 16;
        bool allowAnyTarget = false, force = false, probeOnly = false;
        AnswerOptions answers;
        DeviceIdOptions deviceId;
        TimeOptions times;
        PrinterMibOptions mib;
    };
    auto o = std::make_shared<Options>();
    CLI::App *serve = AddSubcommand(app, "serve",
                                    "poll printers on a schedule and serve the results over HTTP: a status page, "
                                    "Prometheus metrics, probes and JSON");
    serve->add_option("printer", o->printers, "HOST, HOST:PORT or [IPv6]:PORT; more with --targets")
        ->type_name("HOST[:PORT]")
        ->check(kPrinter);
    serve->add_option("--listen", o->listen, "where the HTTP server listens; loopback unless you name another address")
        ->type_name("ADDRESS:PORT")
        ->check(kListenAddress)
        ->capture_default_str();
    serve->add_option("--targets", o->targets,
                      "a JSON file of printers, each with optional device-ID settings and mask (see the README)")
        ->type_name("FILE");
    serve->add_option("--interval", o->interval,
                      "poll every printer this often, seconds, at least 1 (each with some jitter)")
        ->type_name("SECONDS")
        ->check(kInterval)
        ->capture_default_str();
    serve->add_option("--concurrency", o->concurrency, "printers polled at the same time")
        ->check(Bounds(1))
        ->capture_default_str();
    serve->add_flag("--allow-any-target", o->allowAnyTarget,
                    "let /probe poll any address, not only the configured printers: whoever reaches the server "
                    "can then make this host connect anywhere");
    serve->add_flag("--probe-only", o->probeOnly,
                    "poll nothing on a schedule: the configured printers are polled when /probe asks (one "
                    "instance of several that Prometheus shards a fleet over)");
    AddAnswerOptions(serve, o->answers);
    serve->remove_option(serve->get_option("--json"));  // the server's outputs are its HTTP paths
    AddDeviceIdOptions(serve, o->deviceId, true);
    AddPrinterMibOptions(serve, o->mib);
    AddTimeOptions(serve, o->times);
    serve->add_flag("--force", o->force,
                    "send the PJL query even to a device whose command set names no PJL (it may print it as text)");
    serve->footer(std::string("Paths: / (status page), /metrics (Prometheus), /probe?target=HOST[:PORT] (poll one "
                              "configured printer now), /api/printers (the latest results as poll --json prints "
                              "them). SIGINT or SIGTERM stops the server; it then exits 0.\n\n") +
                  ExitCodeTable());
    serve->callback([o, &run] {
        ServeCommand c;
        Target where = Checked(o->listen, true);
        c.host = where.host;
        c.port = where.port;
        for (const std::string &text : o->printers) c.targets.push_back(Checked(text));
        c.targetsFile = o->targets;
        c.sourceChoice = o->deviceId.choice();
        c.settings = NetworkPollSettings(o->answers, o->deviceId, o->times, o->mib, o->force, o->concurrency);
        c.interval = Milliseconds(o->interval);
        c.allowAnyTarget = o->allowAnyTarget;
        c.probeOnly = o->probeOnly;
        run = [c](const std::string &module, std::ostream &out, std::ostream &err) {
            return WithModule(module, err, [&](const Module &m) { return RunServe(m, c, out, err); });
        };
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
        run = WritingOutput("replay", [c](const std::string &module, std::ostream &out, std::ostream &err) {
            return WithModule(module, err, [&](const Module &m) { return RunReplay(m, c, out, err); });
        });
    });
}

void AddCompare(CLI::App &app, Run &run) {
    struct Options {
        std::string answerFile, with;
        std::vector<std::string> trays;
        std::string mask = "all";
        bool json = false;
        DeviceIdOptions deviceId;
    };
    auto o = std::make_shared<Options>();
    CLI::App *compare = AddSubcommand(
        app, "compare",
        "run a captured answer through two modules (--module, else the linked libpat.so, and --with) and list "
        "every difference");
    compare->add_option("--answer", o->answerFile, "the captured PJL answer stream")->required()->type_name("FILE");
    compare->add_option("--with", o->with, "the second module: an ELF shared object or a PE32 DLL")
        ->required()
        ->type_name("FILE");
    compare->add_option("--mask", o->mask, "categories: a number or names: " + MaskNames())->check(kMask)->capture_default_str();
    compare->add_option("--tray", o->trays, "a tray code the record lists before the query is built (repeatable)")
        ->type_name("CODE")
        ->check(kTrayCode);
    AddDeviceIdOptions(compare, o->deviceId, false);
    compare->add_flag("--json", o->json, "print the comparison as one JSON object");
    compare->callback([o, &run] {
        CompareCommand c;
        c.replay.answerFile = o->answerFile;
        c.replay.deviceIdSource = o->deviceId.source();
        c.replay.mask = *ParseMask(o->mask);
        for (const std::string &tray : o->trays) c.replay.trays.push_back(static_cast<uint16_t>(std::stoul(tray)));
        c.replay.output.json = o->json;
        c.with = o->with;
        run = WritingOutput("compare", [c](const std::string &module, std::ostream &out, std::ostream &err) {
            return WithModule(module, err, [&](const Module &first) {
                return WithModule(c.with, err,
                                  [&](const Module &second) { return RunCompare(first, second, c, out, err); });
            });
        });
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
        run = WritingOutput("query", [c](const std::string &module, std::ostream &out, std::ostream &err) {
            return WithModule(module, err, [&](const Module &m) { return RunQuery(m, c, out, err); });
        });
    });
}

void AddSimulate(CLI::App &app, Run &run) {
    struct Options {
        std::string listen = "127.0.0.1:9100";
        std::string profile, fault = "none";
        unsigned dripMs = 50;
        bool printProfile = false;
        uint16_t snmpPort = 0;
        std::string snmpFault = "none";
        unsigned count = 1;
    };
    auto o = std::make_shared<Options>();
    CLI::App *simulate = AddSubcommand(app, "simulate", "a PJL printer answering from a profile (loopback unless told)");
    simulate->add_option("--listen", o->listen, "address and port to listen on; port 0 picks a free one")
        ->type_name("ADDRESS:PORT")
        ->check(kListenAddress)
        ->capture_default_str();
    simulate->add_option("--profile", o->profile,
                         "profile JSON (see README), or a built-in printer: builtin:mono-pjl (the default), "
                         "builtin:pcl-colour (no PJL, a colour Printer MIB)")
        ->type_name("FILE");
    simulate->add_option("--fault", o->fault, "misbehave: " + sim::FaultNames())
        ->check(CLI::IsMember(sim::FaultNameList()).description(""))
        ->capture_default_str();
    simulate->add_option("--drip-ms", o->dripMs, "with --fault drip: milliseconds between bytes")
        ->check(CLI::Range(1u, std::numeric_limits<unsigned>::max()).description(""))
        ->capture_default_str();
    simulate->add_flag("--print-profile", o->printProfile,
                       "print the built-in profile (or a builtin:NAME one), or check a --profile file, and exit");
    auto *snmpPort = simulate->add_option("--snmp-port", o->snmpPort,
                                          "also serve the profile's device ID (ppmPrinterIEEE1284DeviceId) and its "
                                          "printerMib as the Printer MIB over SNMP on this UDP port (0: a free one); "
                                          "with --count, one agent answers for every printer")
                         ->check(CLI::Range(0, 65535));
    simulate->add_option("--snmp-fault", o->snmpFault, "let the SNMP agent misbehave: " + sim::SnmpFaultNames())
        ->check(CLI::IsMember(sim::SnmpFaultNameList()).description(""))
        ->needs(snmpPort)
        ->capture_default_str();
    auto *count = simulate->add_option("--count", o->count,
                                       "simulate this many printers, one per port: from the --listen port on "
                                       "(0: free ports), for fleet tests")
                      ->check(CLI::Range(1u, 60000u))
                      ->capture_default_str();
    simulate->callback([o, snmpPort, count, &run] {
        SimulateCommand c;
        c.count = o->count;
        if (count->count() && o->count > 1 && Checked(o->listen, true).port != 0 &&
            Checked(o->listen, true).port + o->count - 1 > 65535)
            throw CLI::ValidationError("--count", "the ports from --listen's on run past 65535");
        if (snmpPort->count()) c.snmp.port = o->snmpPort;
        c.snmp.fault = *sim::ParseSnmpFault(o->snmpFault);
        Target where = Checked(o->listen, true);
        c.server.host = where.host;
        c.server.port = where.port;
        c.server.fault = *sim::ParseFault(o->fault);
        c.server.drip = std::chrono::milliseconds(o->dripMs);
        c.profileFile = o->profile;
        c.printProfile = o->printProfile;
        run = [c](const std::string &, std::ostream &out, std::ostream &err) { return RunSimulate(c, out, err); };
    });
}

void AddDemo(CLI::App &app, Run &run) {
    struct Options {
        std::string listen = "127.0.0.1:0";
        std::string profile, fault = "none", snmpFault = "none";
        TimeOptions times;
        bool json = false;
    };
    auto o = std::make_shared<Options>();
    CLI::App *demo = AddSubcommand(app, "demo", "simulate a printer on a free loopback port, poll it once, print the result");
    demo->add_option("--listen", o->listen, "where the simulated printer listens; port 0 picks a free one")
        ->type_name("ADDRESS:PORT")
        ->check(kListenAddress)
        ->capture_default_str();
    demo->add_option("--profile", o->profile,
                     "one printer from this profile (JSON, or builtin:NAME as simulate takes); otherwise two "
                     "built-in ones, a PJL printer and a PCL-only colour printer")
        ->type_name("FILE");
    demo->add_option("--fault", o->fault, "let the simulated printer misbehave: " + sim::FaultNames())
        ->check(CLI::IsMember(sim::FaultNameList()).description(""))
        ->capture_default_str();
    demo->add_option("--snmp-fault", o->snmpFault, "let its SNMP agent misbehave: " + sim::SnmpFaultNames())
        ->check(CLI::IsMember(sim::SnmpFaultNameList()).description(""))
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
        c.snmp.fault = *sim::ParseSnmpFault(o->snmpFault);
        c.limits = o->times.limits(kDefaultMaxBytes);
        c.output.json = o->json;
        run = WritingOutput("demo", [c](const std::string &module, std::ostream &out, std::ostream &err) {
            return WithModule(module, err, [&](const Module &m) { return RunDemo(m, c, out, err); });
        });
    });
}

}  // namespace

int RunCli(int argc, const char *const *argv, std::ostream &out, std::ostream &err) {
    CLI::App app{"pat-host: polls PJL printers through the printer data module (libpat.so), simulates one, "
                 "replays captured answers and shows the module's queries.",
                 "pat-host"};
    app.require_subcommand(1);
    app.footer(std::string(kModuleWarning) + "\n\n" + ExitCodeTable());
    std::string module;
    app.add_option("--module", module,
                   "the module to run: an ELF shared object (dlopen) or a PE32 DLL (the PE loader); the linked "
                   "libpat.so otherwise. Its code runs in pat-host: trusted modules only")
        ->type_name("FILE");
    Run run;
    AddPoll(app, run);
    AddReplay(app, run);
    AddQuery(app, run);
    AddCompare(app, run);
    AddSimulate(app, run);
    AddDemo(app, run);
    AddServe(app, run);

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
        return ExitCodeOf(run(module, out, err));
    } catch (const std::exception &failure) {
        // Out of memory or a broken invariant: nothing a printer did.
        err << "pat-host " << app.get_subcommands().front()->get_name() << ": internal error: " << failure.what() << '\n';
        return ExitCodeOf(OutcomeKind::InternalError);
    }
}

}  // namespace pathost
