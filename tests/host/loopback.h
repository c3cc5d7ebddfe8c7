// Simulated printers and the poller on one io_context, over loopback.
#ifndef PAT_HOST_TESTS_LOOPBACK_H
#define PAT_HOST_TESTS_LOOPBACK_H

#include <boost/asio/io_context.hpp>
#include <chrono>
#include <memory>
#include <vector>

#include "module/module_loading.h"
#include "schedule/scheduler.h"
#include "sources/text_source.h"
#include "simulator/server.h"

namespace pathost::test {

// Short timeouts keep the fault tests fast; loopback answers in far less.
inline SessionLimits ShortLimits() {
    SessionLimits limits;
    limits.overall = std::chrono::milliseconds(800);
    limits.idle = std::chrono::milliseconds(300);
    limits.maxBytes = 64 * 1024;
    return limits;
}

class Loopback {
public:
    sim::Server &AddPrinter(sim::Profile profile, sim::Fault fault = sim::Fault::None) {
        sim::ServerOptions options;
        options.port = 0;
        options.fault = fault;
        options.drip = std::chrono::milliseconds(20);
        servers_.push_back(std::make_unique<sim::Server>(io_, options, std::move(profile)));
        return *servers_.back();
    }

    static Target TargetOf(const sim::Server &server) { return Target{"127.0.0.1", server.port()}; }

    // Device ID from the profile, as a USB port would give it.
    // The linked libpat.so, loaded once for every test.
    static const Module &LinkedLibrary() {
        static LoadedModule linked = LinkedModule();
        return **linked;
    }

    static PollSettings SettingsFor(const sim::Profile &profile) {
        PollSettings settings;
        settings.module = &LinkedLibrary();
        settings.limits = ShortLimits();
        settings.deviceIdSource = TextSource(sim::DeviceIdBytes(profile));
        return settings;
    }

    struct Run {
        std::vector<PollOutcome> outcomes;
        int exitCode = 0;
        std::chrono::milliseconds elapsed{0};
    };

    // Runs until every poll (and watch) is done; outcomes in report order.
    Run Poll(std::vector<Target> targets, PollSettings settings, Report extra = nullptr) {
        Run run;
        auto start = std::chrono::steady_clock::now();
        SchedulePolicy policy = PollSchedule(settings);
        Scheduler runner(io_, WithSettings(targets, settings), policy, [&](size_t, const PollOutcome &outcome, auto) {
            run.outcomes.push_back(outcome);
            if (extra) extra(outcome);
        });
        runner.OnAllDone([this] { io_.stop(); });
        runner.Start();
        io_.run();
        io_.restart();
        run.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        run.exitCode = ExitCodeOf(runner.Result());
        return run;
    }

    boost::asio::io_context &io() { return io_; }

private:
    boost::asio::io_context io_;
    std::vector<std::unique_ptr<sim::Server>> servers_;
};

}  // namespace pathost::test

#endif
