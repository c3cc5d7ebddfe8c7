// Operations on a chain of PrnInfoEx list items (InfoItem header first), and
// the name-to-code lookup shared by the keyword and name tables.
#ifndef PAT_CORE_ITEM_CHAIN_H
#define PAT_CORE_ITEM_CHAIN_H

#include <stdint.h>

#include "core/table_rows.h"
#include "pat/pat.h"

namespace pat {

// A zero-filled global-heap block of size bytes with `size` set; null on failure.
InfoItem *AllocateItem(uint32_t size);

// Frees every item from head along `next`; yields null.
InfoItem *FreeChain(InfoItem *head);

// The first item whose 16-bit code at offset 8 equals code (a code above
// 0xFFFF never matches), or null.
InfoItem *FindItemByCode(InfoItem *head, uint32_t code);

// Links item behind the last item; returns the new head.
InfoItem *AppendItem(InfoItem *head, InfoItem *item);

// Unlinks and frees item when it is in the chain; returns the new head. The
// caller keeps the list's count.
InfoItem *RemoveItem(InfoItem *head, InfoItem *item);

// The code of the first row whose name equals name byte for byte, else the
// terminator's code; -1 for a null name or table.
int32_t NameToCode(const char *name, const NameCodeRow *table);

// The 16-bit code at offset 8 that find-by-code compares.
inline uint16_t ItemCode(const InfoItem *item) {
    return *reinterpret_cast<const uint16_t *>(reinterpret_cast<const uint8_t *>(item) + 8);
}

}  // namespace pat

#endif
