// The polls of `pat-host serve`: every target polled every interval, at most
// `concurrency` at a time, each with its own jittered phase so a fleet is not
// polled in bursts; a target that keeps failing waits longer (up to a few
// intervals), so a dead printer costs little and a sleeping one is not woken
// again and again. Keeps each target's latest result for the HTTP side, which
// only reads it: a request never starts a scheduled poll.
#ifndef PAT_HOST_SERVE_FLEET_H
#define PAT_HOST_SERVE_FLEET_H

#include <boost/asio/io_context.hpp>
#include <boost/asio/steady_timer.hpp>
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "serve/targets_file.h"

namespace pathost::serve {

struct Schedule {
    std::chrono::milliseconds interval{60000};
    size_t concurrency = 16;
    double jitter = 0.1;          // each wait is the interval times 1 ± jitter
    unsigned maxBackoff = 4;      // a failing target waits at most this many intervals
    bool polls = true;            // false: the targets are only probed (--probe-only)
};

// The wait before a target's next poll, after `failures` failed polls in a row;
// `unit` is a random number in [0, 1).
std::chrono::milliseconds NextDelay(const Schedule &schedule, unsigned failures, double unit);

// What the server knows of one target.
struct TargetStatus {
    std::optional<PollOutcome> last;  // the latest finished poll
    std::chrono::system_clock::time_point finishedAt;
    std::chrono::steady_clock::duration duration{};  // of the latest poll
    std::map<std::string, uint64_t> pollsByResult;   // result word: count
    unsigned failures = 0;                           // in a row
    std::chrono::system_clock::time_point nextPoll;
};

class Fleet {
public:
    // `finished` is called after each poll, with the target's index.
    Fleet(boost::asio::io_context &io, std::vector<FleetTarget> targets, Schedule schedule,
          std::function<void(size_t)> finished = nullptr);
    ~Fleet();
    void Start();
    // Ends the polls in flight and schedules none; idempotent.
    void Stop();

    size_t size() const { return targets_.size(); }
    const FleetTarget &target(size_t i) const { return targets_[i]; }
    const TargetStatus &status(size_t i) const { return status_[i]; }
    const Schedule &schedule() const { return schedule_; }
    // The index of a configured target with this label ("host:port").
    std::optional<size_t> Find(const std::string &label) const;

private:
    void Due(size_t index);
    void Pump();
    void Finished(size_t index, const PollOutcome &outcome);
    void Sleep(size_t index, std::chrono::milliseconds delay);
    // The target's settings for its next poll, which starts a fresh record.
    PollSettings SettingsFor(size_t index) const;

    boost::asio::io_context &io_;
    std::vector<FleetTarget> targets_;
    Schedule schedule_;
    std::function<void(size_t)> finished_;
    std::vector<TargetStatus> status_;
    // A target's poll object (its record, trees and buffers) exists while it
    // polls; what serve keeps between polls is its TargetStatus.
    std::vector<std::shared_ptr<PrinterPoll>> polls_;
    std::vector<std::unique_ptr<boost::asio::steady_timer>> timers_;
    std::vector<std::chrono::steady_clock::time_point> started_;
    std::vector<bool> polling_;
    std::deque<size_t> queue_;  // due, waiting for a free slot, oldest first
    size_t active_ = 0;
    bool stopped_ = false;
    std::minstd_rand random_;
    std::shared_ptr<bool> alive_;  // guards completions that outlive the fleet
};

}  // namespace pathost::serve

#endif
