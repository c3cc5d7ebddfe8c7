// One round of a poll, whatever carried its answer: the answer is tracked
// against the plan, handed to the module with the device ID, and judged. A
// poll, serve, /probe, replay and compare all run their rounds through it, so
// a capture comes to what the printer's answer came to.
#ifndef PAT_HOST_POLL_ROUND_H
#define PAT_HOST_POLL_ROUND_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "poll/apply_answers.h"
#include "poll/outcome.h"
#include "poll/query_plan.h"
#include "transport/poll_session.h"

namespace pathost {

// The answer bytes and how their transport ended.
struct RoundAnswer {
    std::string bytes;           // taken by the round: cleaned where it lies
    SessionEnd end = SessionEnd::Complete;
    size_t bytesReceived = 0;    // read, kept or not
    std::string transportError;  // the connection's, when it closed early
    bool capture = false;        // from a file: no transport to judge
};

struct RoundResult {
    std::vector<ModuleCall> calls;
    std::optional<PjlCleaning> cleaning;  // the counts, when cleaning ran
    std::vector<std::string> missing;     // requested categories whose answer never ended
    std::vector<std::string> unanswered;  // optional inquiries left unanswered
    Verdict verdict;
};

// A ModuleFailure only when an export breaks its prototype; everything the
// module says is in the result.
Expected<RoundResult> RunRound(const Module &module, PrnInfoEx *record, const QueryPlan &plan, RoundAnswer answer,
                               const std::optional<std::string> &deviceId, const ApplyOptions &options,
                               const SessionLimits &limits);

// Adds what a round came to to the poll's outcome.
void AddRound(PollOutcome &outcome, RoundResult round);

}  // namespace pathost

#endif
