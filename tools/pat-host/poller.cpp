#include "poller.h"

#include <algorithm>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <deque>

#include "printer_poll.h"

namespace pathost {

struct PollRunner::Impl : std::enable_shared_from_this<PollRunner::Impl> {
    enum class State { Waiting, Polling, Sleeping, Finished };

    Impl(boost::asio::io_context &io, PollSettings s) : io(io), settings(std::move(s)) {}

    void Pump() {
        while (!interrupted && active < std::max<size_t>(settings.concurrency, 1) && !waiting.empty()) {
            size_t index = waiting.front();
            waiting.pop_front();
            ++active;
            state[index] = State::Polling;
            auto self = shared_from_this();
            printers[index]->Poll([self, index](OutcomeKind kind) { self->Done(index, kind); });
        }
    }

    void Done(size_t index, OutcomeKind kind) {
        --active;
        last[index] = kind;
        ++polls[index];
        state[index] = State::Finished;
        bool again = !interrupted && settings.watchInterval.count() > 0 &&
                     (settings.watchCount == 0 || polls[index] < settings.watchCount);
        if (again) {
            auto self = shared_from_this();
            ++sleeping;
            state[index] = State::Sleeping;
            timers[index]->expires_after(settings.watchInterval);
            timers[index]->async_wait([self, index](const boost::system::error_code &ec) {
                --self->sleeping;
                if (ec || self->interrupted) return self->CheckAllDone();
                self->state[index] = State::Waiting;
                self->waiting.push_back(index);
                self->Pump();
            });
        }
        // Started from a completion, so the next poll never runs inside this one.
        auto self = shared_from_this();
        boost::asio::post(io, [self] {
            self->Pump();
            self->CheckAllDone();
        });
    }

    void Interrupt() {
        if (interrupted) return;
        interrupted = true;
        waiting.clear();
        for (size_t i = 0; i < printers.size(); ++i) {
            switch (state[i]) {
                case State::Polling: printers[i]->Interrupt(); break;  // reports through Done
                case State::Waiting:
                    printers[i]->ReportInterrupted("interrupted before it was polled");
                    last[i] = OutcomeKind::Interrupted;
                    state[i] = State::Finished;
                    break;
                case State::Sleeping:
                    timers[i]->cancel();
                    printers[i]->ReportInterrupted("interrupted while waiting for the next poll (--watch)");
                    last[i] = OutcomeKind::Interrupted;
                    state[i] = State::Finished;
                    break;
                case State::Finished: break;
            }
        }
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
    std::vector<std::shared_ptr<PrinterPoll>> printers;
    std::vector<std::unique_ptr<boost::asio::steady_timer>> timers;
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
    : impl_(std::make_shared<Impl>(io, std::move(settings))) {
    for (Target &target : targets) {
        impl_->printers.push_back(MakePrinterPoll(io, std::move(target), impl_->settings, report));
        impl_->timers.push_back(std::make_unique<boost::asio::steady_timer>(io));
        impl_->last.push_back(OutcomeKind::Pending);
        impl_->state.push_back(Impl::State::Waiting);
        impl_->polls.push_back(0);
    }
}

PollRunner::~PollRunner() {
    for (auto &timer : impl_->timers) timer->cancel();
}

void PollRunner::Start() {
    for (size_t i = 0; i < impl_->printers.size(); ++i) impl_->waiting.push_back(i);
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
