// The result of one poll of one printer (or one replay), as both outputs
// report it, and the rule that turns what happened into an exit status.
#ifndef PAT_HOST_OUTCOME_H
#define PAT_HOST_OUTCOME_H

#include <optional>
#include <string>
#include <vector>

#include "poll/apply_answers.h"
#include "sources/device_id_source.h"
#include "module/module.h"
#include "outcome/outcome_kind.h"
#include "printer_mib/printer_mib.h"
#include "snapshot/record_diff.h"
#include "snapshot/printer_snapshot.h"
#include "snapshot/snapshot_json.h"

namespace pathost {

struct PollOutcome {
    std::string address;  // "host:port", or the capture file for a replay
    std::optional<ModuleIdentity> module;  // the binary that made the record
    unsigned poll = 1;
    OutcomeKind kind = OutcomeKind::Pending;  // every poll starts as not yet finished
    std::string message;                      // one line for people: the details of the kind
    std::string hint;                         // what to try next, when the kind's own does not fit
    std::vector<std::string> notes;
    unsigned rounds = 0;
    size_t bytesReceived = 0;
    std::vector<std::string> missing;     // requested categories whose answer never ended
    std::vector<std::string> unanswered;  // the host's optional inquiries left unanswered
    bool lenient = false;
    std::vector<ModuleCall> calls;
    std::optional<PrinterSnapshot> snapshot;  // the record after this poll, and its flat form
    std::vector<Change> changes;  // since the previous poll (--watch)
    bool watching = false;
    std::optional<DeviceIdOrigin> deviceIdOrigin;
    std::optional<DeviceIdCleaning> deviceIdCleaning;
    PjlCleaning pjlCleaning;  // counts over every round
    bool pjlCleaned = false;
    std::optional<PrinterMib> printerMib;         // what the agent's Printer MIB said, when it answered
    std::vector<CategorySource> categorySources;  // which source filled each category asked for

    int exitCode() const { return ExitCodeOf(kind); }
    const char *result() const { return WordOf(kind); }
};

struct Verdict {
    OutcomeKind kind = OutcomeKind::Pending;
    std::string message;
};

// What a person can do next about a failed poll; empty when it succeeded.
inline std::string NextStep(const PollOutcome &outcome) {
    return outcome.hint.empty() ? std::string(HintOf(outcome.kind)) : outcome.hint;
}

// The poll's last steps, whatever ran its rounds: the lenient note, the flat
// record and its status check, and the record itself. An export that breaks
// its prototype makes the poll a module failure.
void FinishOutcome(const Module &module, PollOutcome &outcome, PrnInfoEx *record, uint32_t mask);

std::string Join(const std::vector<std::string> &words, const char *separator = ", ");

}  // namespace pathost

#endif
