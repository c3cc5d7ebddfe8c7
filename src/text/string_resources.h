// String resources and the tables that lead to them: every display text of
// the module is a string resource in the current language, converted to that
// language's ANSI code page. Each operation writes a terminated text into a
// destination of capacity bytes and returns 0 or an error code.
#ifndef PAT_TEXT_STRING_RESOURCES_H
#define PAT_TEXT_STRING_RESOURCES_H

#include <stdint.h>

#include "core/error_codes.h"
#include "text/text_config.h"

namespace pat {

// Kinds of string-directory rows.
constexpr int32_t kTemplateKind = 1;          // message templates, device class not negative
constexpr int32_t kNegativeTemplateKind = 2;  // message templates, negative device class
constexpr int32_t kDetailKind = 3;            // detail texts (sub-kind 1); row order orders them
constexpr int32_t kDeviceNameKind = 4;        // device names by 32-bit key (sub-kind 1)

// The string placed between the detail texts of one slot.
constexpr uint32_t kSeparatorStringId = 3500;

// String id from the string-table block (id >> 4) + 1, entry id & 15, in the
// current language. kLocaleNotFound when the language has no locale data,
// kNotFound when memory is exhausted or the block is missing; the destination
// is untouched then. A text longer than the destination is cut to
// capacity - 1 bytes between whole characters.
Status LoadResourceString(uint32_t id, char *destination, uint32_t capacity);

// The map of the first directory row of kind whose sub-kind agrees in its low
// 8 bits (possibly null), or null when there is none.
const StringMapRow *FindStringMap(int32_t kind, uint32_t subKind);

// The string of key's first row in map. kNotFound for a null map, capacity 0
// (nothing written) or a key not in the map; the destination is empty after
// any failure.
Status LoadMappedString(const StringMapRow *map, uint32_t key, char *destination, uint32_t capacity);

// A device name by 32-bit key, through directory row (4, 1).
Status LoadDeviceNameByKey(uint32_t key, char *destination, uint32_t capacity);

// A tray (kind 1) or bin (kind 2) name by the name the printer reports,
// through the string id of its name-table row. kInvalidParameter for another kind, a name
// not in the table or a row without string id.
Status LoadDeviceNameByName(uint32_t kind, const char *name, char *destination, uint32_t capacity);

// Empties a destination of capacity bytes (nothing for capacity 0).
inline void ClearText(char *destination, uint32_t capacity) {
    if (capacity != 0) destination[0] = '\0';
}

}  // namespace pat

#endif
