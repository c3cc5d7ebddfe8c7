#include "poll/round.h"

#include <stdio.h>

#include "module/module_objects.h"
#include "transport/answer_tracker.h"

namespace pathost {

namespace {

std::string Seconds(std::chrono::milliseconds duration) {
    char text[32];
    snprintf(text, sizeof text, "%g s", static_cast<double>(duration.count()) / 1000.0);
    return text;
}

std::string NeverEnded(const std::vector<std::string> &missing) {
    return missing.empty() ? std::string() : "; no answer ended with its form feed for: " + Join(missing);
}

// What never ended, by how the transport ended.
Verdict Unfinished(const RoundAnswer &answer, const std::vector<std::string> &missing, const SessionLimits &limits) {
    if (answer.capture)
        return {OutcomeKind::Incomplete, "the capture holds no answer that ends with its form feed for: " + Join(missing)};
    std::string bytes = std::to_string(answer.bytesReceived) + " bytes";
    switch (answer.end) {
        case SessionEnd::IdleTimeout:
            if (answer.bytesReceived == 0)
                return {OutcomeKind::NoAnswer,
                        "no answer within the idle timeout of " + Seconds(limits.idle) + NeverEnded(missing)};
            return {OutcomeKind::WentSilent,
                    "went silent after " + bytes + " (idle timeout " + Seconds(limits.idle) + ")" + NeverEnded(missing)};
        case SessionEnd::OverallTimeout:
            if (answer.bytesReceived == 0)
                return {OutcomeKind::NoAnswer,
                        "no answer within the overall timeout of " + Seconds(limits.overall) + NeverEnded(missing)};
            return {OutcomeKind::TooSlow,
                    "the overall timeout of " + Seconds(limits.overall) + " passed after " + bytes + NeverEnded(missing)};
        case SessionEnd::PeerClosed:
            return {OutcomeKind::Incomplete,
                    "the printer closed the connection after " + bytes +
                        (answer.transportError.empty() ? "" : " (" + answer.transportError + ")") + NeverEnded(missing)};
        case SessionEnd::ByteLimit:
            return {OutcomeKind::ByteLimit,
                    "stopped reading at the limit of " + std::to_string(limits.maxBytes) + " bytes (--max-bytes)" +
                        NeverEnded(missing)};
        case SessionEnd::Complete:
            return {OutcomeKind::Incomplete, "the printer finished answering (its echo came back)" + NeverEnded(missing)};
        case SessionEnd::Unreachable:
        case SessionEnd::NoDescriptors:
        case SessionEnd::Interrupted: break;
    }
    return {OutcomeKind::Incomplete, "the answer is incomplete" + NeverEnded(missing)};
}

// The module's own refusal (not 0x20000002) outranks what never ended, which
// outranks the module finding the answers incomplete.
Verdict Judge(const RoundAnswer &answer, const std::vector<std::string> &missing, const Applied &applied,
              const SessionLimits &limits) {
    const ModuleCall *failure = applied.failure();
    if (failure != nullptr && failure->lastError != PAT_ERROR_REPLY_MISMATCH)
        return {OutcomeKind::ModuleFailure,
                "the module refused the " + failure->tree + ": " + RefusalText(failure->call, failure->lastError)};
    if (!missing.empty()) return Unfinished(answer, missing, limits);
    if (failure != nullptr)
        return {OutcomeKind::Incomplete, "the module found that the " + failure->tree +
                                             " does not answer the request: " + RefusalText(failure->call, failure->lastError)};
    return {OutcomeKind::Ok, "ok"};
}

}  // namespace

Expected<RoundResult> RunRound(const Module &module, PrnInfoEx *record, const QueryPlan &plan, RoundAnswer answer,
                               const std::optional<std::string> &deviceId, const ApplyOptions &options,
                               const SessionLimits &limits) {
    AnswerTracker tracker(plan.required, plan.optional, plan.echoToken);
    tracker.Feed(answer.bytes);
    Expected<Applied> applied = ApplyAnswers(module, record, plan, std::move(answer.bytes), deviceId, options);
    if (!applied) return std::unexpected(applied.error());
    RoundResult round;
    round.missing = tracker.MissingRequired();
    round.unanswered = tracker.MissingOptional();
    round.verdict = Judge(answer, round.missing, *applied, limits);
    round.calls = std::move(applied->calls);
    if (applied->cleaned) round.cleaning = applied->cleaning;
    return round;
}

void AddRound(PollOutcome &outcome, RoundResult round) {
    for (ModuleCall &call : round.calls) {
        call.round = outcome.rounds;
        outcome.calls.push_back(std::move(call));
    }
    if (round.cleaning) {
        outcome.pjlCleaned = true;
        outcome.pjlCleaning.nulsRemoved += round.cleaning->nulsRemoved;
        outcome.pjlCleaning.ctrlDsRemoved += round.cleaning->ctrlDsRemoved;
    }
    outcome.missing = std::move(round.missing);
    outcome.unanswered = std::move(round.unanswered);
    outcome.kind = round.verdict.kind;
    outcome.message = std::move(round.verdict.message);
}

}  // namespace pathost
