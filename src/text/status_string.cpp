// PatGetStatusString's work once its arguments are checked.
#include "text/status_text.h"
#include "text/text_exports.h"

namespace pat {

Status ComposeStatusString(uint32_t deviceClass, DataNode *tree, uint32_t option, char *text, uint32_t capacity) {
    PrnInfoEx working;
    Status status = SelectStatusRecord(deviceClass, tree, &working);
    if (status != kOk) return status;
    StatusRequest request = {deviceClass, &working};
    RecordArray *messages = CreateMessageArray();
    if (messages == nullptr) return kNoMemory;
    // Hosts see any failure to collect codes or messages as 8, including a
    // device class without a priority table.
    if (CollectMessages(&request, messages) != kOk) {
        DestroyRecordArray(messages);
        return kNoMemory;
    }
    status = ComposeStatusText(&request, messages, option, text, capacity);
    DestroyRecordArray(messages);
    return status;
}

}  // namespace pat
