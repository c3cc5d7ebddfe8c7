// Media types: a tray's media word (one bit per type), its 64-bit media mask,
// or its media name, into the media code of the tray item.
#include "convert/convert_config.h"

namespace pat {

// The whole word is the key, so a word with several bits set is code 0.
// Bit 0x800000 has no row: it says the media comes as a 64-bit mask instead.
const KeyCodeRow kMediaBitTable[] = {
    {0x1, 1},       {0x2, 2},        {0x4, 5},        {0x8, 9},        {0x10, 10},
    {0x20, 11},     {0x40, 12},      {0x80, 13},      {0x100, 14},     {0x200, 15},
    {0x400, 8},     {0x800, 3},      {0x1000, 6},     {0x2000, 18},    {0x4000, 19},
    {0x8000, 20},   {0x10000, 21},   {0x20000, 4},    {0x40000, 35},   {0x80000, 22},
    {0x100000, 23}, {0x200000, 24},  {0x400000, 25},
    {kEndKey, 0},
};

namespace {

// The row of a mask with only bit n set.
constexpr MediaMaskRow MaskBit(unsigned n, uint32_t code) {
    return {n >= 32 ? 1u << (n - 32) : 0u, n < 32 ? 1u << n : 0u, code};
}

}  // namespace

// Bits 0, 25, 26 and 39-63 have no row.
const MediaMaskRow kMediaMaskTable[] = {
    MaskBit(1, 26),  MaskBit(2, 27),  MaskBit(3, 28),  MaskBit(4, 29),  MaskBit(5, 30),
    MaskBit(6, 31),  MaskBit(7, 32),  MaskBit(8, 33),  MaskBit(9, 34),  MaskBit(10, 17),
    MaskBit(11, 7),  MaskBit(12, 36), MaskBit(13, 37), MaskBit(14, 38), MaskBit(15, 39),
    MaskBit(16, 40), MaskBit(17, 41), MaskBit(18, 42), MaskBit(19, 48), MaskBit(20, 43),
    MaskBit(21, 44), MaskBit(22, 45), MaskBit(23, 1),  MaskBit(24, 46), MaskBit(27, 49),
    MaskBit(28, 50), MaskBit(29, 47), MaskBit(30, 21), MaskBit(31, 52), MaskBit(32, 53),
    MaskBit(33, 54), MaskBit(34, 55), MaskBit(35, 56), MaskBit(36, 57), MaskBit(37, 58),
    MaskBit(38, 59),
    {0xFFFFFFFFu, 0xFFFFFFFFu, 0},
};

// No media names in this family: every name is code 0.
const NameCodeRow kMediaNameTable[] = {{nullptr, 0}};

}  // namespace pat
