// PatPrnInfoExToPrnInfo: the flat 2400-byte record, built from the groups of
// PrnInfoEx that the category mask selects. Reads the record, allocates nothing.
#include <string.h>

#include "convert/record_conversions.h"
#include "core/record.h"

namespace pat {

namespace {

constexpr uint32_t kFlatSize = sizeof(PrnInfo);
// Low half of a several-status summary; the high half is the codes' sum.
constexpr uint32_t kSeveralStatuses = 107;

template <typename Item, uint32_t N>
constexpr uint32_t Capacity(const Item (&)[N]) {
    return N;
}

template <typename Item>
const Item *First(PrnInfoEx *record, const char *key) {
    return reinterpret_cast<const Item *>(ListHead(record, key));
}

template <typename Item>
const Item *Next(const Item *item) {
    return reinterpret_cast<const Item *>(item->header.next);
}

const char *String(PrnInfoEx *record, const char *key) { return *StringField(record, key); }

void CopyStatus(PrnInfoEx *record, PrnInfo *flat) {
    flat->dwStatusValue = record->bStatus;
    flat->bStatusNotOne = record->bStatusNotOne;
    flat->bStatusBit22 = record->bStatusBit22;
    flat->dwStatusBit27 = record->bStatusBit27;
}

void CopyIdentity(PrnInfoEx *record, PrnInfo *flat) {
    CopyToField(flat->szModelName, sizeof flat->szModelName, String(record, keys::kModelName));
    CopyToField(flat->szMakerName, sizeof flat->szMakerName, String(record, keys::kMakerName));
    CopyToField(flat->szDescription, sizeof flat->szDescription, String(record, keys::kDescription));
    flat->bModelCode = record->bModelCode;
}

void CopyConfiguration(PrnInfoEx *record, PrnInfo *flat) {
    flat->dwMemoryKB = record->dwMemoryKB;
    CopyToField(flat->szSysVersion, sizeof flat->szSysVersion, String(record, keys::kSYSVersion));
}

// The three tray arrays are parallel; the level array holds only the first
// 16 trays, and its own count says how many it holds.
void CopyTrays(PrnInfoEx *record, PrnInfo *flat) {
    flat->dwTrayValue = record->dwTrayValue;
    uint32_t n = 0;
    for (const TrayInfo *tray = First<TrayInfo>(record, keys::kTrayInfo);
         tray != nullptr && n < Capacity(flat->aTrayPaper); tray = Next(tray), ++n) {
        flat->aTrayPaper[n] = {tray->wTray, tray->wPaperSize};
        flat->aTrayMedia[n] = {tray->wTray, tray->wMedia};
        if (n < Capacity(flat->aTrayLevel)) flat->aTrayLevel[n] = {tray->wTray, tray->wLevel};
    }
    flat->dwTrayCount = n;
    flat->dwTrayCount2 = n < Capacity(flat->aTrayLevel) ? n : Capacity(flat->aTrayLevel);
}

void CopyBins(PrnInfoEx *record, PrnInfo *flat) {
    uint32_t n = 0;
    for (const OutBinInfo *bin = First<OutBinInfo>(record, keys::kOutBinInfo);
         bin != nullptr && n < Capacity(flat->aBins); bin = Next(bin), ++n)
        flat->aBins[n] = {bin->wBin, bin->wState};
    flat->dwBinCount = n;
    flat->dwBinValue = record->dwBinValue;
}

void CopyEmulations(PrnInfoEx *record, PrnInfo *flat) {
    CopyToField(flat->szMainProgVersion, sizeof flat->szMainProgVersion, String(record, keys::kMainProgVersion));
    CopyToField(flat->szKVNVersion, sizeof flat->szKVNVersion, String(record, keys::kKVNVersion));
    flat->dwEmulValue = record->dwEmulValue;
    uint32_t n = 0;
    for (const LoadedEmul *emul = First<LoadedEmul>(record, keys::kLoadedEmul);
         emul != nullptr && n < Capacity(flat->adwEmulations); emul = Next(emul), ++n)
        flat->adwEmulations[n] = emul->wEmulation;
    flat->dwEmulationCount = n;
}

void CopyFonts(PrnInfoEx *record, PrnInfo *flat) {
    uint32_t n = 0;
    for (const LoadedFont *font = First<LoadedFont>(record, keys::kLoadedFont);
         font != nullptr && n < Capacity(flat->adwFonts); font = Next(font), ++n)
        flat->adwFonts[n] = font->wFont;
    flat->dwFontCount = n;
}

// A single status is reported as itself; any other number of them as the
// list plus a summary: 107 in the low half, the codes' sum in the high half.
void CopyEngineStatus(PrnInfoEx *record, PrnInfo *flat) {
    flat->bEngineFlag = record->bEngineFlag;
    ListRef list;
    LocateList(record, keys::kEngineStatus, &list);
    const EngineStatus *status = reinterpret_cast<const EngineStatus *>(list.head);
    if (*list.countField == 1 && status != nullptr) {
        flat->dwEngineStatus = status->wStatus;
        flat->dwEngineStatusCount = 1;
        return;
    }
    uint32_t n = 0, sum = 0;
    for (; status != nullptr && n < Capacity(flat->adwEngineStatus); status = Next(status), ++n) {
        flat->adwEngineStatus[n] = status->dwStatus;
        sum += status->dwStatus;
    }
    flat->dwEngineStatusCount = n;
    flat->dwEngineStatus = kSeveralStatuses | (sum << 16);
}

}  // namespace

Status ConvertToPrnInfo(PrnInfoEx *record, PrnInfo *flat, uint32_t mask) {
    if (record == nullptr || flat == nullptr || record->dwSize < PAT_PRNINFOEX_MIN_SIZE) return kInvalidParameter;
    memset(flat, 0, kFlatSize);
    flat->dwSize = kFlatSize;
    if ((mask & PAT_CAT_STATUS) != 0) CopyStatus(record, flat);
    if ((mask & PAT_CAT_IDENTITY) != 0) CopyIdentity(record, flat);
    if ((mask & PAT_CAT_CONFIG) != 0) CopyConfiguration(record, flat);
    if ((mask & PAT_CAT_INTRAYS) != 0) CopyTrays(record, flat);
    if ((mask & PAT_CAT_OUTBINS) != 0) CopyBins(record, flat);
    if ((mask & PAT_CAT_EMULATIONS) != 0) CopyEmulations(record, flat);
    if ((mask & PAT_CAT_FONTS) != 0) CopyFonts(record, flat);
    if ((mask & PAT_CAT_ENGINE_STATUS) != 0) CopyEngineStatus(record, flat);
    if ((mask & PAT_CAT_OPTIONS) != 0) flat->dwHasDevice1 = HasDevice(record, 1) ? 1 : 0;
    return kOk;
}

}  // namespace pat
