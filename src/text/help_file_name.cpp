// PatGetStatusHelpFileName's work: the help-file name of a record's current
// status, derived from the same status codes as the status text.
#include "text/text_config.h"
#include "text/text_config.h"
#include "text/status_text.h"
#include "text/string_resources.h"
#include "text/text_exports.h"

namespace pat {

// This configuration has no help files: the name stays empty.
Status NoHelpFileName(const StatusRequest *, RecordArray *, char *, uint32_t) { return kOk; }

Status ComposeHelpFileName(const StatusRequest *request, RecordArray *codes, char *text, uint32_t capacity) {
    return ActiveTextConfig().helpFileStep(request, codes, text, capacity);
}

// The record is used as the host passed it: no tree, no working copy.
Status ComposeStatusHelpFileName(uint32_t deviceClass, const PrnInfoEx *record, char *text, uint32_t capacity) {
    if (record == nullptr || record->dwSize < PAT_PRNINFOEX_MIN_SIZE) return kInvalidParameter;
    StatusRequest request = {deviceClass, record};
    RecordArray *codes = CreateCodeArray();
    if (codes == nullptr) return kNoMemory;
    Status status = CollectStatusCodes(&request, codes);
    if (status == kOk) {
        ClearText(text, capacity);
        status = ComposeHelpFileName(&request, codes, text, capacity);
    }
    DestroyRecordArray(codes);
    return status;
}

}  // namespace pat
