#include "core/record_invariants.h"

#include <string.h>

#include "core/record.h"
#include "platform/platform.h"

namespace pat {

namespace {

// Longer chains than this are taken for a cycle.
constexpr uint32_t kChainLimit = 1u << 20;

}  // namespace

const char *FindRecordViolation(PrnInfoEx *record) {
    for (uint32_t i = 0; i < ListKeyCount(); ++i) {
        const char *key = ListKeyName(i);
        ListRef list;
        LocateList(record, key, &list);
        uint32_t size = ItemSizeOf(key), length = 0;
        for (InfoItem *item = list.head; item != nullptr; item = item->next) {
            if (++length > kChainLimit) return key;
            if (size != 0 && item->size != size) return key;
        }
        if (length != *list.countField) return key;
    }
    for (uint32_t i = 0; i < StringKeyCount(); ++i) {
        char *text = *StringField(record, StringKeyName(i));
        if (text == nullptr) continue;
        size_t size = GlobalSize(text);
        if (size == 0 || strnlen(text, size) != size - 1) return StringKeyName(i);
    }
    return nullptr;
}

}  // namespace pat
