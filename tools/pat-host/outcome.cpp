#include "outcome.h"

#include <stdio.h>

#include "exit_codes.h"
#include "module_objects.h"

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
        return {kExitModule, "module failure",
                "the module refused the " + failure->tree + ": " + failure->call + " failed with " +
                    HexCode(failure->lastError) + " (" + ErrorMeaning(failure->lastError) + ")"};
    size_t received = session != nullptr ? session->bytesReceived : 0;
    std::string bytes = std::to_string(received) + " bytes";
    if (!missing.empty()) {
        switch (end) {
            case SessionEnd::IdleTimeout:
                if (received == 0)
                    return {kExitTimeout, "silent",
                            "no answer within the idle timeout of " + Seconds(limits.idle) + NeverEnded(missing)};
                return {kExitTimeout, "silent",
                        "went silent after " + bytes + " (idle timeout " + Seconds(limits.idle) + ")" + NeverEnded(missing)};
            case SessionEnd::OverallTimeout:
                if (received == 0)
                    return {kExitTimeout, "silent",
                            "no answer within the overall timeout of " + Seconds(limits.overall) + NeverEnded(missing)};
                return {kExitTimeout, "timeout",
                        "the overall timeout of " + Seconds(limits.overall) + " passed after " + bytes + NeverEnded(missing)};
            case SessionEnd::PeerClosed:
                return {kExitIncomplete, "incomplete",
                        "the printer closed the connection after " + bytes +
                            (session != nullptr && !session->error.empty() ? " (" + session->error + ")" : "") +
                            NeverEnded(missing)};
            case SessionEnd::ByteLimit:
                return {kExitIncomplete, "incomplete",
                        "stopped reading at the limit of " + std::to_string(limits.maxBytes) + " bytes (--max-bytes)" +
                            NeverEnded(missing)};
            case SessionEnd::Complete:
                return {kExitIncomplete, "incomplete",
                        "the printer finished answering (its echo came back)" + NeverEnded(missing)};
            case SessionEnd::Unreachable:
                return {kExitIncomplete, "incomplete", "the answer is incomplete" + NeverEnded(missing)};
        }
    }
    if (failure != nullptr)
        return {kExitIncomplete, "incomplete",
                "the module found that the " + failure->tree + " does not answer the request: " + failure->call +
                    " failed with " + HexCode(failure->lastError) + " (" + ErrorMeaning(failure->lastError) + ")"};
    return {kExitOk, "ok", "ok"};
}

std::string NextStep(const PollOutcome &o) {
    switch (o.exitCode) {
        case kExitUnavailable:
            return "check the address and port, and that the printer takes raw connections (port 9100 unless given)";
        case kExitTimeout:
            if (o.bytesReceived == 0)
                return "the printer may not speak PJL on this port: try its raw port; for a slow printer raise "
                       "--idle-timeout and --timeout";
            return "for a slow printer raise --idle-timeout and --timeout; --lenient applies what arrived";
        case kExitIncomplete:
            if (o.result == "incomplete" && o.message.find("--max-bytes") != std::string::npos)
                return "raise --max-bytes, or use --lenient to apply what arrived";
            return "--lenient applies what arrived; --capture FILE keeps the bytes for 'pat-host replay' and a report";
        case kExitModule:
            return "keep the answer with --capture FILE and reproduce it with 'pat-host replay --answer FILE'";
        case kExitIoError:
            return "check the device node (e.g. /dev/usb/lp0) and its permissions, or pass --device-id";
        default:
            return "";
    }
}

void FinishOutcome(PollOutcome &outcome, PrnInfoEx *record, uint32_t mask) {
    outcome.flat = ConvertToFlat(record, mask);
    if (!outcome.flat->ok) {
        // A module build without the conversion is no failure of this poll.
        if (outcome.flat->lastError != PAT_ERROR_CALL_NOT_IMPLEMENTED && outcome.exitCode == kExitOk) {
            outcome.exitCode = kExitModule;
            outcome.result = "module failure";
            outcome.message = "PatPrnInfoExToPrnInfo failed with " + HexCode(outcome.flat->lastError) + " (" +
                              ErrorMeaning(outcome.flat->lastError) + ")";
        }
    }
    outcome.record = RecordToJson(*record);
}

}  // namespace pathost
