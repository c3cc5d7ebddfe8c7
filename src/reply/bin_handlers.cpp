// The INFO OUTBINSTATUS answer: one item per bin line, rebuilt by every answer.
#include <string.h>

#include "core/record.h"
#include "reply/handler_support.h"
#include "reply/reply_handlers.h"

namespace pat {

namespace {

constexpr uint32_t kBinValueAfterRebuild = 255;

uint16_t BinState(const char *word) {
    if (strcmp(word, "PAPEREXIST") == 0) return 1;
    if (strcmp(word, "FULL") == 0) return 2;
    return 0;  // "READY" and any other word
}

}  // namespace

Status OnInfoOutBinStatus(ReplyCursor *, PrnInfoEx *record, ReplyCompanion, uint32_t) {
    ClearList(record, keys::kOutBinInfo);
    record->dwBinValue = kBinValueAfterRebuild;
    return kOk;
}

// The bin is listed even when its line has no readable state.
Status OnOutBinState(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion, uint32_t binCode) {
    OutBinInfo *bin = NewItem<OutBinInfo>();
    if (bin == nullptr) return kNoMemory;
    bin->wBin = static_cast<uint16_t>(binCode);
    Token state;
    Status status = ReadToken(cursor, &state);
    if (status == kOk && state.kind == TOKEN_VALUE) bin->wState = BinState(state.text);
    AddItem(record, keys::kOutBinInfo, &bin->header);
    return status;
}

}  // namespace pat
