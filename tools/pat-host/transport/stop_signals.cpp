#include "transport/stop_signals.h"

#include <pthread.h>
#include <sys/signalfd.h>

#include <boost/asio/read.hpp>
#include <system_error>

namespace pathost {

struct StopSignals::State : std::enable_shared_from_this<StopSignals::State> {
    explicit State(boost::asio::io_context &io) : descriptor(io) {}

    void Read() {
        boost::asio::async_read(descriptor, boost::asio::buffer(&info, sizeof info),
                                [self = shared_from_this()](const boost::system::error_code &ec, size_t) {
                                    if (ec || !self->stop) return;
                                    int signal = static_cast<int>(self->info.ssi_signo);
                                    if (signal == SIGHUP) {
                                        if (self->reload) self->reload();
                                        return self->Read();
                                    }
                                    auto stop = std::move(self->stop);
                                    self->stop = nullptr;
                                    stop(signal);
                                });
    }

    boost::asio::posix::stream_descriptor descriptor;
    signalfd_siginfo info{};
    std::function<void(int)> stop;
    std::function<void()> reload;
};

StopSignals::StopSignals(boost::asio::io_context &io, std::function<void(int)> stop, std::function<void()> reload)
    : state_(std::make_shared<State>(io)) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    if (reload) sigaddset(&set, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &set, &previous_);
    int fd = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
    if (fd < 0) {
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
        throw std::system_error(errno, std::generic_category(), "signalfd");
    }
    state_->descriptor.assign(fd);
    state_->stop = std::move(stop);
    state_->reload = std::move(reload);
    state_->Read();
}

StopSignals::~StopSignals() {
    Cancel();
    boost::system::error_code ignored;
    state_->descriptor.close(ignored);
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

void StopSignals::Cancel() {
    state_->stop = nullptr;
    state_->reload = nullptr;
    boost::system::error_code ignored;
    state_->descriptor.cancel(ignored);
}

}  // namespace pathost
