#include "support/record_snapshot.h"

#include <string.h>

#include <cstdio>

#include "core/record.h"

namespace pat::test {

namespace {

std::string Hex(const uint8_t *bytes, uint32_t length) {
    std::string text;
    char digits[4];
    for (uint32_t i = 0; i < length; ++i) {
        snprintf(digits, sizeof digits, "%02x", bytes[i]);
        text += digits;
    }
    return text;
}

}  // namespace

std::string RecordSnapshot(PrnInfoEx *record) {
    // The header with every pointer field cleared: what is left are the scalars.
    uint8_t header[212];
    memcpy(header, record, sizeof header);
    std::string text;
    for (uint32_t i = 0; i < ListKeyCount(); ++i) {
        ListRef list;
        LocateList(record, ListKeyName(i), &list);
        memset(header + (reinterpret_cast<uint8_t *>(list.headField) - reinterpret_cast<uint8_t *>(record)), 0, 4);
        text += std::string(ListKeyName(i)) + ":";
        for (InfoItem *item = list.head; item != nullptr; item = item->next)
            text += " " + Hex(reinterpret_cast<const uint8_t *>(item) + 4, item->size - 4);
        text += "\n";
    }
    for (uint32_t i = 0; i < StringKeyCount(); ++i) {
        char **field = StringField(record, StringKeyName(i));
        memset(header + (reinterpret_cast<uint8_t *>(field) - reinterpret_cast<uint8_t *>(record)), 0, 4);
        text += std::string(StringKeyName(i)) + ": " + (*field != nullptr ? "\"" + std::string(*field) + "\"" : "null") + "\n";
    }
    return "header: " + Hex(header, sizeof header) + "\n" + text;
}

}  // namespace pat::test
