#include "serve/fleet.h"

namespace pathost::serve {

namespace {

std::shared_ptr<TargetStatus> NewStatus(const FleetTarget &target) {
    auto status = std::make_shared<TargetStatus>();
    status->label = target.target.Label();
    return status;
}

}  // namespace

Fleet::Fleet(boost::asio::io_context &io, std::vector<FleetTarget> targets, Schedule schedule,
             std::function<void(size_t)> finished)
    : io_(io), schedule_(schedule), finished_(std::move(finished)) {
    for (const FleetTarget &target : targets) status_.push_back(NewStatus(target));
    scheduler_ = MakeScheduler(std::move(targets));
}

std::unique_ptr<Scheduler> Fleet::MakeScheduler(std::vector<FleetTarget> targets) {
    return std::make_unique<Scheduler>(
        io_, std::move(targets), schedule_,
        [this](size_t index, const PollOutcome &outcome, std::chrono::steady_clock::duration took) {
            Finished(index, outcome, took);
        });
}

void Fleet::Start() {
    started_ = true;
    scheduler_->Start();
}

void Fleet::Stop() {
    stopped_ = true;
    scheduler_->Interrupt();
}

void Fleet::Reload(std::vector<FleetTarget> targets) {
    if (stopped_) return;
    std::vector<std::shared_ptr<TargetStatus>> status;
    for (const FleetTarget &target : targets) {
        std::optional<size_t> before = scheduler_->Find(target.target.Label());
        status.push_back(before ? status_[*before] : NewStatus(target));
    }
    scheduler_->Interrupt();  // serve's policy: the interrupted polls report nothing
    scheduler_ = MakeScheduler(std::move(targets));
    {
        std::lock_guard guard(*lock_);
        status_ = std::move(status);
    }
    if (started_) scheduler_->Start();
}

std::vector<std::shared_ptr<const TargetStatus>> Fleet::statuses() const {
    std::lock_guard guard(*lock_);
    return {status_.begin(), status_.end()};
}

void Fleet::Finished(size_t index, const PollOutcome &outcome, std::chrono::steady_clock::duration took) {
    TargetStatus &status = *status_[index];
    PollOutcome last = outcome;  // copied before the lock: readers wait only for the swap
    last.module.reset();         // the server's, the same for every poll: the HTTP side adds it
    last.poll = status.last ? status.last->poll + 1 : 1;  // each poll object makes one poll
    {
        std::lock_guard guard(*lock_);
        status.last = std::move(last);
        status.finishedAt = std::chrono::system_clock::now();
        status.duration = took;
        ++status.pollsByResult[outcome.result()];
        status.failures = Succeeded(outcome.kind) ? 0 : status.failures + 1;
    }
    // The scheduler plans the next poll once this report returns.
    if (finished_) finished_(index);
}

}  // namespace pathost::serve
