// The configuration block of PMInfo: model, trays, bins, options, functions
// and packages, in the mask's fixed order; the first error ends it.
#include "convert/code_lookups.h"
#include "convert/pminfo_blocks.h"
#include "convert/convert_config.h"

namespace pat {

namespace {

constexpr uint8_t kUnknownModel = 255;
constexpr uint16_t kUnknownBin = 255;
constexpr uint32_t kBinFull = 0x1;
constexpr uint16_t kBinStateFull = 2;
constexpr uint32_t kBinValueAfterBins = 255;
constexpr uint32_t kFunction2008 = 2008;

void ReleaseString(PrnInfoEx *record, const char *key) {
    char **field = StringField(record, key);
    if (field == nullptr || *field == nullptr) return;
    GlobalFree(*field);
    *field = nullptr;
}

Status ConvertModel(const PMModelRecord *model, PrnInfoEx *record) {
    if (!IsUsable(model)) return kOk;
    if (IsUsable(model->pszModel)) {
        bool stored = SetString(record, keys::kModelName, model->pszModel) != 0;
        record->bModelCode =
            stored ? static_cast<uint8_t>(NameToCode(model->pszModel, ActiveConvertConfig().modelNameTable)) : kUnknownModel;
        if (!stored) return kNoMemory;
    }
    // The system version and the maker are extras: losing them is no error.
    if (IsUsable(model->pszSysVersion)) SetString(record, keys::kSYSVersion, model->pszSysVersion);
    if (IsReported(model->dwMemory)) record->dwMemoryKB = model->dwMemory >> 10;
    if (IsUsable(model->pszMaker)) SetString(record, keys::kMakerName, model->pszMaker);
    // A description from another source does not describe this model.
    ReleaseString(record, keys::kDescription);
    return kOk;
}

Status ConvertBins(const PMList *list, PrnInfoEx *record) {
    if (!IsUsableList(list)) return kOk;
    ClearList(record, keys::kOutBinInfo);
    Status status = ForEachRecord<PMBinRecord>(list, [&](const PMBinRecord *source) {
        OutBinInfo *item = NewItem<OutBinInfo>();
        if (item == nullptr) return kNoMemory;
        item->wBin = IsUsable(source->pszName)
                         ? static_cast<uint16_t>(FindNamedDevice(source->pszName, ActiveConvertConfig().binNameTable)->code)
                         : kUnknownBin;
        if (IsReported(source->dwFlags) && (source->dwFlags & kBinFull) != 0) item->wState = kBinStateFull;
        return AddNewItem(record, keys::kOutBinInfo, &item->header);
    });
    if (status != kOk) return status;
    record->dwBinValue = kBinValueAfterBins;
    return kOk;
}

Status ConvertOptions(const PMList *list, PrnInfoEx *record) {
    if (!IsUsableList(list)) return kOk;
    ClearList(record, keys::kDeviceInfo);
    return ForEachRecord<PMOptionRecord>(list, [&](const PMOptionRecord *source) {
        DeviceInfo *item = NewItem<DeviceInfo>();
        if (item == nullptr) return kNoMemory;
        if (IsReported(source->dwKey))
            item->wDevice = static_cast<uint16_t>(KeyToCode(source->dwKey, ActiveConvertConfig().deviceOptionTable));
        return AddNewItem(record, keys::kDeviceInfo, &item->header);
    });
}

// The function list ends at its first unusable pointer.
Status ConvertFunctions(const PMList *list, PrnInfoEx *record) {
    if (!IsUsableList(list)) return kOk;
    ClearList(record, keys::kFuncInfo);
    record->bFunc2008 = 0;
    for (uint32_t i = 0; i < list->count && IsUsable(list->items[i]); ++i) {
        uint32_t code = *static_cast<const uint32_t *>(list->items[i]);
        FuncInfo *item = NewItem<FuncInfo>();
        if (item == nullptr) return kNoMemory;
        item->dwFunction = code;  // copied as given, an unreported code too
        Status status = AddNewItem(record, keys::kFuncInfo, &item->header);
        if (status != kOk) return status;
        if (code == kFunction2008) record->bFunc2008 = 1;
    }
    return kOk;
}

}  // namespace

Status ConvertConfigBlock(const PMInfoConfig *block, uint32_t mask, PrnInfoEx *record) {
    Status status = kOk;
    if ((mask & PAT_PMCONFIG_MODEL) != 0) status = ConvertModel(block->pModel, record);
    if (status != kOk) return status;
    // Main and extended trays together make up the tray list.
    if ((mask & (PAT_PMCONFIG_TRAYS | PAT_PMCONFIG_TRAYS_EX)) != 0) ClearList(record, keys::kTrayInfo);
    if ((mask & PAT_PMCONFIG_TRAYS) != 0) status = ConvertTrayList(block->pTrays, false, record);
    if (status == kOk && (mask & PAT_PMCONFIG_TRAYS_EX) != 0) status = ConvertTrayList(block->pTraysEx, true, record);
    if (status == kOk && (mask & PAT_PMCONFIG_BINS) != 0) status = ConvertBins(block->pBins, record);
    if (status == kOk && (mask & PAT_PMCONFIG_OPTIONS) != 0) status = ConvertOptions(block->pOptions, record);
    if (status == kOk && (mask & PAT_PMCONFIG_FUNCTIONS) != 0) status = ConvertFunctions(block->pFunctions, record);
    if (status == kOk && (mask & PAT_PMCONFIG_FUNCPKG) != 0) status = ConvertPackages(block->pPackages, false, record);
    if (status == kOk && (mask & PAT_PMCONFIG_SALESPKG) != 0) status = ConvertPackages(block->pPackages, true, record);
    return status;
}

}  // namespace pat
