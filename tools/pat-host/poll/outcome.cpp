#include "poll/outcome.h"

#include "module/module_objects.h"

namespace pathost {

std::string Join(const std::vector<std::string> &words, const char *separator) {
    std::string text;
    for (const std::string &word : words) text += (text.empty() ? "" : separator) + word;
    return text;
}

void FinishOutcome(const Module &module, PollOutcome &outcome, PrnInfoEx *record, uint32_t mask) {
    if (outcome.lenient && !outcome.calls.empty())
        outcome.notes.push_back("lenient: the answers went to the module without the request copy, "
                                "so it applied whatever arrived");
    Expected<FlatRecord> flat = ConvertToFlat(module, record, mask);
    if (!flat) {
        outcome.kind = flat.error().kind;
        outcome.message = flat.error().message;
        outcome.snapshot = SnapshotOf(*record);
        return;
    }
    if (!flat->ok) {
        // A module build without the conversion is no failure of this poll.
        if (flat->lastError != PAT_ERROR_CALL_NOT_IMPLEMENTED && Succeeded(outcome.kind)) {
            outcome.kind = OutcomeKind::ModuleFailure;
            outcome.message = "PatPrnInfoExToPrnInfo failed with " + HexCode(flat->lastError) + " (" +
                              ErrorMeaning(flat->lastError) + ")";
        }
    }
    outcome.snapshot = SnapshotOf(*record);
    outcome.snapshot->flat = ConversionOf(flat->ok, flat->lastError, flat->flat);
}

}  // namespace pathost
