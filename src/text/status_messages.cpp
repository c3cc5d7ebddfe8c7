// Mapping the collected status codes to message records.
#include <string.h>

#include "text/text_config.h"
#include "text/text_config.h"
#include "platform/platform.h"
#include "text/status_text.h"

namespace pat {

// This configuration maps no status code to a message.
const StatusMessageRow kStatusMessageTable[] = {
    {nullptr, 0, 0},
};
const StatusMessageRow kNegativeStatusMessageTable[] = {
    {nullptr, 0, 0},
};

RecordArray *CreateMessageArray() { return CreateRecordArray(sizeof(MessageRecord), 20, 1); }

namespace {

// A message that cannot be appended is dropped; the others still count.
void AddMessage(RecordArray *messages, const StatusMessageRow *row) {
    MessageRecord message;
    memset(&message, 0, sizeof message);
    message.templateKey = row->templateKey;
    message.detailKey = row->detailKey;
    RecordArrayAppend(messages, &message);
}

}  // namespace

Status AddMessagesForCode(const StatusRequest *request, uint32_t code, RecordArray *messages) {
    char text[kCodeTextCapacity];
    FormatCodeText(code, text);
    const StatusMessageRow *table =
        IsNegativeClass(request->deviceClass) ? ActiveTextConfig().negativeStatusMessageTable : ActiveTextConfig().statusMessageTable;
    // Exact rows take precedence: pattern rows count only for a code that has
    // no exact row, even when memory ran out while adding the exact ones.
    bool exact = false;
    for (const StatusMessageRow *row = table; row->pattern != nullptr; ++row) {
        if (lstrcmpA(row->pattern, text) != 0) continue;
        AddMessage(messages, row);
        exact = true;
    }
    if (exact) return kOk;
    for (const StatusMessageRow *row = table; row->pattern != nullptr; ++row)
        if (MatchCodePattern(text, row->pattern)) AddMessage(messages, row);
    return kOk;
}

Status CollectMessages(const StatusRequest *request, RecordArray *messages) {
    RecordArray *codes = CreateCodeArray();
    if (codes == nullptr) return kNoMemory;
    Status status = CollectStatusCodes(request, codes);
    RecordCursor cursor;
    RecordCursorStart(codes, &cursor);
    uint32_t code;
    while (status == kOk && RecordCursorNextCopy(&cursor, &code)) status = AddMessagesForCode(request, code, messages);
    DestroyRecordArray(codes);
    return status;
}

}  // namespace pat
