// What the fuzz targets share: reading an input as a stream of fields, the
// host's release of a record, and the checks that end a run with abort().
#ifndef PAT_FUZZ_FUZZ_SUPPORT_H
#define PAT_FUZZ_FUZZ_SUPPORT_H

#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "core/record.h"
#include "core/record_invariants.h"
#include "pat/pat.h"
#include "platform/platform.h"
#include "platform/portable/test_hooks.h"

namespace pat::fuzz {

// The input as a stream of little-endian fields; past its end every field
// reads as zero, so a short input still decodes to something whole.
class InputReader {
public:
    InputReader(const uint8_t *data, size_t size) : at_(data), end_(data + size) {}
    uint8_t Byte() { return at_ < end_ ? *at_++ : 0; }
    uint16_t Half() { return static_cast<uint16_t>(Byte() | Byte() << 8); }
    uint32_t Word() { return Half() | static_cast<uint32_t>(Half()) << 16; }
    // Up to n bytes from the input, fewer at its end.
    size_t Take(size_t n, const uint8_t **bytes) {
        size_t left = static_cast<size_t>(end_ - at_);
        if (n > left) n = left;
        *bytes = at_;
        at_ += n;
        return n;
    }
    size_t left() const { return static_cast<size_t>(end_ - at_); }

private:
    const uint8_t *at_, *end_;
};

inline void Require(bool condition) {
    if (!condition) abort();
}

// Frees every item and string of a record with GlobalFree, as a host
// discarding it does.
inline void FreeRecordAsHost(PrnInfoEx *record) {
    for (uint32_t i = 0; i < ListKeyCount(); ++i) {
        InfoItem *item = ListHead(record, ListKeyName(i));
        while (item != nullptr) {
            InfoItem *next = item->next;
            Require(GlobalFree(item) == nullptr);
            item = next;
        }
    }
    for (uint32_t i = 0; i < StringKeyCount(); ++i) {
        char *text = *StringField(record, StringKeyName(i));
        if (text != nullptr) Require(GlobalFree(text) == nullptr);
    }
    memset(record, 0, sizeof *record);
}

inline PrnInfoEx FreshRecord() {
    PrnInfoEx record;
    memset(&record, 0, sizeof record);
    record.dwSize = sizeof record;
    return record;
}

}  // namespace pat::fuzz

#endif
