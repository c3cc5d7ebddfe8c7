#include "serve/fleet.h"

namespace pathost::serve {

Fleet::Fleet(boost::asio::io_context &io, std::vector<FleetTarget> targets, Schedule schedule,
             std::function<void(size_t)> finished)
    : schedule_(schedule),
      finished_(std::move(finished)),
      status_(targets.size()),
      scheduler_(io, std::move(targets), schedule,
                 [this](size_t index, const PollOutcome &outcome, std::chrono::steady_clock::duration took) {
                     Finished(index, outcome, took);
                 }) {}

void Fleet::Start() { scheduler_.Start(); }

void Fleet::Stop() { scheduler_.Interrupt(); }

void Fleet::Finished(size_t index, const PollOutcome &outcome, std::chrono::steady_clock::duration took) {
    TargetStatus &status = status_[index];
    status.last = outcome;
    status.finishedAt = std::chrono::system_clock::now();
    status.duration = took;
    ++status.pollsByResult[outcome.result()];
    status.failures = Succeeded(outcome.kind) ? 0 : status.failures + 1;
    // The scheduler plans the next poll once this report returns.
    if (finished_) finished_(index);
}

}  // namespace pathost::serve
