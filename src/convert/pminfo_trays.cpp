// Input trays of the configuration block: the main and the extended tray
// list carry the same facts at different offsets; both become TrayInfo items.
#include "convert/code_lookups.h"
#include "convert/pminfo_blocks.h"
#include "convert/convert_config.h"

namespace pat {

namespace {

// Paper-size codes that no table row gives.
constexpr uint16_t kPaperCustom = 2;
constexpr uint16_t kPaperHeightUnknown = 41;
// Sizes are matched with both attribute bits, falling back to the plain table.
constexpr uint32_t kSelectBothWithFallback = 0xFFFFFFFFu;
constexpr uint32_t kMediaGivenAsMask = 0x800000;

// One tray record, whichever list it came from.
struct TraySource {
    const char *name;
    uint32_t level, width, height;
    const char *mediaName;
    uint32_t media;
    const uint32_t *mediaMask;  // main list only; the extended record has none
    uint32_t sizeSelect, attributes;
    bool extended;
};

TraySource FromMain(const PMTrayRecord *r) {
    return {r->pszName, r->dwLevel, r->dwWidth, r->dwHeight, r->pszMediaName, r->dwMedia, r->pMediaMask,
            r->dwSizeSelect, r->dwAttributes, false};
}

TraySource FromExtended(const PMTrayRecordEx *r) {
    return {r->pszName, r->dwLevel, r->dwWidth, r->dwHeight, r->pszMediaName, r->dwMedia, nullptr,
            r->dwSizeSelect, r->dwAttributes, true};
}

uint16_t PlainPaperSize(const TraySource &tray) {
    if (!IsReported(tray.height)) return kPaperHeightUnknown;
    return static_cast<uint16_t>(FindPaperSize(tray.width, tray.height, ActiveConvertConfig().paperSizeTable)->code);
}

uint16_t PaperSizeOf(const TraySource &tray) {
    if (IsReported(tray.attributes) && (tray.attributes & PAT_TRAY_CUSTOM_PAPER) != 0) return kPaperCustom;
    // An unreported attribute word takes part as reported: both bits set.
    const DimensionAttrRow *table = ActiveConvertConfig().paperSizeAttrTable;
    if (tray.sizeSelect == kSelectBothWithFallback) {
        const DimensionAttrRow *row =
            FindPaperSize(tray.width, tray.height, tray.attributes, kPaperAttr400 | kPaperAttr800, table);
        if (row->width != kAbsent) return static_cast<uint16_t>(row->code);
        return PlainPaperSize(tray);
    }
    uint32_t participating = tray.sizeSelect & (kPaperAttr400 | kPaperAttr800);
    if (participating == 0) return PlainPaperSize(tray);
    const DimensionAttrRow *row = FindPaperSize(tray.width, tray.height, tray.attributes, participating, table);
    return IsReported(tray.height) ? static_cast<uint16_t>(row->code) : kPaperHeightUnknown;
}

// Paper remaining in percent; the first listed bit that is set decides.
uint16_t LevelOf(uint32_t level) {
    if (!IsReported(level)) return 100;
    if ((level & (0x2 | 0x10)) != 0) return 0;
    if ((level & 0x100) != 0) return 10;
    if ((level & 0x200) != 0) return 25;
    if ((level & 0x400) != 0) return 50;
    if ((level & 0x800) != 0) return 75;
    return 100;
}

uint16_t MediaOf(const TraySource &tray) {
    const ConvertConfig &config = ActiveConvertConfig();
    if (!IsReported(tray.media))
        return IsUsable(tray.mediaName) ? static_cast<uint16_t>(NameToCode(tray.mediaName, config.mediaNameTable)) : 0;
    if (!tray.extended && (tray.media & kMediaGivenAsMask) != 0) {
        if (!IsUsable(tray.mediaMask)) return 0;
        uint64_t mask = (static_cast<uint64_t>(tray.mediaMask[1]) << 32) | tray.mediaMask[0];
        return static_cast<uint16_t>(MediaMaskToCode(mask, config.mediaMaskTable));
    }
    return static_cast<uint16_t>(KeyToCode(tray.media, config.mediaBitTable));
}

uint32_t AttributesOf(const TraySource &tray) {
    if (!IsReported(tray.attributes) || tray.extended) return tray.attributes;
    // The main list's custom-paper bit has done its work in the paper size.
    return tray.attributes & ~PAT_TRAY_CUSTOM_PAPER;
}

Status AddTray(const TraySource &tray, PrnInfoEx *record) {
    TrayInfo *item = NewItem<TrayInfo>();
    if (item == nullptr) return kNoMemory;
    if (IsUsable(tray.name)) item->wTray = static_cast<uint16_t>(FindNamedDevice(tray.name, ActiveConvertConfig().trayNameTable)->code);
    item->wPaperSize = PaperSizeOf(tray);
    item->wLevel = LevelOf(tray.level);
    item->wMedia = MediaOf(tray);
    item->dwAttributes = AttributesOf(tray);
    return AddNewItem(record, keys::kTrayInfo, &item->header);
}

}  // namespace

Status ConvertTrayList(const PMList *list, bool extended, PrnInfoEx *record) {
    if (!IsUsableList(list)) return kOk;
    Status status =
        extended ? ForEachRecord<PMTrayRecordEx>(
                       list, [&](const PMTrayRecordEx *r) { return AddTray(FromExtended(r), record); })
                 : ForEachRecord<PMTrayRecord>(list, [&](const PMTrayRecord *r) { return AddTray(FromMain(r), record); });
    if (status != kOk) return status;
    record->dwTrayValue = 0;
    return kOk;
}

}  // namespace pat
