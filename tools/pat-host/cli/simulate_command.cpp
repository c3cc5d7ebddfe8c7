#include <sys/resource.h>


#include "cli/commands.h"
#include "transport/listener.h"
#include "input/input_file.h"
#include "transport/stop_signals.h"

namespace pathost {

namespace {

Expected<std::string> BuiltInProfileText(const std::string &name) {
    if (const std::string *json = sim::BuiltInProfileJson(std::string_view(name).substr(sim::kBuiltInPrefix.size())))
        return *json;
    std::string names;
    for (const std::string &known : sim::BuiltInProfileNames()) names += (names.empty() ? "builtin:" : ", builtin:") + known;
    return Fail(OutcomeKind::Usage, "there is no built-in profile " + name + "; there are " + names);
}

}  // namespace

OutcomeKind LoadProfile(const std::string &file, sim::Profile *profile, std::ostream &err) {
    if (file.empty()) {
        *profile = sim::DefaultProfile();
        return OutcomeKind::Ok;
    }
    Expected<std::string> text =
        file.starts_with(sim::kBuiltInPrefix) ? BuiltInProfileText(file) : ReadInputFile(file, "the profile");
    if (!text) {
        err << "pat-host: " << text.error().message << '\n';
        return text.error().kind;
    }
    Expected<sim::Profile> parsed = sim::ParseProfile(*text);
    if (!parsed) {
        err << "pat-host: profile " << file << ": " << parsed.error().message << '\n';
        return parsed.error().kind;
    }
    *profile = std::move(*parsed);
    return OutcomeKind::Ok;
}

std::unique_ptr<sim::Server> StartServer(boost::asio::io_context &io, const sim::ServerOptions &options,
                                         const sim::Profile &profile, std::ostream &err) {
    try {
        return std::make_unique<sim::Server>(io, options, profile);
    } catch (const boost::system::system_error &error) {
        err << "pat-host: " << CannotListen(options.host + ":" + std::to_string(options.port), error) << '\n';
        return nullptr;
    }
}

std::unique_ptr<sim::SnmpResponder> StartSnmpAgent(boost::asio::io_context &io, const std::string &host,
                                                   const SnmpAgentOptions &options, const sim::Profile &profile,
                                                   std::ostream &err) {
    try {
        boost::asio::ip::udp::endpoint where(boost::asio::ip::make_address(host), options.port.value_or(0));
        return std::make_unique<sim::SnmpResponder>(io, where, sim::PrinterMibTable(profile), options.fault);
    } catch (const std::system_error &error) {
        err << "pat-host: cannot listen for SNMP on " << host << ":" << options.port.value_or(0) << " (UDP): "
            << error.code().message() << '\n';
        return nullptr;
    }
}

namespace {

// Many printers in one process, for fleet tests and benchmarks: a listening
// socket each, so the descriptor limit is raised as far as it may go.
OutcomeKind RunFleetSimulation(boost::asio::io_context &io, const SimulateCommand &command,
                               const sim::Profile &profile, std::ostream &out, std::ostream &err) {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
    std::vector<std::unique_ptr<sim::Server>> servers;
    std::string ports;
    for (unsigned i = 0; i < command.count; ++i) {
        sim::ServerOptions options = command.server;
        if (options.port != 0) options.port = static_cast<uint16_t>(options.port + i);
        servers.push_back(StartServer(io, options, profile, err));
        if (!servers.back()) return OutcomeKind::CannotListen;
        if (command.server.port == 0) ports += (ports.empty() ? "" : ",") + std::to_string(servers.back()->port());
    }
    if (command.server.port != 0)
        ports = std::to_string(command.server.port) + "-" + std::to_string(command.server.port + command.count - 1);
    // The printers share one address, so one agent stands for all of them.
    std::unique_ptr<sim::SnmpResponder> agent;
    if (command.snmp.port) {
        agent = StartSnmpAgent(io, command.server.host, command.snmp, profile, err);
        if (!agent) return OutcomeKind::CannotListen;
    }
    out << "pat-host simulate: " << command.count << " PJL printers \"" << profile.model << "\" listening on "
        << command.server.host << " ports " << ports << " (fault: " << sim::FaultName(command.server.fault) << ")";
    if (agent)
        out << ", their SNMP agent on UDP port " << agent->port() << " (fault: " << sim::SnmpFaultName(command.snmp.fault)
            << ")";
    out << "; Ctrl-C stops them" << std::endl;
    StopSignals signals(io, [&](int) {
        for (auto &server : servers) server->Stop();
        if (agent) agent->Stop();
        io.stop();
    });
    io.run();
    return OutcomeKind::Ok;
}

}  // namespace

OutcomeKind RunSimulate(const SimulateCommand &command, std::ostream &out, std::ostream &err) {
    if (command.printProfile && (command.profileFile.empty() || command.profileFile.starts_with(sim::kBuiltInPrefix))) {
        Expected<std::string> json =
            command.profileFile.empty() ? sim::DefaultProfileJson() : BuiltInProfileText(command.profileFile);
        if (!json) {
            err << "pat-host: " << json.error().message << '\n';
            return json.error().kind;
        }
        out << *json;
        return OutcomeKind::Ok;
    }
    sim::Profile profile;
    if (OutcomeKind failure = LoadProfile(command.profileFile, &profile, err); !Succeeded(failure)) return failure;
    if (command.printProfile) {
        out << "profile " << command.profileFile << " is valid\n";
        return OutcomeKind::Ok;
    }
    boost::asio::io_context io;
    if (command.count > 1) return RunFleetSimulation(io, command, profile, out, err);
    std::unique_ptr<sim::Server> server = StartServer(io, command.server, profile, err);
    if (!server) return OutcomeKind::CannotListen;
    std::unique_ptr<sim::SnmpResponder> agent;
    if (command.snmp.port) {
        agent = StartSnmpAgent(io, command.server.host, command.snmp, profile, err);
        if (!agent) return OutcomeKind::CannotListen;
    }
    out << "pat-host simulate: PJL printer \"" << profile.model << "\" listening on " << command.server.host << ":"
        << server->port() << " (fault: " << sim::FaultName(command.server.fault) << ")";
    if (agent)
        out << ", its SNMP agent on UDP port " << agent->port() << " (fault: " << sim::SnmpFaultName(command.snmp.fault)
            << ")";
    out << "; Ctrl-C stops it" << std::endl;
    // Told to stop is how a server ends normally: success.
    StopSignals signals(io, [&](int) {
        server->Stop();
        if (agent) agent->Stop();
        io.stop();
    });
    io.run();
    return OutcomeKind::Ok;
}

}  // namespace pathost
