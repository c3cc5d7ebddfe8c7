#include "serve/fleet.h"

#include <algorithm>
#include <boost/asio/post.hpp>
#include <cmath>

namespace pathost::serve {

namespace {

// The first polls are spread over this much (or the interval, if shorter), so
// a server just started shows its fleet soon without polling it in one burst.
constexpr std::chrono::milliseconds kFirstSpread{5000};

}  // namespace

std::chrono::milliseconds NextDelay(const Schedule &schedule, unsigned failures, double unit) {
    // One failure may be a printer asleep or a dropped packet: try again at
    // the usual time. Then double the wait each time, up to the cap.
    unsigned factor = 1;
    for (unsigned i = 1; i < failures && factor < schedule.maxBackoff; ++i) factor *= 2;
    factor = std::min(std::max(factor, 1u), std::max(schedule.maxBackoff, 1u));
    double spread = 1 + schedule.jitter * (2 * unit - 1);
    return std::chrono::milliseconds(std::llround(static_cast<double>(schedule.interval.count()) * factor * spread));
}

Fleet::Fleet(boost::asio::io_context &io, std::vector<FleetTarget> targets, Schedule schedule,
             std::function<void(size_t)> finished)
    : io_(io), targets_(std::move(targets)), schedule_(schedule), finished_(std::move(finished)),
      status_(targets_.size()), started_(targets_.size()), polling_(targets_.size(), false),
      random_(std::random_device{}()), alive_(std::make_shared<bool>(true)) {
    polls_.resize(targets_.size());
    for (size_t i = 0; i < targets_.size(); ++i) timers_.push_back(std::make_unique<boost::asio::steady_timer>(io_));
}

Fleet::~Fleet() {
    alive_.reset();
    for (auto &timer : timers_) timer->cancel();
}

void Fleet::Start() {
    if (!schedule_.polls) return;
    std::uniform_real_distribution<double> unit(0, 1);
    auto spread = std::min(schedule_.interval, kFirstSpread);
    for (size_t i = 0; i < targets_.size(); ++i)
        Sleep(i, std::chrono::milliseconds(std::llround(static_cast<double>(spread.count()) * unit(random_))));
}

void Fleet::Stop() {
    if (stopped_) return;
    stopped_ = true;
    queue_.clear();
    for (auto &timer : timers_) timer->cancel();
    for (size_t i = 0; i < polls_.size(); ++i)
        if (polling_[i]) polls_[i]->Interrupt();
}

std::optional<size_t> Fleet::Find(const std::string &label) const {
    for (size_t i = 0; i < targets_.size(); ++i)
        if (targets_[i].target.Label() == label) return i;
    return std::nullopt;
}

void Fleet::Sleep(size_t index, std::chrono::milliseconds delay) {
    status_[index].nextPoll = std::chrono::system_clock::now() + delay;
    timers_[index]->expires_after(delay);
    std::weak_ptr<bool> alive = alive_;
    timers_[index]->async_wait([this, alive, index](const boost::system::error_code &ec) {
        if (!ec && !alive.expired() && !stopped_) Due(index);
    });
}

void Fleet::Due(size_t index) {
    queue_.push_back(index);
    Pump();
}

void Fleet::Pump() {
    while (!stopped_ && active_ < std::max<size_t>(schedule_.concurrency, 1) && !queue_.empty()) {
        size_t index = queue_.front();
        queue_.pop_front();
        ++active_;
        polling_[index] = true;
        started_[index] = std::chrono::steady_clock::now();
        std::weak_ptr<bool> alive = alive_;
        polls_[index] = MakePrinterPoll(io_, targets_[index].target, SettingsFor(index),
                                        [this, alive, index](const PollOutcome &outcome) {
                                            if (!alive.expired()) Finished(index, outcome);
                                        });
        polls_[index]->Poll([this, alive, index](OutcomeKind) {
            if (alive.expired()) return;
            --active_;
            polling_[index] = false;
            // Started from a completion, so the next poll never runs inside this
            // one, and the poll object is released only once its poll returned.
            boost::asio::post(io_, [this, alive, index] {
                if (alive.expired()) return;
                if (!polling_[index]) polls_[index].reset();
                Pump();
            });
            if (stopped_) return;
            std::uniform_real_distribution<double> unit(0, 1);
            Sleep(index, NextDelay(schedule_, status_[index].failures, unit(random_)));
        });
    }
}

PollSettings Fleet::SettingsFor(size_t index) const {
    PollSettings settings = targets_[index].settings;
    const std::optional<PollOutcome> &last = status_[index].last;
    if (last && last->snapshot)
        for (const Tray &tray : last->snapshot->trays) settings.trays.push_back(tray.code);
    return settings;
}

void Fleet::Finished(size_t index, const PollOutcome &outcome) {
    if (stopped_ && outcome.kind == OutcomeKind::Interrupted) return;  // keep the last real result
    TargetStatus &status = status_[index];
    unsigned poll = status.last ? status.last->poll + 1 : 1;  // each poll object makes one poll
    status.last = outcome;
    status.last->poll = poll;
    status.finishedAt = std::chrono::system_clock::now();
    status.duration = std::chrono::steady_clock::now() - started_[index];
    ++status.pollsByResult[outcome.result()];
    status.failures = Succeeded(outcome.kind) ? 0 : status.failures + 1;
    if (finished_) finished_(index);
}

}  // namespace pathost::serve
