// What the host sends to a printer for one round of a poll: the module's PJL
// query, the emulation-specific query when emulations are wanted, the host's
// own inquiries for marking type and function package when options are
// wanted, and a closing "@PJL ECHO" that tells when the printer is through.
#ifndef PAT_HOST_QUERY_PLAN_H
#define PAT_HOST_QUERY_PLAN_H

#include <stdint.h>

#include <string>
#include <vector>

#include "module/mask.h"
#include "module/module_objects.h"
#include "outcome/failure.h"

namespace pathost {

struct QueryPlan {
    ModuleTree request;       // PatCreateQueryInfo
    ModuleTree zoltRequest;   // PatCreateEmulUniqQueryInfo, or empty
    std::string moduleText;   // the module's PJL text, without its NUL
    std::string text;         // every byte sent
    std::vector<std::string> required;  // categories of the module's request
    std::vector<std::string> optional;  // ZOLT and the host's own inquiries
    std::string echoToken;
    bool wantsDeviceId = false;
    bool sendsPjl() const { return !text.empty(); }
};

// A ModuleFailure when an export refuses.
Expected<QueryPlan> BuildQueryPlan(const Module &module, PrnInfoEx *record, uint32_t mask, const std::string &echoToken);

// A fresh echo word, "PATHOST-" and eight hex digits.
std::string NewEchoToken();

}  // namespace pathost

#endif
