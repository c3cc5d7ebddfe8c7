#include "core/record_invariants.h"

#include <string.h>

#include "core/record.h"
#include "platform/platform.h"

namespace pat {

namespace {

// Longer chains than this are taken for a cycle.
constexpr uint32_t kChainLimit = 1u << 20;

const char *const kListKeys[] = {
    keys::kEngineStatus, keys::kLoadedEmul,       keys::kLoadedFont,       keys::kTrayInfo, keys::kOutBinInfo,
    keys::kDeviceInfo,   keys::kEmulUniqInfo,     keys::kCounterInfo,      keys::kSupplyInfo,
    keys::kColorCorrection, keys::kCustomMediaInfo, keys::kFuncInfo,       keys::kSalespkgInfo,
    keys::kFuncpkgInfo,
};

const char *const kStringKeys[] = {keys::kModelName,  keys::kMakerName,        keys::kDescription,
                                   keys::kSYSVersion, keys::kMainProgVersion, keys::kKVNVersion};

char *const *StringField(PrnInfoEx *record, int index) {
    char *const *fields[] = {&record->pModelName,  &record->pMakerName,       &record->pDescription,
                             &record->pSYSVersion, &record->pMainProgVersion, &record->pKVNVersion};
    return fields[index];
}

}  // namespace

const char *FindRecordViolation(PrnInfoEx *record) {
    for (const char *key : kListKeys) {
        ListRef list;
        LocateList(record, key, &list);
        uint32_t size = ItemSizeOf(key), length = 0;
        for (InfoItem *item = list.head; item != nullptr; item = item->next) {
            if (++length > kChainLimit) return key;
            if (size != 0 && item->size != size) return key;
        }
        if (length != *list.countField) return key;
    }
    for (int i = 0; i < 6; ++i) {
        char *text = *StringField(record, i);
        if (text == nullptr) continue;
        size_t size = GlobalSize(text);
        if (size == 0 || strnlen(text, size) != size - 1) return kStringKeys[i];
    }
    return nullptr;
}

}  // namespace pat
