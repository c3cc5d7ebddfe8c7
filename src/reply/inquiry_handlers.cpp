// Handlers of the single-variable INQUIRE answers: tray lock, paper size and
// level, printer marking, function-package state.
#include <string.h>

#include "reply/reply_config.h"
#include "core/record.h"
#include "reply/handler_support.h"
#include "reply/reply_handlers.h"

namespace pat {

namespace {

constexpr uint32_t kPackageActive = 1;

// Makes sure the tray exists, reads the answer's value and stores it; the
// tray item stays even when the value is not there.
Status AnswerTray(ReplyCursor *cursor, PrnInfoEx *record, uint32_t trayCode,
                  void (*store)(TrayInfo *tray, const char *value)) {
    TrayInfo *tray = FindOrAddTray(record, trayCode);
    if (tray == nullptr) return kNoMemory;
    Token value;
    Status status = ReadInquiryValue(cursor, &value);
    if (status != kOk) return status;
    store(tray, value.text);
    return kOk;
}

void StoreLock(TrayInfo *tray, const char *value) {
    if (strcmp(value, "LOCKED") == 0)
        tray->dwAttributes |= PAT_TRAY_LOCKED;
    else
        tray->dwAttributes &= ~PAT_TRAY_LOCKED;  // the other bits stay
}

void StorePaperSize(TrayInfo *tray, const char *value) {
    tray->wPaperSize = static_cast<uint16_t>(NameToCode(value, ActiveReplyConfig().paperKeywordTable));
}

void StoreLevel(TrayInfo *tray, const char *value) {
    tray->wLevel = static_cast<uint16_t>(NameToCode(value, ActiveReplyConfig().trayLevelTable));
}

}  // namespace

Status OnTrayLock(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion, uint32_t trayCode) {
    return AnswerTray(cursor, record, trayCode, StoreLock);
}

Status OnTraySize(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion, uint32_t trayCode) {
    return AnswerTray(cursor, record, trayCode, StorePaperSize);
}

Status OnTrayLevel(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion, uint32_t trayCode) {
    return AnswerTray(cursor, record, trayCode, StoreLevel);
}

Status OnPrinterMarkingType(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion, uint32_t) {
    Token value;
    Status status = ReadInquiryValue(cursor, &value);
    if (status != kOk) return status;
    record->bCopyGuard = static_cast<uint8_t>(NameToCode(value.text, ActiveReplyConfig().markingTypeTable));
    return kOk;
}

// The package item is created once and updated in place; each answer that
// reports it active adds its device again, until INFO CONFIG clears devices.
Status OnFuncpkgStatus(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion, uint32_t packageIndex) {
    Token value;
    Status status = ReadInquiryValue(cursor, &value);
    if (status != kOk) return status;
    const PackageIdRow &package = ActiveReplyConfig().packageIdTable[packageIndex];
    FuncpkgInfo *item =
        reinterpret_cast<FuncpkgInfo *>(FindItemByCode(ListHead(record, keys::kFuncpkgInfo), packageIndex));
    bool isNew = item == nullptr;
    if (isNew && (item = NewItem<FuncpkgInfo>()) == nullptr) return kNoMemory;
    item->wIndex = static_cast<uint16_t>(packageIndex);
    CopyToField(item->szName, sizeof item->szName, package.name);
    item->szText[0] = '\0';
    item->dwState = static_cast<uint32_t>(NameToCode(value.text, ActiveReplyConfig().packageStateTable));
    if (isNew) AddItem(record, keys::kFuncpkgInfo, &item->header);
    if (item->dwState == kPackageActive) {
        DeviceInfo *device = NewItem<DeviceInfo>();
        if (device != nullptr) {
            device->wDevice = static_cast<uint16_t>(package.deviceCode);
            AddItem(record, keys::kDeviceInfo, &device->header);
        }
    }
    return kOk;
}

}  // namespace pat
