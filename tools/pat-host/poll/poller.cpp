#include "poll/poller.h"

#include <algorithm>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <deque>

#include "poll/printer_poll.h"

namespace pathost {

// A printer's poll object (its record, trees and buffers) exists while it
// polls; without --watch it is released as soon as its result is reported,
// so memory grows with --concurrency, not with the number of printers. A
// watch keeps it, and its timer, for the next poll into the same record.
struct PollRunner::Impl : std::enable_shared_from_this<PollRunner::Impl> {
    enum class State { Waiting, Polling, Sleeping, Finished };

    Impl(boost::asio::io_context &io, PollSettings s, Report r) : io(io), settings(std::move(s)), report(std::move(r)) {}

    bool Watching() const { return settings.watchInterval.count() > 0; }

    std::shared_ptr<PrinterPoll> &PrinterFor(size_t index) {
        if (!printers[index]) printers[index] = MakePrinterPoll(io, targets[index], settings, report);
        return printers[index];
    }

    void Pump() {
        while (!interrupted && active < std::max<size_t>(settings.concurrency, 1) && !waiting.empty()) {
            size_t index = waiting.front();
            waiting.pop_front();
            ++active;
            state[index] = State::Polling;
            auto self = shared_from_this();
            PrinterFor(index)->Poll([self, index](OutcomeKind kind) { self->Done(index, kind); });
        }
    }

    void Done(size_t index, OutcomeKind kind) {
        --active;
        last[index] = kind;
        ++polls[index];
        state[index] = State::Finished;
        bool again = !interrupted && Watching() && (settings.watchCount == 0 || polls[index] < settings.watchCount);
        auto self = shared_from_this();
        if (again) {
            ++sleeping;
            state[index] = State::Sleeping;
            if (!timers[index]) timers[index] = std::make_unique<boost::asio::steady_timer>(io);
            timers[index]->expires_after(settings.watchInterval);
            timers[index]->async_wait([self, index](const boost::system::error_code &ec) {
                --self->sleeping;
                if (ec || self->interrupted) return self->CheckAllDone();
                self->state[index] = State::Waiting;
                self->waiting.push_back(index);
                self->Pump();
            });
        }
        // Started from a completion, so the next poll never runs inside this
        // one, and a finished printer is released only once its poll returned.
        boost::asio::post(io, [self, index, again] {
            if (!again) self->printers[index].reset();
            self->Pump();
            self->CheckAllDone();
        });
    }

    void Interrupt() {
        if (interrupted) return;
        interrupted = true;
        waiting.clear();
        for (size_t i = 0; i < state.size(); ++i) {
            switch (state[i]) {
                case State::Polling: printers[i]->Interrupt(); break;  // reports through Done
                case State::Waiting:
                    ReportNeverPolled(i, "interrupted before it was polled");
                    break;
                case State::Sleeping:
                    timers[i]->cancel();
                    ReportNeverPolled(i, "interrupted while waiting for the next poll (--watch)");
                    break;
                case State::Finished: break;
            }
        }
    }

    void ReportNeverPolled(size_t index, const char *why) {
        PrinterFor(index)->ReportInterrupted(why);
        if (state[index] == State::Waiting) printers[index].reset();
        last[index] = OutcomeKind::Interrupted;
        state[index] = State::Finished;
    }

    void CheckAllDone() {
        if (active == 0 && waiting.empty() && sleeping == 0 && allDone) {
            auto done = std::move(allDone);
            allDone = nullptr;
            done();
        }
    }

    boost::asio::io_context &io;
    PollSettings settings;
    Report report;
    std::vector<Target> targets;
    std::vector<std::shared_ptr<PrinterPoll>> printers;  // null unless polling or watching
    std::vector<std::unique_ptr<boost::asio::steady_timer>> timers;  // made for a watch only
    std::vector<OutcomeKind> last;  // each printer's last result
    std::vector<State> state;
    std::vector<unsigned> polls;
    std::deque<size_t> waiting;
    size_t active = 0;
    size_t sleeping = 0;
    bool interrupted = false;
    std::function<void()> allDone;
};

PollRunner::PollRunner(boost::asio::io_context &io, std::vector<Target> targets, PollSettings settings, Report report)
    : impl_(std::make_shared<Impl>(io, std::move(settings), std::move(report))) {
    size_t count = targets.size();
    impl_->targets = std::move(targets);
    impl_->printers.resize(count);
    impl_->timers.resize(count);
    impl_->last.assign(count, OutcomeKind::Pending);
    impl_->state.assign(count, Impl::State::Waiting);
    impl_->polls.assign(count, 0);
}

PollRunner::~PollRunner() {
    for (auto &timer : impl_->timers)
        if (timer) timer->cancel();
}

void PollRunner::Start() {
    for (size_t i = 0; i < impl_->targets.size(); ++i) impl_->waiting.push_back(i);
    impl_->Pump();
}

void PollRunner::OnAllDone(std::function<void()> allDone) { impl_->allDone = std::move(allDone); }

void PollRunner::Interrupt() { impl_->Interrupt(); }

OutcomeKind PollRunner::Result() const {
    if (impl_->interrupted) return OutcomeKind::Interrupted;
    for (OutcomeKind kind : impl_->last)
        if (!Succeeded(kind)) return kind;
    return OutcomeKind::Ok;
}

}  // namespace pathost
