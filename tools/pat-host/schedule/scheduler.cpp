#include "schedule/scheduler.h"

#include <algorithm>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <cmath>
#include <deque>
#include <random>
#include <unordered_map>

namespace pathost {

namespace {

// serve's first polls are spread over this much (or the interval, if
// shorter), so a server just started shows its fleet soon without polling it
// in one burst.
constexpr std::chrono::milliseconds kFirstSpread{5000};

}  // namespace

SchedulePolicy PollSchedule(const PollSettings &settings) {
    SchedulePolicy policy;
    policy.interval = settings.watchInterval;
    policy.count = settings.watchCount;
    policy.concurrency = settings.concurrency;
    policy.keepRecords = settings.watchInterval.count() > 0;
    return policy;
}

SchedulePolicy ServeSchedule(std::chrono::milliseconds interval, size_t concurrency, bool polls) {
    SchedulePolicy policy;
    policy.interval = interval;
    policy.concurrency = concurrency;
    policy.jitter = 0.1;
    policy.maxBackoff = 4;
    policy.firstSpread = std::min(interval, kFirstSpread);
    policy.polls = polls;
    policy.reportUnfinished = false;  // a stopped server keeps each target's last real result
    return policy;
}

std::chrono::milliseconds NextDelay(const SchedulePolicy &policy, unsigned failures, double unit) {
    // One failure may be a printer asleep or a dropped packet: try again at
    // the usual time. Then double the wait each time, up to the cap.
    unsigned factor = 1;
    for (unsigned i = 1; i < failures && factor < policy.maxBackoff; ++i) factor *= 2;
    factor = std::min(std::max(factor, 1u), std::max(policy.maxBackoff, 1u));
    double spread = 1 + policy.jitter * (2 * unit - 1);
    return std::chrono::milliseconds(std::llround(static_cast<double>(policy.interval.count()) * factor * spread));
}

std::vector<ScheduledTarget> WithSettings(const std::vector<Target> &targets, const PollSettings &settings) {
    std::vector<ScheduledTarget> scheduled;
    scheduled.reserve(targets.size());
    for (const Target &target : targets) scheduled.push_back({target, settings});
    return scheduled;
}

struct Scheduler::Impl : std::enable_shared_from_this<Scheduler::Impl> {
    enum class State { Idle, Waiting, Polling, Sleeping, Finished };

    struct Slot {
        ScheduledTarget target;
        std::shared_ptr<PrinterPoll> poll;  // null unless polling, or kept for a watch
        std::unique_ptr<boost::asio::steady_timer> timer;  // made when it first sleeps
        State state = State::Idle;
        OutcomeKind last = OutcomeKind::Pending;
        unsigned polls = 0;
        unsigned failures = 0;
        std::chrono::steady_clock::time_point started;
        std::chrono::system_clock::time_point nextPoll;
        // The trays its last poll found: a fresh record lists them, so the
        // first round asks for them at once instead of needing a second.
        std::vector<uint16_t> trays;
    };

    Impl(boost::asio::io_context &io, SchedulePolicy policy, Report report)
        : io(io), policy(policy), report(std::move(report)), random(std::random_device{}()) {}

    double Unit() { return std::uniform_real_distribution<double>(0, 1)(random); }

    PrinterPoll &PollOf(size_t index) {
        Slot &slot = slots[index];
        if (!slot.poll) {
            std::weak_ptr<Impl> weak = weak_from_this();
            PollSettings settings = slot.target.settings;
            settings.trays.insert(settings.trays.end(), slot.trays.begin(), slot.trays.end());
            slot.poll = MakePrinterPoll(io, slot.target.target, settings, [weak, index](const PollOutcome &o) {
                if (auto self = weak.lock()) self->Reported(index, o);
            });
        }
        return *slot.poll;
    }

    void Reported(size_t index, const PollOutcome &outcome) {
        if (destroyed || (interrupted && !policy.reportUnfinished)) return;
        if (outcome.snapshot && Succeeded(outcome.kind)) {
            slots[index].trays.clear();
            for (const Tray &tray : outcome.snapshot->trays) slots[index].trays.push_back(tray.code);
        }
        report(index, outcome, std::chrono::steady_clock::now() - slots[index].started);
    }

    void Queue(size_t index) {
        slots[index].state = State::Waiting;
        waiting.push_back(index);
    }

    void Pump() {
        while (!interrupted && active < std::max<size_t>(policy.concurrency, 1) && !waiting.empty()) {
            size_t index = waiting.front();
            waiting.pop_front();
            Slot &slot = slots[index];
            ++active;
            slot.state = State::Polling;
            slot.started = std::chrono::steady_clock::now();
            auto self = shared_from_this();
            PollOf(index).Poll(slot.polls + 1, [self, index](OutcomeKind kind) { self->Done(index, kind); });
        }
    }

    void Sleep(size_t index, std::chrono::milliseconds delay) {
        Slot &slot = slots[index];
        slot.state = State::Sleeping;
        slot.nextPoll = std::chrono::system_clock::now() + delay;
        if (!slot.timer) slot.timer = std::make_unique<boost::asio::steady_timer>(io);
        slot.timer->expires_after(delay);
        ++sleeping;
        auto self = shared_from_this();
        slot.timer->async_wait([self, index](const boost::system::error_code &ec) {
            --self->sleeping;
            if (ec || self->interrupted || self->destroyed) return self->CheckAllDone();
            self->Queue(index);
            self->Pump();
        });
    }

    void Done(size_t index, OutcomeKind kind) {
        --active;
        if (destroyed) return;
        Slot &slot = slots[index];
        slot.last = kind;
        ++slot.polls;
        slot.failures = Succeeded(kind) ? 0 : slot.failures + 1;
        slot.state = State::Finished;
        bool again = !interrupted && policy.interval.count() > 0 && (policy.count == 0 || slot.polls < policy.count);
        if (again) Sleep(index, NextDelay(policy, slot.failures, Unit()));
        // Started from a completion, so the next poll never runs inside this
        // one, and a poll object is released only once its poll returned.
        auto self = shared_from_this();
        boost::asio::post(io, [self, index, again] {
            if (!again || !self->policy.keepRecords) self->slots[index].poll.reset();
            self->Pump();
            self->CheckAllDone();
        });
    }

    void Interrupt() {
        if (interrupted) return;
        interrupted = true;
        waiting.clear();
        for (size_t i = 0; i < slots.size(); ++i) {
            Slot &slot = slots[i];
            switch (slot.state) {
                case State::Polling: slot.poll->Interrupt(); break;  // reports through Done
                case State::Waiting: NeverPolled(i, "interrupted before it was polled"); break;
                case State::Sleeping:
                    slot.timer->cancel();
                    NeverPolled(i, "interrupted while waiting for the next poll (--watch)");
                    break;
                case State::Idle:
                case State::Finished: break;
            }
        }
    }

    void NeverPolled(size_t index, const char *why) {
        Slot &slot = slots[index];
        if (policy.reportUnfinished) PollOf(index).ReportInterrupted(slot.polls + 1, why);
        if (!policy.keepRecords) slot.poll.reset();
        slot.last = OutcomeKind::Interrupted;
        slot.state = State::Finished;
    }

    void CheckAllDone() {
        if (active == 0 && waiting.empty() && sleeping == 0 && allDone) {
            auto done = std::move(allDone);
            allDone = nullptr;
            done();
        }
    }

    boost::asio::io_context &io;
    SchedulePolicy policy;
    Report report;
    std::vector<Slot> slots;
    std::unordered_map<std::string, size_t> byLabel;
    std::deque<size_t> waiting;
    size_t active = 0;
    size_t sleeping = 0;
    bool interrupted = false;
    bool destroyed = false;
    std::function<void()> allDone;
    std::minstd_rand random;
};

Scheduler::Scheduler(boost::asio::io_context &io, std::vector<ScheduledTarget> targets, SchedulePolicy policy,
                     Report report)
    : impl_(std::make_shared<Impl>(io, policy, std::move(report))) {
    impl_->slots.resize(targets.size());
    for (size_t i = 0; i < targets.size(); ++i) {
        impl_->byLabel.emplace(targets[i].target.Label(), i);
        impl_->slots[i].target = std::move(targets[i]);
    }
}

Scheduler::~Scheduler() {
    // Completions still queued hold the state; none may reach the owner now.
    impl_->destroyed = true;
    for (Impl::Slot &slot : impl_->slots) {
        if (slot.timer) slot.timer->cancel();
        if (slot.state == Impl::State::Polling && slot.poll) slot.poll->Interrupt();
    }
}

void Scheduler::Start() {
    if (!impl_->policy.polls) return;
    for (size_t i = 0; i < impl_->slots.size(); ++i) {
        if (impl_->policy.firstSpread.count() > 0)
            impl_->Sleep(i, std::chrono::milliseconds(
                                std::llround(static_cast<double>(impl_->policy.firstSpread.count()) * impl_->Unit())));
        else
            impl_->Queue(i);
    }
    impl_->Pump();
}

void Scheduler::OnAllDone(std::function<void()> allDone) { impl_->allDone = std::move(allDone); }

void Scheduler::Interrupt() { impl_->Interrupt(); }

OutcomeKind Scheduler::Result() const {
    if (impl_->interrupted) return OutcomeKind::Interrupted;
    for (const Impl::Slot &slot : impl_->slots)
        if (!Succeeded(slot.last)) return slot.last;
    return OutcomeKind::Ok;
}

size_t Scheduler::size() const { return impl_->slots.size(); }
const ScheduledTarget &Scheduler::target(size_t index) const { return impl_->slots[index].target; }
std::chrono::system_clock::time_point Scheduler::NextPoll(size_t index) const { return impl_->slots[index].nextPoll; }
unsigned Scheduler::Failures(size_t index) const { return impl_->slots[index].failures; }

std::optional<size_t> Scheduler::Find(const std::string &label) const {
    auto found = impl_->byLabel.find(label);
    if (found == impl_->byLabel.end()) return std::nullopt;
    return found->second;
}

}  // namespace pathost
