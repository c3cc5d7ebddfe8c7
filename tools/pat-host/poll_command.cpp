#include <asio/signal_set.hpp>
#include <fstream>

#include "commands.h"
#include "exit_codes.h"
#include "report.h"

namespace pathost {

int RunPoll(const PollCommand &command, std::ostream &out, std::ostream &err) {
    if (command.settings.deviceIdSource.kind == DeviceIdSource::Kind::None &&
        (command.settings.mask & kDeviceIdCategories))
        err << "pat-host: no device ID source (--device-id, --device-id-file, --usb): polling without the status, "
               "identity and engine-status categories\n";
    std::ofstream capture;
    if (!command.captureFile.empty()) {
        capture.open(command.captureFile, std::ios::binary | std::ios::trunc);
        if (!capture) {
            err << "pat-host: cannot write the capture file " << command.captureFile << '\n';
            return kExitNoInput;
        }
    }
    asio::io_context io;
    asio::signal_set signals(io, SIGINT, SIGTERM);
    Report report = [&](const PollOutcome &outcome) {
        if (command.output.json)
            PrintJson(out, outcome);
        else
            PrintText(out, outcome);
    };
    PollSettings settings = command.settings;
    if (capture.is_open()) settings.capture = [&](const std::string &bytes) { capture.write(bytes.data(), static_cast<std::streamsize>(bytes.size())); };
    PollRunner runner(io, command.targets, settings, report);
    runner.OnAllDone([&] { signals.cancel(); });
    signals.async_wait([&](const asio::error_code &ec, int) {
        if (!ec) io.stop();
    });
    runner.Start();
    io.run();
    return runner.ExitCode();
}

}  // namespace pathost
