#include "poll/apply_answers.h"

#include "poll/answer_blocks.h"
#include "module/centro_data.h"
#include "module/module.h"

namespace pathost {

namespace {

Expected<ModuleCall> Call(const Module &module, CentroData &tree, PrnInfoEx *record, const char *what) {
    ModuleCall call{"PatSetCentroDataTo", what, 0, 0};
    Expected<int> result = module.SetCentroDataTo(tree.root(), 0, record, PAT_REVISION_TREE);
    if (!result) return std::unexpected(result.error());
    call.result = *result;
    call.lastError = module.LastError();
    return call;
}

}  // namespace

const ModuleCall *Applied::failure() const {
    for (const ModuleCall &call : calls)
        if (call.result == 0) return &call;
    return nullptr;
}

Expected<Applied> ApplyAnswers(const Module &module, PrnInfoEx *record, const QueryPlan &plan, std::string stream,
                               const std::optional<std::string> &deviceId, const ApplyOptions &options) {
    Applied applied;
    if (!options.raw) {
        applied.cleaning = CleanPjlStreamInPlace(stream);
        applied.cleaned = true;
    }
    AnswerParts parts;
    parts.zolt = SplitAnswerInPlace(stream);
    parts.main = std::move(stream);

    {
        CentroData tree(module);
        if (!options.lenient) tree.AttachRequestCopy(plan.request.get());
        tree.AddText(PAT_TAG_PJL_TEXT, parts.main);
        if (plan.wantsDeviceId && deviceId) tree.AddText(PAT_TAG_DEVICE_ID, *deviceId);
        const char *given = !plan.sendsPjl() ? "device ID" : plan.wantsDeviceId && deviceId ? "main answer and device ID"
                                                                                              : "main answer";
        Expected<ModuleCall> call = Call(module, tree, record, given);
        if (!call) return std::unexpected(call.error());
        applied.calls.push_back(*call);
    }
    if (plan.zoltRequest.get() != nullptr && !parts.zolt.empty()) {
        CentroData tree(module, true);
        if (!options.lenient) tree.AttachRequestCopy(plan.zoltRequest.get());
        tree.AddText(PAT_TAG_PJL_TEXT, parts.zolt);
        Expected<ModuleCall> call = Call(module, tree, record, "ZOLT answer");
        if (!call) return std::unexpected(call.error());
        applied.calls.push_back(*call);
    }
    return applied;
}

Expected<FlatRecord> ConvertToFlat(const Module &module, PrnInfoEx *record, uint32_t mask) {
    FlatRecord flat;
    Expected<int> result = module.PrnInfoExToPrnInfo(record, &flat.flat, mask);
    if (!result) return std::unexpected(result.error());
    flat.ok = *result != 0;
    flat.lastError = module.LastError();
    return flat;
}

}  // namespace pathost
