#include "transport/stop_signals.h"

#include <pthread.h>
#include <sys/signalfd.h>

#include <boost/asio/read.hpp>
#include <system_error>

namespace pathost {

struct StopSignals::State {
    explicit State(boost::asio::io_context &io) : descriptor(io) {}
    boost::asio::posix::stream_descriptor descriptor;
    signalfd_siginfo info{};
    std::function<void(int)> stop;
};

StopSignals::StopSignals(boost::asio::io_context &io, std::function<void(int)> stop) : state_(std::make_shared<State>(io)) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &set, &previous_);
    int fd = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
    if (fd < 0) {
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
        throw std::system_error(errno, std::generic_category(), "signalfd");
    }
    state_->descriptor.assign(fd);
    state_->stop = std::move(stop);
    boost::asio::async_read(state_->descriptor, boost::asio::buffer(&state_->info, sizeof state_->info),
                     [state = state_](const boost::system::error_code &ec, size_t) {
                         if (ec || !state->stop) return;
                         auto stop = std::move(state->stop);
                         state->stop = nullptr;
                         stop(static_cast<int>(state->info.ssi_signo));
                     });
}

StopSignals::~StopSignals() {
    Cancel();
    boost::system::error_code ignored;
    state_->descriptor.close(ignored);
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

void StopSignals::Cancel() {
    state_->stop = nullptr;
    boost::system::error_code ignored;
    state_->descriptor.cancel(ignored);
}

}  // namespace pathost
