#include "module/module_objects.h"
#include "report/printer_mib_json.h"
#include "report/report.h"

namespace pathost {

namespace {

Json CallToJson(const ModuleCall &call) {
    return {{"call", call.call},           {"tree", call.tree},
            {"round", call.round},         {"result", call.result},
            {"lastError", call.lastError}, {"lastErrorHex", HexCode(call.lastError)},
            {"lastErrorMeaning", ErrorMeaning(call.lastError)}};
}

Json CleaningToJson(const PollOutcome &o) {
    Json cleaning = {{"deviceId", nullptr}, {"pjl", nullptr}};
    if (o.deviceIdCleaning) {
        const DeviceIdCleaning &d = *o.deviceIdCleaning;
        cleaning["deviceId"] = {{"lengthPrefixRemoved", d.prefix.removed},
                                {"littleEndian", d.prefix.littleEndian},
                                {"clamped", d.prefix.clamped},
                                {"prefixCounts", !d.prefix.removed || d.prefix.clamped ? Json(nullptr)
                                                 : Json(d.prefix.countsText ? "text" : "itself")},
                                {"keysRenamed", d.keysRenamed},
                                {"keysTrimmed", d.keysTrimmed}};
    }
    if (o.pjlCleaned)
        cleaning["pjl"] = {{"nulsRemoved", o.pjlCleaning.nulsRemoved}, {"ctrlDsRemoved", o.pjlCleaning.ctrlDsRemoved}};
    return cleaning;
}

}  // namespace

Json OutcomeToJson(const PollOutcome &o, const ModuleIdentity *module) {
    Json j;
    j["address"] = o.address;
    if (o.module) module = &*o.module;
    if (module != nullptr) j["module"] = {{"path", module->path}, {"kind", module->kind}, {"version", module->version}};
    j["poll"] = o.poll;
    j["exitCode"] = ExitCodeOf(o.kind);
    j["result"] = WordOf(o.kind);
    j["message"] = o.message;
    j["hint"] = NextStep(o);
    // The module's answer: the call that failed, else the last one made.
    const ModuleCall *shown = nullptr;
    for (const ModuleCall &call : o.calls) {
        if (call.result == 0) {
            shown = &call;
            break;
        }
    }
    if (shown == nullptr && !o.calls.empty()) shown = &o.calls.back();
    j["moduleResult"] = shown != nullptr ? Json(shown->result) : Json(nullptr);
    j["lastError"] = shown != nullptr ? Json(shown->lastError) : Json(nullptr);
    j["lastErrorHex"] = shown != nullptr ? Json(HexCode(shown->lastError)) : Json(nullptr);
    j["lastErrorMeaning"] = shown != nullptr ? Json(ErrorMeaning(shown->lastError)) : Json(nullptr);
    Json calls = Json::array();
    for (const ModuleCall &call : o.calls) calls.push_back(CallToJson(call));
    j["calls"] = std::move(calls);
    j["rounds"] = o.rounds;
    j["bytesReceived"] = o.bytesReceived;
    j["missingCategories"] = o.missing;
    j["unansweredInquiries"] = o.unanswered;
    j["lenient"] = o.lenient;
    j["notes"] = o.notes;
    if (o.deviceIdOrigin) {
        const DeviceIdOrigin &d = *o.deviceIdOrigin;
        j["deviceIdSource"] = {{"source", d.source}, {"where", d.where}};
        for (const auto &[name, value] : d.fields) j["deviceIdSource"][name] = value;
    } else {
        j["deviceIdSource"] = nullptr;
    }
    j["cleaning"] = CleaningToJson(o);
    j["sources"] = CategorySourcesJson(o.categorySources);
    j["printerMib"] = o.printerMib ? PrinterMibJson(*o.printerMib) : Json(nullptr);
    j["PrnInfoEx"] = o.snapshot ? RecordJson(*o.snapshot) : Json(nullptr);
    const FlatConversion *flat = o.snapshot && o.snapshot->flat ? &*o.snapshot->flat : nullptr;
    if (const FlatSnapshot *record = o.snapshot ? o.snapshot->flatRecord() : nullptr)
        j["PrnInfo"] = FlatJson(*record);
    else
        j["PrnInfo"] = nullptr;
    if (flat)
        j["PrnInfoResult"] = {{"call", "PatPrnInfoExToPrnInfo"},
                              {"result", flat->ok ? 1 : 0},
                              {"lastError", flat->lastError},
                              {"lastErrorHex", HexCode(flat->lastError)},
                              {"lastErrorMeaning", ErrorMeaning(flat->lastError)}};
    else
        j["PrnInfoResult"] = nullptr;
    if (o.watching) {
        Json changes = Json::array();
        for (const Change &change : o.changes)
            changes.push_back({{"path", change.path}, {"before", change.before}, {"after", change.after}});
        j["changes"] = std::move(changes);
    }
    return j;
}

void PrintJson(std::ostream &out, const PollOutcome &outcome) {
    out << OutcomeToJson(outcome).dump(-1, ' ', false, Json::error_handler_t::replace) << '\n' << std::flush;
}

}  // namespace pathost
