// What each path of `pat-host serve` answers: the status page, the fleet's
// metrics, a probe of one target, and the latest results as JSON. Reads the
// fleet's results and never changes them; only /probe polls, and only a
// configured target unless every target is allowed.
#ifndef PAT_HOST_SERVE_ROUTES_H
#define PAT_HOST_SERVE_ROUTES_H

#include <boost/asio/io_context.hpp>
#include <map>
#include <memory>

#include "serve/fleet.h"
#include "serve/http_server.h"
#include "serve/metrics.h"

namespace pathost::serve {

struct ProbeOptions {
    bool allowAnyTarget = false;
    PollSettings defaults;  // for a target not in the fleet (--allow-any-target)
    std::chrono::milliseconds defaultTimeout{10000};  // when the scraper sends none
};

class Routes {
public:
    Routes(boost::asio::io_context &io, const Fleet &fleet, ModuleIdentity module, ProbeOptions probe);
    // On the HTTP server's thread; `respond` may be called on either.
    void Handle(const HttpRequest &request, std::function<void(HttpResponse)> respond);
    // On the polling thread, as everything else here. The fleet finished a
    // poll of this target: its samples are made now, once, not at every scrape.
    void Refresh(size_t index);
    // The fleet's targets changed (a reload): every target's samples anew.
    void RefreshAll();

private:
    void Probe(const std::string &query, const std::string &scrapeTimeout, std::function<void(HttpResponse)> respond);
    HttpResponse Printers() const;

    boost::asio::io_context &io_;
    const Fleet &fleet_;
    ModuleIdentity module_;
    ProbeOptions probe_;
    std::shared_ptr<FleetSamples> samples_;  // every target's, as of its last poll

    // Probes of one target share one poll: those that come while it runs wait
    // for its result, and a result younger than kProbeReuse is served again.
    struct ProbeFlight {
        std::vector<std::function<void(HttpResponse)>> waiting;
    };
    struct RecentProbe {
        std::chrono::steady_clock::time_point at;
        std::string exposition;
    };
    std::map<std::string, std::shared_ptr<ProbeFlight>> probing_;
    std::map<std::string, RecentProbe> recent_;
};

constexpr std::chrono::milliseconds kProbeReuse{1000};

// The scrape timeout Prometheus sends, less a margin for the answer's way back,
// bounded by [0.5 s, fallback]; the fallback when absent or not a number.
std::chrono::milliseconds ProbeBudget(const std::string &header, std::chrono::milliseconds fallback);

}  // namespace pathost::serve

#endif
