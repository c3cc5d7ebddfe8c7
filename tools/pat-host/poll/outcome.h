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
#include "transport/poll_session.h"
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

    int exitCode() const { return ExitCodeOf(kind); }
    const char *result() const { return WordOf(kind); }
};

struct Verdict {
    OutcomeKind kind;
    std::string message;
};

// How a round ended: the transport's end, what never ended, and what the
// module said. The module's own refusal (not 0x20000002) outranks a timeout,
// a timeout outranks an incomplete answer.
Verdict Judge(SessionEnd end, const std::vector<std::string> &missing, const Applied &applied,
              const SessionResult *session, const SessionLimits &limits);

// What a person can do next about a failed poll; empty when it succeeded.
inline std::string NextStep(const PollOutcome &outcome) { return HintOf(outcome.kind); }

// Flat record, last notes and the status check of PatPrnInfoExToPrnInfo; the
// snapshot of both.
void FinishOutcome(const Module &module, PollOutcome &outcome, PrnInfoEx *record, uint32_t mask);

std::string Join(const std::vector<std::string> &words, const char *separator = ", ");

}  // namespace pathost

#endif
