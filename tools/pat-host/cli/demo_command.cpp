// The project's main job in one command: a simulated printer on a free
// loopback port, polled once, the result printed.
#include "cli/commands.h"
#include "sources/snmp_source.h"
#include "report/report.h"
#include "report/visible_text.h"
#include "transport/stop_signals.h"

namespace pathost {

OutcomeKind RunDemo(const Module &module, const DemoCommand &command, std::ostream &out, std::ostream &err) {
    sim::Profile profile;
    if (OutcomeKind failure = LoadProfile(command.profileFile, &profile, err); !Succeeded(failure)) return failure;
    boost::asio::io_context io;
    sim::ServerOptions options;
    options.host = command.host;
    options.port = command.port;
    options.fault = command.fault;
    std::unique_ptr<sim::Server> server = StartServer(io, options, profile, err);
    if (!server) return OutcomeKind::CannotListen;
    std::unique_ptr<sim::SnmpResponder> agent = StartSnmpAgent(io, command.host, command.snmp, profile, err);
    if (!agent) return OutcomeKind::CannotListen;

    PollSettings settings;
    settings.module = &module;
    settings.limits = command.limits;
    // A raw TCP port carries no device ID: the demo asks the simulated
    // printer's SNMP agent for it, as a network poll does.
    SnmpSettings snmp;
    snmp.port = agent->port();
    settings.deviceIdSource = SnmpSource(snmp, false);
    // Its Printer MIB too: supplies and alerts beside what PJL answers.
    settings.printerMib = {MibMode::Auto, snmp, 1000};
    Target target{command.host, server->port()};
    if (!command.output.json) {
        out << "pat-host demo: a simulated PJL printer (" << (command.profileFile.empty() ? "built-in profile" : command.profileFile)
            << ", fault: " << sim::FaultName(command.fault) << ") listens on " << target.Label()
            << ", its SNMP agent (fault: " << sim::SnmpFaultName(command.snmp.fault) << ") on UDP port " << agent->port()
            << "; polling it once for every category.\n"
            << "Device ID the agent serves as ppmPrinterIEEE1284DeviceId: " << ShowPjl(sim::DeviceIdText(profile))
            << "\n\n";
    }
    Report report = [&](const PollOutcome &outcome) {
        if (command.output.json)
            PrintJson(out, outcome);
        else
            PrintText(out, outcome);
    };
    Scheduler runner(io, WithSettings({target}, settings), PollSchedule(settings),
                     [&](size_t, const PollOutcome &outcome, auto) { report(outcome); });
    StopSignals signals(io, [&](int) {
        runner.Interrupt();
        io.stop();
    });
    runner.OnAllDone([&] {
        signals.Cancel();
        server->Stop();
        agent->Stop();
        io.stop();
    });
    runner.Start();
    io.run();
    return runner.Result();
}

}  // namespace pathost
