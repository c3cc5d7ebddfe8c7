// Paper sizes: tray dimensions in millimetres and the PJL paper keywords, both
// into the paper-size codes of the tray items. The first row within tolerance
// wins, so row order matters.
#include "convert/convert_config.h"

namespace pat {

const DimensionRow kPaperSizeTable[] = {
    {1189, 841, 90},   // A0SRT
    {841, 594, 91},    // A1SRT
    {594, 841, 88},    // A1LONG
    {594, 420, 72},    // A2SRT
    {420, 594, 86},    // A2LONG
    {420, 297, 5},     // A3
    {297, 420, 4},     // A3LONG
    {1030, 728, 92},   // JISB1SRT
    {728, 515, 93},    // JISB2SRT
    {515, 728, 89},    // JISB2LONG
    {515, 364, 73},    // JISB3SRT
    {364, 515, 87},    // JISB3LONG
    {364, 257, 7},     // JISB4
    {257, 364, 6},     // JISB4LONG
    {297, 210, 9},     // A4SRT
    {210, 297, 8},     // A4LONG
    {257, 182, 11},    // JISB5SRT
    {182, 257, 10},    // JISB5LONG
    {210, 148, 13},    // A5SRT
    {148, 210, 12},    // A5LONG
    {148, 105, 17},    // A6
    {105, 148, 16},    // A6LONG
    {182, 128, 15},    // JISB6
    {128, 182, 14},    // JISB6LONG
    {148, 100, 34},    // JPOST
    {431, 279, 58},    // LEDGER
    {279, 431, 57},    // LEDGERLONG
    {355, 215, 21},    // LEGAL
    {215, 355, 20},    // LEGALLONG
    {279, 215, 23},    // LETTERSRT
    {215, 279, 22},    // LETTERLONG
    {215, 139, 27},    // HALFLETTERS
    {139, 215, 26},    // HALFLETTERL
    {266, 184, 25},
    {184, 266, 24},
    {330, 203, 60},
    {330, 215, 62},
    {215, 330, 61},
    {330, 209, 28},
    {241, 104, 53},
    {104, 241, 79},
    {190, 98, 52},
    {98, 190, 80},
    {229, 162, 31},
    {162, 229, 81},
    {162, 114, 33},
    {114, 162, 82},
    {220, 110, 32},
    {110, 220, 83},
    {390, 267, 64},
    {267, 195, 66},
    {195, 267, 65},
    {304, 228, 103},
    {228, 304, 116},
    {457, 304, 69},    // A3WIDE
    {304, 457, 76},    // A3WIDELONG
    {609, 457, 104},
    {457, 609, 105},
    {533, 762, 119},
    {863, 558, 106},
    {558, 863, 107},
    {914, 609, 108},
    {609, 914, 109},
    {1066, 762, 110},
    {1117, 863, 111},
    {1219, 914, 112},
    {148, 200, 71},    // JPOSTDLONG
    {200, 148, 70},    // JPOSTDSRT
    {558, 431, 75},    // ANSICSRT
    {431, 558, 74},    // ANSICLONG
    {235, 120, 100},
    {205, 90, 101},
    {332, 240, 115},
    {120, 235, 117},
    {235, 105, 102},
    {355, 279, 120},
    {469, 320, 121},
    {487, 320, 122},
    {457, 330, 123},
    {487, 330, 124},
    {482, 330, 125},
    {310, 226, 126},
    {226, 310, 127},
    {432, 310, 128},
    {254, 203, 129},
    {450, 320, 130},
    {320, 225, 131},
    {225, 320, 132},
    {355, 209, 84},
    // Roll paper: the tray reports no width, so only the height is matched.
    {kAbsent, 841, 257},
    {kAbsent, 594, 258},
    {kAbsent, 420, 259},
    {kAbsent, 297, 260},
    {kAbsent, 210, 261},
    {kAbsent, 728, 270},
    {kAbsent, 515, 271},
    {kAbsent, 364, 272},
    {kAbsent, 257, 273},
    {kAbsent, 215, 274},
    {kAbsent, 228, 275},
    {kAbsent, 279, 276},
    {kAbsent, 304, 277},
    {kAbsent, 431, 278},
    {kAbsent, 457, 279},
    {kAbsent, 558, 280},
    {kAbsent, 609, 281},
    {kAbsent, 762, 282},
    {kAbsent, 863, 283},
    {kAbsent, 914, 284},
    {kAbsent, 0, 2},  // custom size
};

// Sizes that share dimensions and differ by the paper attribute bits.
const DimensionAttrRow kPaperSizeAttrTable[] = {
    {235, 120, 100, 1, 0},
    {235, 120, 133, 0, 0},
    {120, 235, 117, 0, 0},
    {kAbsent, 0, 2, 0, 0},
};

}  // namespace pat
