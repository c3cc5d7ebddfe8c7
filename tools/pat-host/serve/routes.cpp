#include "serve/routes.h"

#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <cmath>
#include <cstdlib>

#include "report/report.h"
#include "serve/metrics.h"
#include "serve/status_page.h"

namespace pathost::serve {

namespace {

namespace http = boost::beast::http;

constexpr const char *kPaths = "/ (status page), /metrics, /probe?target=HOST[:PORT], /api/printers";

HttpResponse Ok(std::string type, std::string body) {
    HttpResponse response;
    response.contentType = std::move(type);
    response.body = std::move(body);
    return response;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One parameter of a query string (a=1&b=2), percent-decoded as forms encode
// it ("+" a space). False when it is malformed.
bool QueryParameter(const std::string &query, const std::string &name, std::string *value) {
    size_t start = 0;
    while (start <= query.size()) {
        size_t end = std::min(query.find('&', start), query.size());
        std::string pair = query.substr(start, end - start);
        size_t equals = pair.find('=');
        if (pair.substr(0, equals) == name) {
            std::string raw = equals == std::string::npos ? "" : pair.substr(equals + 1), decoded;
            for (size_t i = 0; i < raw.size(); ++i) {
                if (raw[i] == '+') {
                    decoded += ' ';
                } else if (raw[i] == '%') {
                    int high = i + 2 < raw.size() ? HexDigit(raw[i + 1]) : -1;
                    int low = i + 2 < raw.size() ? HexDigit(raw[i + 2]) : -1;
                    if (high < 0 || low < 0) return false;
                    decoded += static_cast<char>(high * 16 + low);
                    i += 2;
                } else {
                    decoded += raw[i];
                }
            }
            *value = decoded;
            return true;
        }
        start = end + 1;
    }
    value->clear();
    return true;
}

}  // namespace

std::chrono::milliseconds ProbeBudget(const std::string &header, std::chrono::milliseconds fallback) {
    char *end = nullptr;
    double seconds = header.empty() ? NAN : std::strtod(header.c_str(), &end);
    if (!std::isfinite(seconds) || end == nullptr || *end != '\0') return fallback;
    auto budget = std::chrono::milliseconds(std::llround((seconds - 0.5) * 1000));
    return std::clamp(budget, std::chrono::milliseconds(500), fallback);
}

Routes::Routes(boost::asio::io_context &io, const Fleet &fleet, ModuleIdentity module, ProbeOptions probe)
    : io_(io), fleet_(fleet), module_(std::move(module)), probe_(std::move(probe)) {
    RefreshAll();
}

void Routes::RefreshAll() {
    auto samples = std::make_shared<FleetSamples>(fleet_.size());
    for (size_t i = 0; i < fleet_.size(); ++i) samples->Set(i, SamplesOf(fleet_.status(i).label, fleet_.status(i)));
    std::lock_guard guard(*fleet_.lock());
    samples_ = std::move(samples);  // an answer being sent keeps the old one
}

void Routes::Refresh(size_t index) {
    TargetSamples samples = SamplesOf(fleet_.status(index).label, fleet_.status(index));
    std::lock_guard guard(*fleet_.lock());
    samples_->Set(index, samples);
}

void Routes::Handle(const HttpRequest &request, std::function<void(HttpResponse)> respond) {
    std::string target(request.target());
    size_t question = target.find('?');
    std::string path = target.substr(0, question), query = question == std::string::npos ? "" : target.substr(question + 1);
    if (path == "/") return respond(StatusPage(fleet_, module_, std::chrono::system_clock::now()));
    if (path == "/metrics") {
        std::unique_lock guard(*fleet_.lock());
        std::shared_ptr<const FleetSamples> samples = samples_;
        guard.unlock();
        return respond(Exposition(std::move(samples), fleet_.lock(), module_));
    }
    if (path == "/api/printers") return respond(Printers());
    if (path == "/probe") {
        // A probe polls, and polls live on the polling thread.
        std::string timeout(request["X-Prometheus-Scrape-Timeout-Seconds"]);
        return boost::asio::post(io_, [this, query, timeout, respond = std::move(respond)]() mutable {
            Probe(query, timeout, std::move(respond));
        });
    }
    respond(TextResponse(404, "not found: " + path + "; this server answers " + kPaths));
}

HttpResponse Routes::Printers() const {
    // One printer's object at a time while the answer is sent, never a tree of the fleet.
    HttpResponse response;
    response.contentType = "application/json";
    response.pieces = [statuses = fleet_.statuses(), lock = fleet_.lock(), module = module_,
                       next = size_t{0}](std::string &out) mutable {
        out += next == 0 ? '[' : ',';
        if (statuses.empty()) {
            out += "]\n";
            return false;
        }
        std::lock_guard guard(*lock);
        const TargetStatus &status = *statuses[next++];
        if (status.last) {
            out += OutcomeToJson(*status.last, &module).dump(-1, ' ', false, Json::error_handler_t::replace);
        } else {
            PollOutcome pending;
            pending.address = status.label;
            pending.module = module;
            pending.message = "not polled yet";
            out += OutcomeToJson(pending).dump(-1, ' ', false, Json::error_handler_t::replace);
        }
        if (next < statuses.size()) return true;
        out += "]\n";
        return false;
    };
    return response;
}

void Routes::Probe(const std::string &query, const std::string &scrapeTimeout, std::function<void(HttpResponse)> respond) {
    std::string text, error;
    if (!QueryParameter(query, "target", &text)) return respond(TextResponse(400, "bad request: malformed query string"));
    if (text.empty()) return respond(TextResponse(400, "bad request: give the printer as /probe?target=HOST[:PORT]"));
    std::optional<Target> target = ParseTarget(text, kRawPrintPort, &error);
    if (!target) return respond(TextResponse(400, "bad request: target: " + error));
    std::optional<size_t> configured = fleet_.Find(target->Label());
    if (!configured && !probe_.allowAnyTarget)
        return respond(TextResponse(403, "forbidden: " + target->Label() +
                                             " is not one of this server's targets (--targets, or "
                                             "--allow-any-target to probe any)"));
    std::string label = target->Label();
    auto now = std::chrono::steady_clock::now();
    if (auto recent = recent_.find(label); recent != recent_.end() && now - recent->second.at < kProbeReuse)
        return respond(Ok(kExpositionType, recent->second.exposition));
    if (auto flight = probing_.find(label); flight != probing_.end())
        return flight->second->waiting.push_back(std::move(respond));
    auto flight = std::make_shared<ProbeFlight>();
    flight->waiting.push_back(std::move(respond));
    probing_[label] = flight;
    PollSettings settings = configured ? fleet_.target(*configured).settings : probe_.defaults;
    auto budget = ProbeBudget(scrapeTimeout, probe_.defaultTimeout);
    settings.limits.overall = std::min(settings.limits.overall, budget);
    settings.limits.idle = std::min(settings.limits.idle, budget);
    settings.sourceDeadline = std::min(settings.sourceDeadline, budget / 2);
    settings.watchInterval = std::chrono::milliseconds(0);

    // One target once, on the scheduler like every poll. The probe keeps
    // itself alive through its completions; the deadline ends it, whatever it
    // is waiting for, so the scraper gets an answer in time.
    struct Run {
        std::unique_ptr<Scheduler> poll;
        boost::asio::steady_timer deadline;
        TargetStatus status;
        explicit Run(boost::asio::io_context &io) : deadline(io) {}
    };
    auto run = std::make_shared<Run>(io_);
    ModuleIdentity module = module_;
    SchedulePolicy once;
    run->poll = std::make_unique<Scheduler>(
        io_, std::vector<ScheduledTarget>{{*target, settings}}, once,
        [run](size_t, const PollOutcome &outcome, std::chrono::steady_clock::duration took) {
            run->status.last = outcome;
            run->status.finishedAt = std::chrono::system_clock::now();
            run->status.duration = took;
            ++run->status.pollsByResult[outcome.result()];
            run->status.failures = Succeeded(outcome.kind) ? 0 : 1;
        });
    run->deadline.expires_after(budget + std::chrono::milliseconds(200));
    run->deadline.async_wait([run](const boost::system::error_code &ec) {
        if (!ec) run->poll->Interrupt();
    });
    boost::asio::io_context &io = io_;
    run->poll->OnAllDone([this, run, label, module, flight, &io] {
        run->deadline.cancel();
        auto samples = std::make_shared<FleetSamples>(1);
        samples->Set(0, SamplesOf(label, run->status));
        std::string exposition = ExpositionText(std::move(samples), module);
        auto done = std::chrono::steady_clock::now();
        std::erase_if(recent_, [done](const auto &entry) { return done - entry.second.at >= kProbeReuse; });
        recent_[label] = {done, exposition};
        probing_.erase(label);
        for (auto &respond : flight->waiting) respond(Ok(kExpositionType, exposition));
        // Breaks the cycle through its completion, once the poll has returned.
        boost::asio::post(io, [run] { run->poll.reset(); });
    });
    run->poll->Start();
}

}  // namespace pathost::serve
