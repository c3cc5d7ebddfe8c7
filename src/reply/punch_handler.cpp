// The PUNCH list of the INFO CONFIG answer: the options of a punch unit name
// a device by the table of punch units.
#include <string.h>

#include "reply/reply_config.h"
#include "core/record.h"
#include "reply/handler_support.h"
#include "reply/reply_handlers.h"

namespace pat {

namespace {

constexpr uint32_t kMaxPunchOptions = 5;

bool Held(const char *name, const Token *held, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i)
        if (strcmp(held[i].text, name) == 0) return true;
    return false;
}

// The first row whose first `count` names are all held (in any order) and
// whose other slots are empty.
const PunchOptionRow *MatchPunchRow(const Token *held, uint32_t count) {
    for (const PunchOptionRow *row = ActiveReplyConfig().punchOptionTable; row->names[0] != nullptr; ++row) {
        bool match = true;
        for (uint32_t slot = 0; slot < kMaxPunchOptions && match; ++slot) {
            const char *name = row->names[slot];
            match = slot < count ? name != nullptr && Held(name, held, count) : name == nullptr;
        }
        if (match) return row;
    }
    return nullptr;
}

}  // namespace

Status OnConfigPunch(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion, uint32_t) {
    Token token;
    Status status = ReadToken(cursor, &token);
    if (status != kOk) return status;
    if (token.kind != TOKEN_COUNT) return kInvalidParameter;
    uint32_t announced = DecimalValue(token.text);
    if (announced > kMaxPunchOptions) return kInvalidParameter;

    Token held[kMaxPunchOptions];
    uint32_t count = 0;
    while (count < announced && ListLinesAhead(cursor)) {
        status = ReadToken(cursor, &held[count]);
        if (status != kOk) return status;  // the scanner now seeks the next block
        if (held[count].kind == TOKEN_ITEM) ++count;
    }
    const PunchOptionRow *row = MatchPunchRow(held, count);
    if (row == nullptr) return kOk;
    DeviceInfo *device = NewItem<DeviceInfo>();
    if (device == nullptr) return kNoMemory;
    device->wDevice = static_cast<uint16_t>(row->code);
    AddItem(record, keys::kDeviceInfo, &device->header);
    return kOk;
}

}  // namespace pat
