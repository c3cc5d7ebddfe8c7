#include <signal.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <thread>
#include <unordered_set>

#include "cli/commands.h"
#include "input/input_file.h"
#include "serve/fleet.h"
#include "serve/http_server.h"
#include "serve/routes.h"
#include "transport/listener.h"
#include "transport/stop_signals.h"

namespace pathost {

namespace {

// The command line's targets, then the file's; one poll schedule per address.
OutcomeKind CollectTargets(const ServeCommand &command, std::vector<serve::FleetTarget> *targets, std::ostream &err) {
    for (const Target &target : command.targets) targets->push_back({target, command.settings});
    if (!command.targetsFile.empty()) {
        Expected<std::string> text = ReadInputFile(command.targetsFile, "the targets file");
        if (!text) {
            err << "pat-host serve: " << text.error().message << '\n';
            return text.error().kind;
        }
        auto parsed = serve::ParseTargetsFile(*text, command.targetsFile, command.settings, command.sourceChoice);
        if (!parsed) {
            err << "pat-host serve: " << parsed.error().message << '\n';
            return parsed.error().kind;
        }
        for (serve::FleetTarget &target : *parsed) targets->push_back(std::move(target));
    }
    if (targets->empty()) {
        err << "pat-host serve: no printers to poll: name them (HOST[:PORT]...) or give --targets FILE\n";
        return OutcomeKind::Usage;
    }
    std::unordered_set<std::string> seen;
    for (const serve::FleetTarget &target : *targets)
        if (!seen.insert(target.target.Label()).second) {
            err << "pat-host serve: " << target.target.Label()
                << " is named twice; each printer is polled on one schedule\n";
            return command.targetsFile.empty() ? OutcomeKind::Usage : OutcomeKind::DataError;
        }
    return OutcomeKind::Ok;
}

// One line when a printer stops or starts answering, not one per poll.
class StateLog {
public:
    StateLog(const serve::Fleet &fleet, std::ostream &err) : fleet_(fleet), err_(err), up_(fleet.size(), -1) {}
    // After a reload: a target keeps what was known of it, by its address.
    void Reloaded(const std::vector<std::string> &labelsBefore) {
        std::vector<int> up(fleet_.size(), -1);
        for (size_t before = 0; before < labelsBefore.size(); ++before)
            if (std::optional<size_t> now = fleet_.Find(labelsBefore[before])) up[*now] = up_[before];
        up_ = std::move(up);
    }
    void Finished(size_t index) {
        const PollOutcome &last = *fleet_.status(index).last;
        int up = Succeeded(last.kind) ? 1 : 0;
        if (up == up_[index]) return;
        if (up)
            err_ << "pat-host serve: " << last.address << " answers" << (up_[index] == 0 ? " again" : "") << std::endl;
        else
            err_ << "pat-host serve: " << last.address << " does not answer: " << last.message << std::endl;
        up_[index] = up;
    }

private:
    const serve::Fleet &fleet_;
    std::ostream &err_;
    std::vector<int> up_;  // -1 before the first poll
};

// The HTTP side's thread: stopped and joined however the server ends; what
// ended it early (out of memory) ends the server too, and is rethrown.
class WebThread {
public:
    WebThread(boost::asio::io_context &web, std::function<void()> failed) : web_(web) {
        thread_ = std::thread([this, failed = std::move(failed)] {
            try {
                web_.run();
            } catch (...) {
                failure_ = std::current_exception();
                failed();
            }
        });
    }
    ~WebThread() {
        web_.stop();
        if (thread_.joinable()) thread_.join();
    }
    void Join() {
        web_.stop();
        thread_.join();
        if (failure_) std::rethrow_exception(failure_);
    }

private:
    boost::asio::io_context &web_;
    std::thread thread_;
    std::exception_ptr failure_;
};

}  // namespace

OutcomeKind RunServe(const Module &module, const ServeCommand &command, std::ostream &out, std::ostream &err) {
    // The HTTP side, on a thread of its own: a scrape never waits behind
    // polls. It outlives io, whose queued probe answers hold its connections.
    boost::asio::io_context web;
    boost::asio::io_context io;  // the polls, the signals, the reloads and the probes
    // The module reads the answers beside the polling thread: a flooding
    // printer's megabytes hold up no other printer's poll. Gone before io.
    RoundWorker rounds;
    PollSettings settings = command.settings;
    settings.module = &module;
    settings.roundWorker = &rounds;
    ServeCommand resolved = command;
    resolved.settings = settings;
    std::vector<serve::FleetTarget> targets;
    if (OutcomeKind failure = CollectTargets(resolved, &targets, err); !Succeeded(failure)) return failure;

    // A server outlives its log: when the pipe its standard error goes to
    // closes, a write fails (and the stream stops logging) instead of killing it.
    signal(SIGPIPE, SIG_IGN);
    // Before anything resolves a name: the resolver's thread inherits the mask.
    std::unique_ptr<StopSignals> signals;
    serve::Schedule schedule = ServeSchedule(command.interval, settings.concurrency, !command.probeOnly);
    size_t count = targets.size();
    std::unique_ptr<StateLog> log;
    std::unique_ptr<serve::Routes> routes;
    serve::Fleet fleet(io, std::move(targets), schedule, [&](size_t index) {
        routes->Refresh(index);
        log->Finished(index);
    });
    log = std::make_unique<StateLog>(fleet, err);
    serve::ProbeOptions probe{command.allowAnyTarget, settings, settings.limits.overall};
    routes = std::make_unique<serve::Routes>(io, fleet, module.identity, probe);
    std::unique_ptr<serve::HttpServer> server;
    try {
        boost::asio::ip::tcp::endpoint where(boost::asio::ip::make_address(command.host), command.port);
        server = std::make_unique<serve::HttpServer>(
            web, where, serve::HttpLimits{},
            [&](const serve::HttpRequest &request, std::function<void(serve::HttpResponse)> respond) {
                routes->Handle(request, std::move(respond));
            });
    } catch (const boost::system::system_error &error) {
        err << "pat-host serve: " << CannotListen(Target{command.host, command.port}.Label(), error)
            << "; choose another with --listen ADDRESS:PORT\n";
        return OutcomeKind::CannotListen;
    }
    // SIGHUP re-reads the targets file, as Prometheus and its exporters do; a
    // file that does not validate leaves the targets in force.
    auto reload = [&] {
        std::vector<serve::FleetTarget> reread;
        std::ostringstream why;
        OutcomeKind read = CollectTargets(resolved, &reread, why);
        if (!Succeeded(read)) {
            std::string message = why.str();
            if (!message.empty() && message.back() == '\n') message.pop_back();
            if (message.starts_with("pat-host serve: ")) message.erase(0, 16);
            err << "pat-host serve: SIGHUP: reload refused, still polling " << fleet.size() << " printer"
                << (fleet.size() == 1 ? "" : "s") << ": " << message << std::endl;
            return;
        }
        std::vector<std::string> before;
        for (size_t i = 0; i < fleet.size(); ++i) before.push_back(fleet.target(i).target.Label());
        size_t kept = 0;
        for (const serve::FleetTarget &target : reread)
            kept += std::find(before.begin(), before.end(), target.target.Label()) != before.end();
        size_t now = reread.size();
        fleet.Reload(std::move(reread));
        routes->RefreshAll();
        log->Reloaded(before);
        err << "pat-host serve: SIGHUP: reloaded, " << now << " printer" << (now == 1 ? "" : "s") << " ("
            << now - kept << " added, " << before.size() - kept << " removed)" << std::endl;
    };
    signals = std::make_unique<StopSignals>(
        io,
        [&](int) {
            fleet.Stop();
            server->Stop();
            web.stop();
            io.stop();  // a name lookup in flight cannot be cancelled; nothing waits for it
        },
        reload);
    Target listening{server->endpoint().address().to_string(), server->endpoint().port()};
    out << "pat-host serve: " << (command.probeOnly ? "probing " : "polling ") << count << " printer"
        << (count == 1 ? "" : "s");
    if (command.probeOnly)
        out << " when /probe asks";
    else
        out << " every " << std::chrono::duration<double>(command.interval).count() << " s";
    out << "; serving http://" << listening.Label()
        << "/ (status page), /metrics, /probe?target=HOST[:PORT], /api/printers; Ctrl-C stops it" << std::endl;
    if (!server->endpoint().address().is_loopback())
        err << "pat-host serve: listening beyond loopback: whoever reaches " << listening.Label()
            << " sees this fleet" << (command.allowAnyTarget ? " and can make this host connect anywhere" : "")
            << std::endl;
    // After the signal mask is set, which the thread inherits.
    WebThread answering(web, [&io] { boost::asio::post(io, [&io] { io.stop(); }); });
    fleet.Start();
    io.run();
    answering.Join();  // rethrows what ended it (out of memory)
    // Told to stop is how a server ends normally: success.
    return OutcomeKind::Ok;
}

}  // namespace pathost
