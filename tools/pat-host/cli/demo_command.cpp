// The project's main job in one command: simulated printers on free loopback
// ports, each with its SNMP agent, polled once, the results printed. Without
// a profile, two: a PJL printer whose Printer MIB adds supplies and alerts,
// and a colour printer that speaks no PJL, whose record comes from its
// Printer MIB alone.
#include "cli/commands.h"
#include "sources/snmp_source.h"
#include "report/report.h"
#include "report/visible_text.h"
#include "transport/stop_signals.h"

namespace pathost {

namespace {

struct DemoPrinter {
    std::string profileName;
    sim::Profile profile;
    std::unique_ptr<sim::Server> server;
    std::unique_ptr<sim::SnmpResponder> agent;
};

}  // namespace

OutcomeKind RunDemo(const Module &module, const DemoCommand &command, std::ostream &out, std::ostream &err) {
    std::vector<std::string> profiles = {command.profileFile};
    if (command.profileFile.empty()) profiles = {"", std::string(sim::kBuiltInPrefix) + "pcl-colour"};
    boost::asio::io_context io;
    std::vector<DemoPrinter> printers(profiles.size());
    std::vector<ScheduledTarget> targets;
    for (size_t i = 0; i < printers.size(); ++i) {
        DemoPrinter &p = printers[i];
        p.profileName = profiles[i].empty() ? "built-in profile" : profiles[i];
        if (OutcomeKind failure = LoadProfile(profiles[i], &p.profile, err); !Succeeded(failure)) return failure;
        sim::ServerOptions options;
        options.host = command.host;
        options.port = command.port == 0 ? 0 : static_cast<uint16_t>(command.port + i);
        options.fault = command.fault;
        p.server = StartServer(io, options, p.profile, err);
        if (!p.server) return OutcomeKind::CannotListen;
        p.agent = StartSnmpAgent(io, command.host, command.snmp, p.profile, err);
        if (!p.agent) return OutcomeKind::CannotListen;

        PollSettings settings;
        settings.module = &module;
        settings.limits = command.limits;
        // A raw TCP port carries no device ID: the demo asks the simulated
        // printer's SNMP agent for it, as a network poll does, and for its
        // Printer MIB.
        SnmpSettings snmp;
        snmp.port = p.agent->port();
        settings.deviceIdSource = SnmpSource(snmp, false);
        settings.printerMib = {MibMode::Auto, snmp, 1000};
        targets.push_back({Target{command.host, p.server->port()}, settings});
    }
    if (!command.output.json) {
        out << "pat-host demo: polling " << printers.size() << (printers.size() == 1 ? " simulated printer" : " simulated printers")
            << " once for every category (fault: " << sim::FaultName(command.fault)
            << ", SNMP fault: " << sim::SnmpFaultName(command.snmp.fault) << ").\n";
        for (size_t i = 0; i < printers.size(); ++i)
            out << "  " << printers[i].profile.model << " (" << printers[i].profileName << ") on "
                << targets[i].target.Label() << ", its SNMP agent on UDP port " << printers[i].agent->port()
                << "; device ID: " << ShowPjl(sim::DeviceIdText(printers[i].profile)) << "\n";
        out << "\n";
    }
    // Printed in the order listed once every poll is done, whichever ends first.
    std::vector<std::optional<PollOutcome>> outcomes(targets.size());
    SchedulePolicy schedule = PollSchedule(targets.front().settings);
    Scheduler runner(io, std::move(targets), schedule,
                     [&](size_t i, const PollOutcome &outcome, auto) { outcomes[i] = outcome; });
    StopSignals signals(io, [&](int) {
        runner.Interrupt();
        io.stop();
    });
    runner.OnAllDone([&] {
        signals.Cancel();
        for (DemoPrinter &p : printers) {
            p.server->Stop();
            p.agent->Stop();
        }
        io.stop();
    });
    runner.Start();
    io.run();
    for (const std::optional<PollOutcome> &outcome : outcomes) {
        if (!outcome) continue;
        if (command.output.json)
            PrintJson(out, *outcome);
        else
            PrintText(out, *outcome);
    }
    return runner.Result();
}

}  // namespace pathost
