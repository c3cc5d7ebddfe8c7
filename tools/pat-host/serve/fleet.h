// The polls of `pat-host serve`: the scheduler with serve's policy (every
// target every interval with jitter, backoff for a target that keeps failing,
// at most `concurrency` at a time), and each target's latest result for the
// HTTP side, which only reads it: a request never starts a scheduled poll.
#ifndef PAT_HOST_SERVE_FLEET_H
#define PAT_HOST_SERVE_FLEET_H

#include <boost/asio/io_context.hpp>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "schedule/scheduler.h"
#include "serve/targets_file.h"

namespace pathost::serve {

using Schedule = SchedulePolicy;

// What the server knows of one target.
struct TargetStatus {
    std::string label;                // the target's "host:port"
    std::optional<PollOutcome> last;  // the latest finished poll
    std::chrono::system_clock::time_point finishedAt;
    std::chrono::steady_clock::duration duration{};  // of the latest poll
    std::map<std::string, uint64_t> pollsByResult;   // result word: count
    unsigned failures = 0;                           // in a row
};

class Fleet {
public:
    // `finished` is called after each poll, with the target's index.
    Fleet(boost::asio::io_context &io, std::vector<FleetTarget> targets, Schedule schedule,
          std::function<void(size_t)> finished = nullptr);
    void Start();
    // Ends the polls in flight and schedules none; idempotent.
    void Stop();
    // A new list of targets (a reloaded targets file): a target whose address
    // was there before keeps its status and counters, with the new settings;
    // the others start anew; the polls in flight are ended and every target
    // is scheduled again from now. Indices change: the caller re-reads them.
    void Reload(std::vector<FleetTarget> targets);

    size_t size() const { return scheduler_->size(); }
    const ScheduledTarget &target(size_t i) const { return scheduler_->target(i); }
    // On the polling thread, which alone changes them.
    const TargetStatus &status(size_t i) const { return *status_[i]; }
    // Polls finish on the polling thread and the HTTP side answers on its
    // own: this guards every status (and what the HTTP side keeps beside).
    const std::shared_ptr<std::mutex> &lock() const { return lock_; }
    // Every target's status, for an answer made while it is sent: each stays
    // valid until the answer lets go, a reload notwithstanding; read each
    // under lock(). Takes the lock.
    std::vector<std::shared_ptr<const TargetStatus>> statuses() const;
    const Schedule &schedule() const { return schedule_; }
    // The index of a configured target with this label ("host:port").
    std::optional<size_t> Find(const std::string &label) const { return scheduler_->Find(label); }

private:
    std::unique_ptr<Scheduler> MakeScheduler(std::vector<FleetTarget> targets);
    void Finished(size_t index, const PollOutcome &outcome, std::chrono::steady_clock::duration took);

    boost::asio::io_context &io_;
    Schedule schedule_;
    std::function<void(size_t)> finished_;
    std::vector<std::shared_ptr<TargetStatus>> status_;
    std::shared_ptr<std::mutex> lock_ = std::make_shared<std::mutex>();
    std::unique_ptr<Scheduler> scheduler_;
    bool started_ = false;
    bool stopped_ = false;
};

}  // namespace pathost::serve

#endif
