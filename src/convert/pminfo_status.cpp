// The status block of PMInfo: the device status word, loaded emulations and
// fonts, engine statuses and the copy-guard state, in the mask's fixed order.
#include "convert/pminfo_blocks.h"
#include "convert/convert_config.h"

namespace pat {

namespace {

constexpr uint32_t kStatusBit22 = 1u << 22;
constexpr uint32_t kStatusBit27 = 1u << 27;
// Emulations whose version is also a version of the record.
constexpr uint32_t kMainProgEmulation = 1;
constexpr uint32_t kKVNEmulation = 2;
// Engine-status kinds that raise the engine flag.
constexpr uint32_t kFlaggedKind = 3;

uint8_t Bit(uint32_t word, uint32_t bit) { return (word & bit) != 0 ? 1 : 0; }

Status ConvertStatusWord(const PMStatusWord *source, bool suppress, PrnInfoEx *record) {
    if (!IsUsable(source) || !IsReported(source->dwWord)) return kOk;
    uint32_t word = source->dwWord;
    record->bStatus = Bit(word, 0x1);
    record->bStatusNotOne = record->bStatus == 1 ? 0 : 1;
    record->bStatusBit27 = Bit(word, kStatusBit27);
    record->bStatusBit22 = Bit(word, kStatusBit22);
    for (const StatusBitRow *row = ActiveConvertConfig().statusBitTable; row->group != 0xFFFFFFFFu; ++row) {
        if ((row->group & 0x1) == 0 || (row->mask & word) == 0 || (row->conditional != 0 && suppress)) continue;
        if (!AddEngineStatus(record, row->status)) return kNoMemory;
    }
    return kOk;
}

// The emulations whose version the record keeps as a string of its own.
const char *VersionKeyOf(uint32_t emulation) {
    if (emulation == kMainProgEmulation) return keys::kMainProgVersion;
    if (emulation == kKVNEmulation) return keys::kKVNVersion;
    return nullptr;
}

Status ConvertEmulation(const PMEmulationRecord *source, PrnInfoEx *record) {
    LoadedEmul *item = NewItem<LoadedEmul>();
    if (item == nullptr) return kNoMemory;
    if (IsUsable(source->pszName))
        item->wEmulation = static_cast<uint16_t>(NameToCode(source->pszName, ActiveConvertConfig().emulationTable));
    if (IsUsable(source->pszVersion)) {
        const char *key = VersionKeyOf(item->wEmulation);
        if (key != nullptr && !SetString(record, key, source->pszVersion)) {
            GlobalFree(item);
            return kNoMemory;
        }
        CopyToField(item->szVersion, sizeof item->szVersion, source->pszVersion);
    }
    return AddNewItem(record, keys::kLoadedEmul, &item->header);
}

Status ConvertEmulations(const PMList *list, PrnInfoEx *record) {
    if (!IsUsableList(list)) return kOk;
    ClearList(record, keys::kLoadedEmul);
    Status status = ForEachRecord<PMEmulationRecord>(
        list, [&](const PMEmulationRecord *source) { return ConvertEmulation(source, record); });
    if (status != kOk) return status;
    record->dwEmulValue = 0;
    return kOk;
}

Status ConvertFonts(const PMList *list, PrnInfoEx *record) {
    if (!IsUsableList(list)) return kOk;
    ClearList(record, keys::kLoadedFont);
    return ForEachRecord<PMFontRecord>(list, [&](const PMFontRecord *source) {
        LoadedFont *item = NewItem<LoadedFont>();
        if (item == nullptr) return kNoMemory;
        if (IsUsable(source->pszName))
            item->wFont = static_cast<uint16_t>(NameToCode(source->pszName, ActiveConvertConfig().fontNameTable));
        return AddNewItem(record, keys::kLoadedFont, &item->header);
    });
}

Status ConvertEngineStatuses(const PMList *list, PrnInfoEx *record) {
    if (!IsUsableList(list)) return kOk;
    record->bEngineFlag = 0;
    return ForEachRecord<PMEngineStatusRecord>(list, [&](const PMEngineStatusRecord *source) {
        EngineStatus *item = NewItem<EngineStatus>();
        if (item == nullptr) return kNoMemory;
        // Copied as given: an unreported code stays visible as 0xFFFF / 0xFFFFFFFF.
        item->wStatus = static_cast<uint16_t>(source->dwCode);
        item->dwStatus = source->dwCode;
        if (IsUsable(source->pszText)) CopyToField(item->szText, sizeof item->szText, source->pszText);
        Status status = AddNewItem(record, keys::kEngineStatus, &item->header);
        if (status != kOk) return status;
        // A status of unknown kind counts as one of the flagged kind.
        if (source->dwKind == kFlaggedKind || !IsReported(source->dwKind)) record->bEngineFlag = 1;
        return kOk;
    });
}

void ConvertCopyGuard(const PMCopyGuardRecord *source, PrnInfoEx *record) {
    record->bCopyGuard = 0;
    if (IsUsable(source) && IsReported(source->dwValue) && source->dwValue > 1) record->bCopyGuard = 1;
}

}  // namespace

Status ConvertStatusBlock(const PMInfoStatus *block, uint32_t mask, bool suppress, PrnInfoEx *record) {
    if ((mask & (PAT_PMSTATUS_WORD | PAT_PMSTATUS_ENGINE)) != 0) ClearList(record, keys::kEngineStatus);
    Status status = kOk;
    if ((mask & PAT_PMSTATUS_WORD) != 0) status = ConvertStatusWord(block->pStatusWord, suppress, record);
    if (status == kOk && (mask & PAT_PMSTATUS_EMULATIONS) != 0) status = ConvertEmulations(block->pEmulations, record);
    if (status == kOk && (mask & PAT_PMSTATUS_FONTS) != 0) status = ConvertFonts(block->pFonts, record);
    if (status == kOk && (mask & PAT_PMSTATUS_ENGINE) != 0)
        status = ConvertEngineStatuses(block->pEngineStatuses, record);
    if (status == kOk && (mask & PAT_PMSTATUS_COPYGUARD) != 0) ConvertCopyGuard(block->pCopyGuard, record);
    return status;
}

}  // namespace pat
