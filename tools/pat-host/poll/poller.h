// Polls printers (printer_poll.h), the result of each reported as soon as it
// is known. Several printers run concurrently on one io_context, at most
// `concurrency` at once; with a watch interval each printer is polled again
// into the same record.
#ifndef PAT_HOST_POLLER_H
#define PAT_HOST_POLLER_H

#include <boost/asio/io_context.hpp>
#include <functional>
#include <memory>
#include <vector>

#include "poll/printer_poll.h"

namespace pathost {

class PollRunner {
public:
    PollRunner(boost::asio::io_context &io, std::vector<Target> targets, PollSettings settings, Report report);
    ~PollRunner();
    // Starts the polls; they run as the io_context runs.
    void Start();
    // Called once no poll runs, none waits and no watch interval is pending.
    void OnAllDone(std::function<void()> allDone);
    // Ends the run now: every printer not yet finished (polling, waiting for
    // its turn or for its next watch poll) is reported as interrupted, once.
    void Interrupt();
    // Interrupted when the run was; else the result of the first printer, in
    // the order given, whose last poll failed; Pending while any is unfinished.
    OutcomeKind Result() const;
    int ExitCode() const { return ExitCodeOf(Result()); }

private:
    struct Impl;
    std::shared_ptr<Impl> impl_;
};

}  // namespace pathost

#endif
