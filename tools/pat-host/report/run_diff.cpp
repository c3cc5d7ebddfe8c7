#include "report/run_diff.h"

#include "module/module_objects.h"

namespace pathost {

namespace {

void Compare(std::vector<Change> &changes, const std::string &path, const Json &a, const Json &b) {
    if (a != b) changes.push_back({path, a, b});
}

Json CallResult(const ModuleCall *call) { return call != nullptr ? Json(call->result) : Json("not called"); }
Json CallError(const ModuleCall *call) { return call != nullptr ? Json(HexCode(call->lastError)) : Json("not called"); }

Json FlatResult(const std::optional<FlatRecord> &flat) { return flat ? Json(flat->ok ? 1 : 0) : Json("not called"); }
Json FlatError(const std::optional<FlatRecord> &flat) {
    return flat ? Json(HexCode(flat->lastError)) : Json("not called");
}
Json FlatFields(const std::optional<FlatRecord> &flat) {
    return flat && flat->ok ? FlatToJson(flat->flat) : Json::object();
}

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
    Compare(changes, "PatPrnInfoExToPrnInfo.result", FlatResult(a.flat), FlatResult(b.flat));
    Compare(changes, "PatPrnInfoExToPrnInfo.lastError", FlatError(a.flat), FlatError(b.flat));
    std::vector<Change> record = DiffRecords(a.record, b.record);
    changes.insert(changes.end(), record.begin(), record.end());
    // A flat record missing on one side is the result above, not every field.
    if (!FlatFields(a.flat).empty() && FlatFields(b.flat).empty()) return changes;
    if (FlatFields(a.flat).empty() && !FlatFields(b.flat).empty()) return changes;
    Json flatA = FlatFields(a.flat), flatB = FlatFields(b.flat);
    for (auto field = flatA.begin(); field != flatA.end(); ++field)
        Compare(changes, "PrnInfo." + field.key(), field.value(), flatB.value(field.key(), Json()));
    for (auto field = flatB.begin(); field != flatB.end(); ++field)
        if (!flatA.contains(field.key())) changes.push_back({"PrnInfo." + field.key(), nullptr, field.value()});
    return changes;
}

}  // namespace pathost
