// Hands what a printer answered to the module: the cleaned answer stream and
// the device ID go into reply trees with the request as it was sent, one
// PatSetCentroDataTo call per tree; then the flat record is asked for.
#ifndef PAT_HOST_APPLY_ANSWERS_H
#define PAT_HOST_APPLY_ANSWERS_H

#include <stdint.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cleaning/cleaning.h"
#include "poll/query_plan.h"

namespace pathost {

struct ModuleCall {
    std::string call;  // the export
    std::string tree;  // what it was given ("main answer", "device ID", "ZOLT answer" ...)
    int result = 1;
    uint32_t lastError = 0;
    unsigned round = 1;  // the poll round whose answers it was given
};

struct Applied {
    std::vector<ModuleCall> calls;
    PjlCleaning cleaning;  // counts only when cleaning ran
    bool cleaned = false;
    // The first call that failed, or null.
    const ModuleCall *failure() const;
};

struct ApplyOptions {
    bool raw = false;      // no cleaning
    bool lenient = false;  // no request copy: the module applies whatever arrived
};

// deviceId: the device ID as it goes to the module (cleaned already, or raw).
// A ModuleFailure only when an export breaks its prototype; a refusal is a
// call in the result.
// The stream is taken, not copied: it is cleaned and split where it lies, so
// an answer of --max-bytes costs that once here and once in the module's tree.
Expected<Applied> ApplyAnswers(const Module &module, PrnInfoEx *record, const QueryPlan &plan, std::string stream,
                               const std::optional<std::string> &deviceId, const ApplyOptions &options);

struct FlatRecord {
    bool ok = false;
    uint32_t lastError = 0;
    PrnInfo flat{};
};

Expected<FlatRecord> ConvertToFlat(const Module &module, PrnInfoEx *record, uint32_t mask);

}  // namespace pathost

#endif
