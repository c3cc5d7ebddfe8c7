// Handlers of the INFO CONFIG answer that act on the rule that fired or read
// one value: devices, installed trays, memory.
#include "core/record.h"
#include "reply/handler_support.h"
#include "reply/reply_handlers.h"

namespace pat {

// Device codes come back as the lines of this answer and later answers are
// parsed.
Status OnInfoConfig(ReplyCursor *, PrnInfoEx *record, ReplyCompanion, uint32_t) {
    ClearList(record, keys::kDeviceInfo);
    return kOk;
}

// Reads only the announced tray count: an unchanged count keeps the tray items
// with the sizes, levels and locks of earlier answers.
Status OnConfigInTrays(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion, uint32_t) {
    Token count;
    Status status = ReadToken(cursor, &count);
    if (status != kOk) return status;
    if (count.kind != TOKEN_COUNT) return kInvalidParameter;
    if (DecimalValue(count.text) != record->dwTrayInfoCount) ClearList(record, keys::kTrayInfo);
    return kOk;
}

Status OnTrayPresent(ReplyCursor *, PrnInfoEx *record, ReplyCompanion, uint32_t trayCode) {
    return FindOrAddTray(record, trayCode) != nullptr ? kOk : kNoMemory;
}

// Added even when the list already holds the code.
Status OnDeviceOption(ReplyCursor *, PrnInfoEx *record, ReplyCompanion, uint32_t deviceCode) {
    DeviceInfo *device = NewItem<DeviceInfo>();
    if (device == nullptr) return kNoMemory;
    device->wDevice = static_cast<uint16_t>(deviceCode);
    AddItem(record, keys::kDeviceInfo, &device->header);
    return kOk;
}

Status OnConfigMemory(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion, uint32_t) {
    Token bytes;
    Status status = ReadToken(cursor, &bytes);
    if (status != kOk) return status;
    if (bytes.kind == TOKEN_VALUE) record->dwMemoryKB = DecimalValue(bytes.text) / 1024;
    return kOk;
}

}  // namespace pat
