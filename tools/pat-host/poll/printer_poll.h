// One printer's poll: one record, one round (and a second when the first
// answer named trays the first query did not ask about), the answers handed to
// the module, the result reported when it is known. The record is kept from
// poll to poll, so a watch or a server sees what changed.
#ifndef PAT_HOST_PRINTER_POLL_H
#define PAT_HOST_PRINTER_POLL_H

#include <boost/asio/io_context.hpp>
#include <functional>
#include <memory>

#include "poll/outcome.h"
#include "poll/query_plan.h"
#include "poll/round_worker.h"
#include "printer_mib/mib_source.h"
#include "sources/device_id_source.h"
#include "transport/poll_session.h"
#include "transport/target.h"

namespace pathost {

struct PollSettings {
    const Module *module = nullptr;  // every printer's record and calls go through it
    uint32_t mask = kAllCategories;  // the device ID categories are dropped without a source
    SessionLimits limits;
    bool raw = false;
    bool lenient = false;
    SourcePtr deviceIdSource;  // null: none, and no device-ID categories
    std::chrono::milliseconds sourceDeadline{std::chrono::hours(24)};  // the most the source may take
    bool force = false;  // send PJL even when the command set names none
    size_t concurrency = 8;
    std::chrono::milliseconds watchInterval{0};  // 0: poll once
    unsigned watchCount = 0;                     // polls per printer with a watch; 0: until stopped
    // Given the raw answer of every round; a failure to keep it ends the poll.
    std::function<Expected<void>(const std::string &)> capture;
    // Trays the record starts with, so the first round asks for them at once
    // (a poll object that lives for one poll: the trays its previous poll found).
    std::vector<uint16_t> trays;
    // Where the module reads the answers; null: on the polling thread.
    RoundWorker *roundWorker = nullptr;
    // The Printer MIB over SNMP: off, where the agent answered the device-ID
    // question (auto), or required (on).
    PrinterMibSettings printerMib;
};


using Report = std::function<void(const PollOutcome &)>;

class PrinterPoll {
public:
    virtual ~PrinterPoll() = default;
    // Polls once, as the printer's poll `number`; `finished` is called after
    // the result was reported.
    virtual void Poll(unsigned number, std::function<void(OutcomeKind)> finished) = 0;
    // Ends what is in flight; the poll then reports the interruption.
    virtual void Interrupt() = 0;
    // Reports the poll `number`, which never started, as interrupted.
    virtual void ReportInterrupted(unsigned number, const std::string &why) = 0;
};

std::shared_ptr<PrinterPoll> MakePrinterPoll(boost::asio::io_context &io, Target target, const PollSettings &settings,
                                             Report report);

}  // namespace pathost

#endif
