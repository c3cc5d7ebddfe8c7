// The VERSION list of the INFO CONFIG answer: firmware and emulation versions.
#include "reply/reply_config.h"
#include "core/record.h"
#include "reply/handler_support.h"
#include "reply/reply_handlers.h"

namespace pat {

namespace {

constexpr int32_t kFirmware = -1;
constexpr int32_t kMainProgramEmulation = 1;
constexpr int32_t kKVNEmulation = 2;
constexpr uint32_t kVersionFieldChars = 15;

void StoreVersion(PrnInfoEx *record, const char *name, const char *version) {
    int32_t code = NameToCode(name, ActiveReplyConfig().versionNameTable);
    if (code == kFirmware) {
        SetString(record, keys::kSYSVersion, version);
        return;
    }
    LoadedEmul *emulation = NewItem<LoadedEmul>();
    if (emulation == nullptr) return;  // the line is skipped
    emulation->wEmulation = static_cast<uint16_t>(code);
    CopyToField(emulation->szVersion, kVersionFieldChars + 1, version);
    AddItem(record, keys::kLoadedEmul, &emulation->header);
    if (code == kMainProgramEmulation) SetString(record, keys::kMainProgVersion, version);
    if (code == kKVNEmulation) SetString(record, keys::kKVNVersion, version);
}

}  // namespace

// Every indented line counts towards the announced number, with or without a
// version; names not in the table give emulation code 0.
Status OnConfigVersion(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion, uint32_t) {
    ClearList(record, keys::kLoadedEmul);
    Token token;
    Status status = ReadToken(cursor, &token);
    if (status != kOk) return status;
    if (token.kind != TOKEN_COUNT) return kOk;
    uint32_t announced = DecimalValue(token.text);
    for (uint32_t lines = 0; lines < announced && ListLinesAhead(cursor);) {
        status = ReadToken(cursor, &token);
        if (status != kOk || token.kind != TOKEN_ITEM) {
            if (status != kOk) return status;
            continue;
        }
        ++lines;
        Token version;
        status = ReadToken(cursor, &version);
        if (status != kOk) return status;  // the scanner now seeks the next block
        if (version.kind == TOKEN_ITEM_VALUE) StoreVersion(record, token.text, version.text);
    }
    return status;
}

}  // namespace pat
