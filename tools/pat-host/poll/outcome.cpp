#include "poll/outcome.h"

#include <stdio.h>

#include "module/module_objects.h"

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

}  // namespace

std::string Join(const std::vector<std::string> &words, const char *separator) {
    std::string text;
    for (const std::string &word : words) text += (text.empty() ? "" : separator) + word;
    return text;
}

Verdict Judge(SessionEnd end, const std::vector<std::string> &missing, const Applied &applied,
              const SessionResult *session, const SessionLimits &limits) {
    const ModuleCall *failure = applied.failure();
    if (failure != nullptr && failure->lastError != PAT_ERROR_REPLY_MISMATCH)
        return {OutcomeKind::ModuleFailure,
                "the module refused the " + failure->tree + ": " + failure->call + " failed with " +
                    HexCode(failure->lastError) + " (" + ErrorMeaning(failure->lastError) + ")"};
    size_t received = session != nullptr ? session->bytesReceived : 0;
    std::string bytes = std::to_string(received) + " bytes";
    if (!missing.empty()) {
        switch (end) {
            case SessionEnd::IdleTimeout:
                if (received == 0)
                    return {OutcomeKind::NoAnswer,
                            "no answer within the idle timeout of " + Seconds(limits.idle) + NeverEnded(missing)};
                return {OutcomeKind::WentSilent,
                        "went silent after " + bytes + " (idle timeout " + Seconds(limits.idle) + ")" + NeverEnded(missing)};
            case SessionEnd::OverallTimeout:
                if (received == 0)
                    return {OutcomeKind::NoAnswer,
                            "no answer within the overall timeout of " + Seconds(limits.overall) + NeverEnded(missing)};
                return {OutcomeKind::TooSlow,
                        "the overall timeout of " + Seconds(limits.overall) + " passed after " + bytes + NeverEnded(missing)};
            case SessionEnd::PeerClosed:
                return {OutcomeKind::Incomplete,
                        "the printer closed the connection after " + bytes +
                            (session != nullptr && !session->error.empty() ? " (" + session->error + ")" : "") +
                            NeverEnded(missing)};
            case SessionEnd::ByteLimit:
                return {OutcomeKind::ByteLimit,
                        "stopped reading at the limit of " + std::to_string(limits.maxBytes) + " bytes (--max-bytes)" +
                            NeverEnded(missing)};
            case SessionEnd::Complete:
                return {OutcomeKind::Incomplete,
                        "the printer finished answering (its echo came back)" + NeverEnded(missing)};
            case SessionEnd::Unreachable:
            case SessionEnd::Interrupted:
                return {OutcomeKind::Incomplete, "the answer is incomplete" + NeverEnded(missing)};
        }
    }
    if (failure != nullptr)
        return {OutcomeKind::Incomplete,
                "the module found that the " + failure->tree + " does not answer the request: " + failure->call +
                    " failed with " + HexCode(failure->lastError) + " (" + ErrorMeaning(failure->lastError) + ")"};
    return {OutcomeKind::Ok, "ok"};
}

void FinishOutcome(const Module &module, PollOutcome &outcome, PrnInfoEx *record, uint32_t mask) {
    FlatRecord flat;
    try {
        flat = ConvertToFlat(module, record, mask);
    } catch (const BrokenExport &broken) {
        outcome.kind = OutcomeKind::ModuleFailure;
        outcome.message = broken.what();
        outcome.snapshot = SnapshotOf(*record);
        return;
    }
    if (!flat.ok) {
        // A module build without the conversion is no failure of this poll.
        if (flat.lastError != PAT_ERROR_CALL_NOT_IMPLEMENTED && Succeeded(outcome.kind)) {
            outcome.kind = OutcomeKind::ModuleFailure;
            outcome.message = "PatPrnInfoExToPrnInfo failed with " + HexCode(flat.lastError) + " (" +
                              ErrorMeaning(flat.lastError) + ")";
        }
    }
    outcome.snapshot = SnapshotOf(*record);
    outcome.snapshot->flat = ConversionOf(flat.ok, flat.lastError, flat.flat);
}

}  // namespace pathost
