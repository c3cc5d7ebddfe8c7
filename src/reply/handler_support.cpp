#include "reply/handler_support.h"

#include <string.h>

#include "core/record.h"

namespace pat {

uint32_t DecimalValue(const char *text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        uint32_t digit = static_cast<uint32_t>(*text - '0');
        if (value > (0xFFFFFFFFu - digit) / 10) {
            value = 0xFFFFFFFFu;
            break;
        }
        value = value * 10 + digit;
    }
    return negative ? 0u - value : value;
}

// A word after the variable name comes back as a TOKEN_EOL holding that word,
// and a value line may go on with "=" or a bracket: neither is a value alone.
Status ReadInquiryValue(ReplyCursor *cursor, Token *value) {
    Status status = ReadToken(cursor, value);
    if (status != kOk) return status;
    if (value->kind != TOKEN_EOL || strcmp(value->text, "\n") != 0) return kInvalidParameter;
    status = ReadToken(cursor, value);
    if (status != kOk) return status;
    return value->kind == TOKEN_KEY && cursor->state == SCAN_LINE_EOL ? kOk : kInvalidParameter;
}

TrayInfo *FindOrAddTray(PrnInfoEx *record, uint32_t code) {
    uint16_t tray = static_cast<uint16_t>(code);
    InfoItem *found = FindItemByCode(ListHead(record, keys::kTrayInfo), tray);
    if (found != nullptr) return reinterpret_cast<TrayInfo *>(found);
    TrayInfo *item = NewItem<TrayInfo>();
    if (item == nullptr) return nullptr;
    item->wTray = tray;
    AddItem(record, keys::kTrayInfo, &item->header);
    return item;
}

}  // namespace pat
