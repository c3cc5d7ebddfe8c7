#include "report/run_diff.h"

#include "module/module_objects.h"

namespace pathost {

namespace {

void Compare(std::vector<Change> &changes, const std::string &path, const Json &a, const Json &b) {
    if (a != b) changes.push_back({path, a, b});
}

Json CallResult(const ModuleCall *call) { return call != nullptr ? Json(call->result) : Json("not called"); }
Json CallError(const ModuleCall *call) { return call != nullptr ? Json(HexCode(call->lastError)) : Json("not called"); }

const FlatConversion *FlatOf(const PollOutcome &o) { return o.snapshot && o.snapshot->flat ? &*o.snapshot->flat : nullptr; }
Json FlatResult(const FlatConversion *flat) { return flat ? Json(flat->ok ? 1 : 0) : Json("not called"); }
Json FlatError(const FlatConversion *flat) { return flat ? Json(HexCode(flat->lastError)) : Json("not called"); }

}  // namespace

std::vector<Change> DiffRuns(const ReplayRun &first, const ReplayRun &second) {
    const PollOutcome &a = first.outcome, &b = second.outcome;
    std::vector<Change> changes;
    Compare(changes, "result", WordOf(a.kind), WordOf(b.kind));
    Compare(changes, "message", a.message, b.message);
    Compare(changes, "query", first.queryText, second.queryText);
    for (size_t i = 0; i < std::max(a.calls.size(), b.calls.size()); ++i) {
        const ModuleCall *x = i < a.calls.size() ? &a.calls[i] : nullptr;
        const ModuleCall *y = i < b.calls.size() ? &b.calls[i] : nullptr;
        std::string name = (x != nullptr ? x : y)->call + "(" + (x != nullptr ? x : y)->tree + ")";
        Compare(changes, name + ".result", CallResult(x), CallResult(y));
        Compare(changes, name + ".lastError", CallError(x), CallError(y));
    }
    const FlatConversion *flatOfA = FlatOf(a), *flatOfB = FlatOf(b);
    Compare(changes, "PatPrnInfoExToPrnInfo.result", FlatResult(flatOfA), FlatResult(flatOfB));
    Compare(changes, "PatPrnInfoExToPrnInfo.lastError", FlatError(flatOfA), FlatError(flatOfB));
    if (!a.snapshot || !b.snapshot) return changes;  // a replay always makes one
    std::vector<Change> record = DiffSnapshots(*a.snapshot, *b.snapshot);
    changes.insert(changes.end(), record.begin(), record.end());
    std::vector<Change> flat = DiffFlat(a.snapshot->flatRecord(), b.snapshot->flatRecord());
    changes.insert(changes.end(), flat.begin(), flat.end());
    return changes;
}

}  // namespace pathost
