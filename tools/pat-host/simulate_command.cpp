#include <asio/signal_set.hpp>
#include <fstream>
#include <sstream>

#include "commands.h"
#include "exit_codes.h"

namespace pathost {

bool LoadProfile(const std::string &file, sim::Profile *profile, int *exitCode, std::ostream &err) {
    if (file.empty()) {
        *profile = sim::DefaultProfile();
        return true;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        err << "pat-host: cannot open the profile " << file << '\n';
        *exitCode = kExitNoInput;
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    try {
        *profile = sim::ParseProfile(text.str());
    } catch (const sim::ProfileError &error) {
        err << "pat-host: profile " << file << ": " << error.what() << '\n';
        *exitCode = kExitDataError;
        return false;
    }
    return true;
}

int RunSimulate(const SimulateCommand &command, std::ostream &out, std::ostream &err) {
    if (command.printProfile && command.profileFile.empty()) {
        out << sim::DefaultProfileJson();
        return kExitOk;
    }
    sim::Profile profile;
    int exitCode = kExitOk;
    if (!LoadProfile(command.profileFile, &profile, &exitCode, err)) return exitCode;
    if (command.printProfile) {
        out << "profile " << command.profileFile << " is valid\n";
        return kExitOk;
    }
    asio::io_context io;
    std::unique_ptr<sim::Server> server;
    try {
        server = std::make_unique<sim::Server>(io, command.server, profile);
    } catch (const std::exception &error) {
        err << "pat-host: cannot listen on " << command.server.host << ":" << command.server.port << ": " << error.what()
            << '\n';
        return kExitUnavailable;
    }
    out << "pat-host simulate: PJL printer \"" << profile.model << "\" listening on " << command.server.host << ":"
        << server->port() << " (fault: " << sim::FaultName(command.server.fault) << "); Ctrl-C stops it" << std::endl;
    asio::signal_set signals(io, SIGINT, SIGTERM);
    signals.async_wait([&](const asio::error_code &, int) {
        server->Stop();
        io.stop();
    });
    io.run();
    return kExitOk;
}

}  // namespace pathost
