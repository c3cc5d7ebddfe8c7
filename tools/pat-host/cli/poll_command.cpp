#include <fstream>

#include "cli/commands.h"
#include "report/report.h"
#include "transport/stop_signals.h"

namespace pathost {

OutcomeKind RunPoll(const Module &module, const PollCommand &command, std::ostream &out, std::ostream &err) {
    if (!command.settings.deviceIdSource &&
        (command.settings.mask & kDeviceIdCategories))
        err << "pat-host: no device ID source (--device-id-source none): polling without the status, "
               "identity and engine-status categories\n";
    std::ofstream capture;
    if (!command.captureFile.empty()) {
        capture.open(command.captureFile, std::ios::binary | std::ios::trunc);
        if (!capture) {
            err << "pat-host: cannot create the capture file " << command.captureFile << '\n';
            return OutcomeKind::CannotCreate;
        }
    }
    boost::asio::io_context io;
    Report report = [&](const PollOutcome &outcome) {
        if (command.output.json)
            PrintJson(out, outcome);
        else
            PrintText(out, outcome);
    };
    PollSettings settings = command.settings;
    settings.module = &module;
    if (capture.is_open()) settings.capture = [&](const std::string &bytes) { capture.write(bytes.data(), static_cast<std::streamsize>(bytes.size())); };
    Scheduler runner(io, WithSettings(command.targets, settings), PollSchedule(settings),
                     [&](size_t, const PollOutcome &outcome, auto) { report(outcome); });
    // Before Start: the resolver's thread must inherit the blocked signals.
    StopSignals signals(io, [&](int) {
        runner.Interrupt();
        io.stop();  // a name lookup in flight cannot be cancelled; nothing waits for it
    });
    runner.OnAllDone([&] { signals.Cancel(); });
    runner.Start();
    io.run();
    return runner.Result();
}

}  // namespace pathost
