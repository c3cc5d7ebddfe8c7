// Tandem trays: the printer reports a tandem tray 3 as its own tray (1001) and
// a tandem LCT as tray 13 beside tray 11. Once all answers are in, the tray
// list is renumbered to the trays the host knows.
#include "core/record.h"
#include "reply/reply_dispatch.h"

namespace pat {

namespace {

constexpr uint32_t kTandemTray3Device = 1002;
constexpr uint32_t kTandemLctDevice = 103;
constexpr uint16_t kTandemTray3 = 1001;
constexpr uint16_t kTray3 = 5;
constexpr uint16_t kLct = 11;
constexpr uint16_t kTray3Lct = 13;

TrayInfo *FindTray(PrnInfoEx *record, uint16_t code) {
    return reinterpret_cast<TrayInfo *>(FindItemByCode(ListHead(record, keys::kTrayInfo), code));
}

// Removes tray `gone` and renumbers tray `from` (if present) to 13.
void Collapse(PrnInfoEx *record, uint16_t gone, uint16_t from) {
    TrayInfo *tray = FindTray(record, gone);
    if (tray == nullptr) return;
    RemoveListItem(record, keys::kTrayInfo, &tray->header);
    TrayInfo *renamed = FindTray(record, from);
    if (renamed != nullptr) renamed->wTray = kTray3Lct;
}

}  // namespace

void FixTandemTrays(PrnInfoEx *record) {
    if (HasDevice(record, kTandemTray3Device))
        Collapse(record, kTandemTray3, kTray3);
    else if (HasDevice(record, kTandemLctDevice))
        Collapse(record, kTray3Lct, kLct);
}

}  // namespace pat
