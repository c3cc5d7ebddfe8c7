#include "convert/code_lookups.h"

#include <string.h>

namespace pat {

namespace {

// value - tol <= rowValue <= value + tol in unsigned 32-bit arithmetic, with
// no tolerance for an absent value: so an absent dimension matches only an
// absent row dimension, and a value below 2 matches nothing (its lower bound
// wraps above its upper bound).
bool WithinTolerance(uint32_t value, uint32_t rowValue) {
    uint32_t tolerance = value == kAbsent ? 0 : 2;
    return value - tolerance <= rowValue && rowValue <= value + tolerance;
}

template <typename Row>
bool IsDimensionEnd(const Row *row) {
    return row->width == kAbsent && row->height == 0;
}

template <typename Row>
bool DimensionsMatch(const Row *row, uint32_t width, uint32_t height) {
    return WithinTolerance(width, row->width) && WithinTolerance(height, row->height);
}

bool AttributesMatch(const DimensionAttrRow *row, uint32_t attributes, uint32_t participating) {
    if ((participating & kPaperAttr400) != 0 && ((attributes & kPaperAttr400) != 0 ? 1u : 0u) != row->needs400)
        return false;
    if ((participating & kPaperAttr800) != 0 && ((attributes & kPaperAttr800) != 0 ? 1u : 0u) != row->needs800)
        return false;
    return true;
}

}  // namespace

const NamedDeviceRow *FindNamedDevice(const char *name, const NamedDeviceRow *table) {
    for (; table->name != nullptr; ++table)
        if (name != nullptr && strcmp(table->name, name) == 0) return table;
    return table;
}

uint32_t KeyToCode(uint32_t key, const KeyCodeRow *table) {
    for (; table->key != kEndKey; ++table)
        if (table->key == key) return table->code;
    return table->code;
}

uint32_t MediaMaskToCode(uint64_t mask, const MediaMaskRow *table) {
    uint32_t low = static_cast<uint32_t>(mask);
    uint32_t high = static_cast<uint32_t>(mask >> 32);
    for (; table->low != 0xFFFFFFFFu; ++table)
        if (table->low == low && table->high == high) return table->code;
    return table->code;
}

const DimensionRow *FindPaperSize(uint32_t width, uint32_t height, const DimensionRow *table) {
    for (; !IsDimensionEnd(table); ++table)
        if (DimensionsMatch(table, width, height)) return table;
    return table;
}

const DimensionAttrRow *FindPaperSize(uint32_t width, uint32_t height, uint32_t attributes,
                                      uint32_t participating, const DimensionAttrRow *table) {
    for (; !IsDimensionEnd(table); ++table)
        if (DimensionsMatch(table, width, height) && AttributesMatch(table, attributes, participating))
            return table;
    return table;
}

}  // namespace pat
