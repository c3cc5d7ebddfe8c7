#include "poll/query_plan.h"

#include <stdio.h>

#include <random>

#include "poll/answer_blocks.h"
#include "transport/answer_tracker.h"
#include "module/module.h"

namespace pathost {

namespace {

constexpr const char *kUniversalExit = "\x1B%-12345X";
constexpr const char *kHostInquiries =
    "@PJL INQUIRE PRINTERMARKINGTYPE\r\n"
    "@PJL INQUIRE REFRESHCOPYPLUGINSTATUS\r\n";

std::string Job(const std::string &lines) { return std::string(kUniversalExit) + "@PJL\r\n" + lines + kUniversalExit; }

}  // namespace

std::string NewEchoToken() {
    static std::mt19937 generator{std::random_device{}()};
    char token[32];
    snprintf(token, sizeof token, "%.*s%08X", static_cast<int>(kEchoPrefix.size()), kEchoPrefix.data(),
             static_cast<unsigned>(generator()));
    return token;
}

Expected<QueryPlan> BuildQueryPlan(const Module &module, PrnInfoEx *record, uint32_t mask, const std::string &echoToken) {
    QueryPlan plan;
    Expected<DataNode *> request = module.CreateQueryInfo(record, PAT_REVISION_TREE, mask);
    if (!request) return std::unexpected(request.error());
    plan.request = ModuleTree(module, *request);
    if (plan.request.get() == nullptr)
        return Fail(OutcomeKind::ModuleFailure, RefusalText("PatCreateQueryInfo", module.LastError()));
    plan.wantsDeviceId = FindChild(plan.request.get(), PAT_TAG_DEVICE_ID) != nullptr;
    plan.moduleText = TextPayload(FindChild(plan.request.get(), PAT_TAG_PJL_TEXT));
    if (plan.moduleText.empty()) return plan;  // nothing for the PJL channel

    plan.text = plan.moduleText;
    plan.required = RequestedCategories(plan.moduleText);
    if (mask & PAT_CAT_EMULATIONS) {
        Expected<DataNode *> zolt = module.CreateEmulUniqQueryInfo(record, PAT_REVISION_TREE, PAT_EMUL_QUERY_KIND, 0);
        if (!zolt) return std::unexpected(zolt.error());
        plan.zoltRequest = ModuleTree(module, *zolt);
        if (plan.zoltRequest.get() == nullptr)
            return Fail(OutcomeKind::ModuleFailure, RefusalText("PatCreateEmulUniqQueryInfo", module.LastError()));
        std::string zoltText = TextPayload(FindChild(plan.zoltRequest.get(), PAT_TAG_PJL_TEXT));
        plan.text += zoltText;
        for (std::string &category : RequestedCategories(zoltText)) plan.optional.push_back(std::move(category));
    }
    if (mask & PAT_CAT_OPTIONS) {
        plan.text += Job(kHostInquiries);
        for (std::string &category : RequestedCategories(kHostInquiries)) plan.optional.push_back(std::move(category));
    }
    plan.echoToken = echoToken;
    plan.text += Job("@PJL ECHO " + echoToken + "\r\n");
    return plan;
}

}  // namespace pathost
