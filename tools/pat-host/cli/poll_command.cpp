#include <errno.h>
#include <string.h>

#include <fstream>
#include <optional>

#include <boost/asio/post.hpp>

#include "cli/commands.h"
#include "cli/standard_streams.h"
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
    std::optional<Failure> outputFailed;  // the first write to standard output that failed
    std::function<void()> stop;
    Report report = [&](const PollOutcome &outcome) {
        if (outputFailed) return;
        if (command.output.json)
            PrintJson(out, outcome);
        else
            PrintText(out, outcome);
        // Each result is flushed as it is known; once one cannot be written,
        // polling on (a --watch runs for ever) would only load the printers.
        if (Expected<void> written = Flushed(out, "standard output"); !written) {
            outputFailed = written.error();
            boost::asio::post(io, stop);  // not from inside the runner's own report
        }
    };
    PollSettings settings = command.settings;
    settings.module = &module;
    if (capture.is_open())
        settings.capture = [&](const std::string &bytes) -> Expected<void> {
            errno = 0;
            capture.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            if (capture.flush()) return {};
            int error = errno;
            std::string message = "cannot write the capture file " + command.captureFile +
                                  (error != 0 ? std::string(": ") + strerror(error) : "");
            err << "pat-host poll: " << message << '\n';
            return Fail(OutcomeKind::OutputError, std::move(message));
        };
    Scheduler runner(io, WithSettings(command.targets, settings), PollSchedule(settings),
                     [&](size_t, const PollOutcome &outcome, auto) { report(outcome); });
    stop = [&] {
        runner.Interrupt();
        io.stop();
    };
    // Before Start: the resolver's thread must inherit the blocked signals.
    StopSignals signals(io, [&](int) {
        runner.Interrupt();
        io.stop();  // a name lookup in flight cannot be cancelled; nothing waits for it
    });
    runner.OnAllDone([&] { signals.Cancel(); });
    runner.Start();
    io.run();
    if (outputFailed) {
        err << "pat-host poll: " << outputFailed->message << '\n';
        return outputFailed->kind;
    }
    return runner.Result();
}

}  // namespace pathost
