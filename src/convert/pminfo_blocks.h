// Reading a host's PMInfo block: the absence mark, the PMList object, and the
// steps that convert each variant. Shared by the pminfo_*.cpp files only.
#ifndef PAT_CONVERT_PMINFO_BLOCKS_H
#define PAT_CONVERT_PMINFO_BLOCKS_H

#include <stdint.h>

#include "core/error_codes.h"
#include "core/record.h"
#include "pat/pat.h"
#include "platform/platform.h"

namespace pat {

// A pointer the host did not report is null or 0xFFFFFFFF; neither is followed.
inline bool IsUsable(const void *pointer) {
    return pointer != nullptr && reinterpret_cast<uintptr_t>(pointer) != PAT_PM_ABSENT;
}

// A 32-bit value the host did not report is 0xFFFFFFFF.
inline bool IsReported(uint32_t value) { return value != PAT_PM_ABSENT; }

// A list is usable when the pointer to it, its count and its array all are.
inline bool IsUsableList(const PMList *list) {
    return IsUsable(list) && IsReported(list->count) && IsUsable(list->items);
}

// Calls convert(record) for each record of a usable list, in order. A record
// pointer that is null or 0xFFFFFFFF is skipped: it has no record to convert.
// The first error ends the walk.
template <typename Record, typename Convert>
Status ForEachRecord(const PMList *list, Convert convert) {
    for (uint32_t i = 0; i < list->count; ++i) {
        const void *record = list->items[i];
        if (!IsUsable(record)) continue;
        Status status = convert(static_cast<const Record *>(record));
        if (status != kOk) return status;
    }
    return kOk;
}

// Adds a fresh item to key's list; an item the list does not take is freed,
// so no allocated item is ever left unlinked.
inline Status AddNewItem(PrnInfoEx *record, const char *key, InfoItem *item) {
    if (AddItem(record, key, item)) return kOk;
    GlobalFree(item);
    return kInvalidParameter;
}

// The variants. Each returns 0 or the error of its first failing step; what
// was converted before the failure stays in the record.
Status ConvertStatusBlock(const PMInfoStatus *block, uint32_t mask, bool suppress, PrnInfoEx *record);
Status ConvertConfigBlock(const PMInfoConfig *block, uint32_t mask, PrnInfoEx *record);

// Pieces of the configuration block converted in files of their own.
Status ConvertTrayList(const PMList *list, bool extended, PrnInfoEx *record);
Status ConvertPackages(const PMPackageBlock *block, bool sales, PrnInfoEx *record);

}  // namespace pat

#endif
