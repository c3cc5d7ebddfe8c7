// Polls printers: per printer one record, one round (and a second when the
// first answer named trays the first query did not ask about), the answers
// handed to the module, the result reported as soon as it is known. Several
// printers run concurrently on one io_context, at most `concurrency` at once;
// with a watch interval each printer is polled again into the same record.
#ifndef PAT_HOST_POLLER_H
#define PAT_HOST_POLLER_H

#include <boost/asio/io_context.hpp>
#include <functional>
#include <memory>
#include <vector>

#include "outcome.h"
#include "query_plan.h"
#include "snmp_source.h"
#include "target.h"

namespace pathost {

struct PollSettings {
    const Module *module = nullptr;  // every printer's record and calls go through it
    uint32_t mask = kAllCategories;  // the device ID categories are dropped without a source
    SessionLimits limits;
    bool raw = false;
    bool lenient = false;
    DeviceIdSource deviceIdSource;
    SnmpSettings snmp;   // for the SNMP source, asked on each printer's own host
    bool force = false;  // send PJL even when the command set names none
    size_t concurrency = 8;
    std::chrono::milliseconds watchInterval{0};  // 0: poll once
    unsigned watchCount = 0;                     // polls per printer with a watch; 0: until stopped
    std::function<void(const std::string &)> capture;  // given the raw answer of every round
};


using Report = std::function<void(const PollOutcome &)>;

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
