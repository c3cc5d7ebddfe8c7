// One exchange with a printer over TCP: connect, send the request, read the
// answer until the tracker says it is complete, the printer closes, goes
// silent for the idle timeout, the overall timeout passes, or the answer
// reaches the byte limit. Runs on the caller's io_context; never blocks it.
#ifndef PAT_HOST_POLL_SESSION_H
#define PAT_HOST_POLL_SESSION_H

#include <stddef.h>

#include <boost/asio/io_context.hpp>
#include <chrono>
#include <functional>
#include <string>

#include "transport/answer_tracker.h"
#include "transport/target.h"

namespace pathost {

// Answer bytes kept per printer unless --max-bytes says otherwise: 1 MiB.
inline constexpr size_t kDefaultMaxBytes = size_t{1} << 20;

struct SessionLimits {
    std::chrono::milliseconds overall{10000};
    std::chrono::milliseconds idle{3000};
    size_t maxBytes = kDefaultMaxBytes;  // answer bytes kept per printer
};

enum class SessionEnd {
    Complete,        // every category answered, or the closing echo came back
    PeerClosed,      // the printer closed the connection first
    IdleTimeout,     // nothing arrived for the idle timeout
    OverallTimeout,  // the overall timeout passed while bytes were arriving
    ByteLimit,       // the answer reached the byte limit; reading stopped
    Unreachable,     // no connection (name, refusal, or no answer to connect)
    NoDescriptors,   // no socket: this process is out of file descriptors
    Interrupted,     // the owner stopped it (Ctrl-C, SIGTERM)
};

struct SessionResult {
    SessionEnd end = SessionEnd::Unreachable;
    std::string answer;        // at most maxBytes
    size_t bytesReceived = 0;  // everything read, kept or not
    std::string error;         // what went wrong with the connection
    std::chrono::milliseconds elapsed{0};
    AnswerTracker tracker;
};

using SessionDone = std::function<void(SessionResult)>;

// Stops the exchange if it still runs: it ends at once with Interrupted,
// calling `done` before returning. Safe to call after it ended.
using StopExchange = std::function<void()>;

StopExchange StartExchange(boost::asio::io_context &io, const Target &target, std::string request, AnswerTracker tracker,
                           const SessionLimits &limits, SessionDone done);

}  // namespace pathost

#endif
