// Ctrl-C (SIGINT) and SIGTERM as events of an io_context, and SIGHUP for a
// server that reloads its configuration.
//
// The signals are blocked in the calling thread and read from a signalfd, so
// no signal handler ever runs. A handler would: Asio's resolver keeps a
// thread of its own, and under qemu-i386 (how the i386 build runs) returning
// from a handler reloads %gs from a descriptor table all threads share, so the
// interrupted thread came back with the resolver thread's thread-locals and
// Asio crashed on its per-thread state. Create this before anything starts a
// thread (the first name resolution), so every later thread inherits the mask.
#ifndef PAT_HOST_STOP_SIGNALS_H
#define PAT_HOST_STOP_SIGNALS_H

#include <signal.h>

#include <boost/asio/io_context.hpp>
#include <boost/asio/posix/stream_descriptor.hpp>
#include <functional>
#include <memory>

namespace pathost {

class StopSignals {
public:
    // `stop` is called once, from the io_context, at the first SIGINT or
    // SIGTERM; `reload`, when given, at every SIGHUP until then.
    StopSignals(boost::asio::io_context &io, std::function<void(int signal)> stop,
                std::function<void()> reload = nullptr);
    ~StopSignals();  // restores the signal mask
    StopSignals(const StopSignals &) = delete;
    StopSignals &operator=(const StopSignals &) = delete;

    void Cancel();

private:
    struct State;
    std::shared_ptr<State> state_;
    sigset_t previous_;
};

}  // namespace pathost

#endif
