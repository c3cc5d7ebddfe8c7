// The string directory: which string map serves each kind of text, and the
// lookup of a key's string through a map.
#include "text/text_config.h"
#include "text/text_config.h"
#include "text/string_resources.h"

namespace pat {

// This configuration names no texts through maps.
const StringDirectoryRow kStringDirectory[] = {
    {0, 0, nullptr},
};

const StringMapRow *FindStringMap(int32_t kind, uint32_t subKind) {
    for (const StringDirectoryRow *row = ActiveTextConfig().stringDirectory; row->kind != 0; ++row)
        if (row->kind == kind && (row->subKind & 0xFF) == (subKind & 0xFF)) return row->map;
    return nullptr;
}

Status LoadMappedString(const StringMapRow *map, uint32_t key, char *destination, uint32_t capacity) {
    ClearText(destination, capacity);
    if (map == nullptr || capacity == 0) return kNotFound;
    for (; map->key != kEndKey; ++map) {
        if (map->key != key) continue;
        Status status = LoadResourceString(map->stringId, destination, capacity);
        if (status != kOk) ClearText(destination, capacity);
        return status;
    }
    return kNotFound;
}

}  // namespace pat
