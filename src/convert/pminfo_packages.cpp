// Function and sales packages of the configuration block; an active package
// that a package table knows also installs that table row's device.
#include "convert/package_matching.h"
#include "convert/pminfo_blocks.h"
#include "convert/convert_config.h"

namespace pat {

namespace {

// The block's counts are plain counts; an array whose count cannot be true
// (0xFFFFFFFF) or whose pointer the host did not report is an empty array.
bool IsReadableArray(uint32_t count, PMPackageRecord *const *array) {
    return count != PAT_PM_ABSENT && (count == 0 || IsUsable(array));
}

// An unusable record pointer gives an empty package item.
Status AddPackage(const PMPackageRecord *source, const char *key, const PackageRow *table, PrnInfoEx *record) {
    FuncpkgInfo *item = NewItem<FuncpkgInfo>();
    if (item == nullptr) return kNoMemory;
    if (IsUsable(source)) {
        item->dwState = source->dwState;  // copied as given, an unreported state too
        if (IsUsable(source->pszName)) CopyToField(item->szName, sizeof item->szName, source->pszName);
        if (IsUsable(source->pszText)) CopyToField(item->szText, sizeof item->szText, source->pszText);
        // Matched on the name as stored, so the devices agree with the item.
        Status status = AddPackageDevices(record, item->szName, item->dwState, table);
        if (status != kOk) {
            GlobalFree(item);
            return status;
        }
    }
    return AddNewItem(record, key, &item->header);
}

}  // namespace

Status ConvertPackages(const PMPackageBlock *block, bool sales, PrnInfoEx *record) {
    if (!IsUsable(block)) return kOk;
    const char *key = sales ? keys::kSalespkgInfo : keys::kFuncpkgInfo;
    const PackageRow *table = sales ? ActiveConvertConfig().salespkgTable : ActiveConvertConfig().funcpkgTable;
    uint32_t count = sales ? block->dwSalesCount : block->dwFuncCount;
    PMPackageRecord *const *array = sales ? block->ppSales : block->ppFuncs;
    ClearList(record, key);
    if (!IsReadableArray(count, array)) return kOk;
    for (uint32_t i = 0; i < count; ++i) {
        Status status = AddPackage(array[i], key, table, record);
        if (status != kOk) return status;
    }
    return kOk;
}

}  // namespace pat
