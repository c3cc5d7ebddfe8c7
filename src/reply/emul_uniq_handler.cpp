// The INFO ZOLT answer: one emulation-specific item, updated field by field.
#include <string.h>

#include "reply/reply_config.h"
#include "core/record.h"
#include "reply/handler_support.h"
#include "reply/reply_handlers.h"

namespace pat {

Status OnEmulUniqInfo(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion, uint32_t) {
    EmulUniqInfo *info = reinterpret_cast<EmulUniqInfo *>(
        FindItemByCode(ListHead(record, keys::kEmulUniqInfo), PAT_EMUL_QUERY_KIND));
    if (info == nullptr) {
        info = NewItem<EmulUniqInfo>();
        if (info == nullptr) return kNoMemory;
        info->wEmulation = PAT_EMUL_QUERY_KIND;
        AddItem(record, keys::kEmulUniqInfo, &info->header);
    }
    Token key;
    do {
        Status status = ReadToken(cursor, &key);
        if (status != kOk) return status;
        if (key.kind != TOKEN_KEY) continue;
        Token value;
        status = ReadToken(cursor, &value);
        if (status != kOk) return status;
        // A key on a line of its own carries no value: the field stays as it was.
        if (value.kind != TOKEN_VALUE) continue;
        if (strcmp(key.text, "MEMORYUSAGE") == 0)
            info->dwMemoryUsage = static_cast<uint32_t>(NameToCode(value.text, ActiveReplyConfig().memoryUsageTable));
        else if (strcmp(key.text, "OTHER") == 0)
            CopyToField(info->szOther, sizeof info->szOther, value.text);
        else if (strcmp(key.text, "IMAGEROTATION") == 0)
            info->dwImageRotation = static_cast<uint32_t>(NameToCode(value.text, ActiveReplyConfig().imageRotationTable));
    } while (cursor->state != SCAN_SEEK);  // the block's form feed, the next "@PJL" or the end
    return kOk;
}

}  // namespace pat
