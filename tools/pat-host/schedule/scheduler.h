// When each printer is polled, for every command that polls: once (poll),
// again and again into the same record (--watch), on serve's schedule with
// jitter and backoff, or once on demand (/probe). At most `concurrency` polls
// run at once on one io_context, and each result is reported as soon as it
// is known. A target's poll object (its record, trees and buffers) exists
// while it polls, so memory follows the concurrency, not the fleet; only a
// watch keeps it from poll to poll, to show what changed.
#ifndef PAT_HOST_SCHEDULE_SCHEDULER_H
#define PAT_HOST_SCHEDULE_SCHEDULER_H

#include <boost/asio/io_context.hpp>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "poll/printer_poll.h"

namespace pathost {

struct SchedulePolicy {
    std::chrono::milliseconds interval{0};  // between a target's polls; 0: each target once
    unsigned count = 0;                     // polls per target with an interval; 0: until stopped
    size_t concurrency = 8;
    double jitter = 0;                        // each wait is the interval times 1 ± jitter
    unsigned maxBackoff = 1;                  // a failing target waits at most this many intervals
    std::chrono::milliseconds firstSpread{0};  // the first polls start at random within this
    bool polls = true;            // false: nothing is polled on a schedule (serve --probe-only)
    bool reportUnfinished = true;  // Interrupt reports every unfinished target as interrupted
    bool keepRecords = false;      // a target's record lives from poll to poll (--watch)
};

// poll, once or with --watch (interval, count), as PollSettings say.
SchedulePolicy PollSchedule(const PollSettings &settings);
// serve: every target every interval ± 10 %, the first polls spread over up
// to 5 s, a failing target backing off to 4 intervals; a stop discards.
SchedulePolicy ServeSchedule(std::chrono::milliseconds interval, size_t concurrency, bool polls = true);

// The wait before a target's next poll, after `failures` failed polls in a
// row; `unit` is a random number in [0, 1).
std::chrono::milliseconds NextDelay(const SchedulePolicy &policy, unsigned failures, double unit);

struct ScheduledTarget {
    Target target;
    PollSettings settings;
};

// Every target with the same settings, as poll and demo name them.
std::vector<ScheduledTarget> WithSettings(const std::vector<Target> &targets, const PollSettings &settings);

class Scheduler {
public:
    // Called with the target's index, its result and how long the poll took.
    using Report = std::function<void(size_t, const PollOutcome &, std::chrono::steady_clock::duration)>;

    Scheduler(boost::asio::io_context &io, std::vector<ScheduledTarget> targets, SchedulePolicy policy, Report report);
    ~Scheduler();
    Scheduler(const Scheduler &) = delete;
    Scheduler &operator=(const Scheduler &) = delete;

    void Start();
    // Called once no poll runs, none waits and none is due later.
    void OnAllDone(std::function<void()> allDone);
    // Ends the run now: the polls in flight end as interrupted; with
    // reportUnfinished every target waiting for its turn or its next poll is
    // reported as interrupted too, once. Idempotent.
    void Interrupt();
    // Interrupted when the run was; else the result of the first target, in
    // the order given, whose last poll failed; Pending while any is unfinished.
    OutcomeKind Result() const;

    size_t size() const;
    const ScheduledTarget &target(size_t index) const;
    std::chrono::system_clock::time_point NextPoll(size_t index) const;
    unsigned Failures(size_t index) const;  // in a row
    // The index of the target with this label ("host:port").
    std::optional<size_t> Find(const std::string &label) const;

private:
    struct Impl;
    std::shared_ptr<Impl> impl_;
};

}  // namespace pathost

#endif
