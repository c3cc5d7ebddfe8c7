// Names for people: the codes the module writes into a PrnInfoEx, as the
// printer family's code tables name them. The host's own read-only copy; it
// only labels output and never decides what goes to the module.
#ifndef PAT_HOST_DISPLAY_NAMES_H
#define PAT_HOST_DISPLAY_NAMES_H

#include <stdint.h>

namespace pathost {

struct CodeName {
    uint16_t code;
    const char *name;
};

struct PaperName {
    uint16_t code;
    const char *keyword;  // the PJL paper keyword
    uint16_t width;       // millimetres; 0 when the family has no size for it
    uint16_t height;
};

inline constexpr CodeName kTrayNames[] = {
    {1, "Bypass Tray"}, {3, "Tray 1"}, {4, "Tray 2"}, {5, "Tray 3"}, {6, "Tray 4"}, {7, "Tray 5"},
    {8, "Tray 6"}, {9, "Tray 7"}, {11, "LCT"}, {13, "Tray 3 (LCT)"}, {101, "Interposer Tray"},
    {102, "Interposer Lower Tray"},
};

inline constexpr CodeName kBinNames[] = {
    {1, "Standard Tray"}, {2, "Internal Tray 2"}, {4, "Finisher Shift Tray"}, {5, "Finisher Upper Tray"},
    {6, "Mailbox Upper Tray"}, {7, "Mailbox Tray 1"}, {8, "Mailbox Tray 2"}, {9, "Mailbox Tray 3"},
    {10, "Mailbox Tray 4"}, {11, "Mailbox Tray 5"}, {12, "Mailbox Tray 6"}, {13, "Mailbox Tray 7"},
    {14, "Mailbox Tray 8"}, {15, "Mailbox Tray 9"}, {27, "Finisher Booklet Tray"}, {34, "Right Tray"},
};

inline constexpr CodeName kBinStates[] = {{0, "ready"}, {1, "paper present"}, {2, "full"}};

inline constexpr CodeName kEmulationNames[] = {
    {1, "VORD"}, {2, "Adobe PostScript 3"}, {3, "PC-PR201H"}, {4, "ESC/P"}, {7, "IBM5577"},
    {12, "TX-GL/2"}, {13, "TIFF"}, {15, "ZOLT"}, {16, "PCL 5e Emulation"}, {17, "PCL 6 Emulation"},
    {18, "PCL 5c Emulation"},
};

// Device codes the PJL answers produce.
inline constexpr CodeName kDeviceNames[] = {
    {103, "tandem LCT"}, {104, "LCT"}, {121, "small-paper Tray 1"}, {122, "small-paper Tray 2"},
    {123, "small-paper Tray 3"}, {124, "small-paper Tray 4"}, {125, "small-paper Tray 5"},
    {500, "function package 604271958"}, {1002, "tandem Tray 3"},
};

inline constexpr CodeName kMemoryUsageNames[] = {{1, "PAGE"}, {2, "USER"}};
inline constexpr CodeName kImageRotationNames[] = {{1, "POSSIBLE"}, {2, "IMPOSSIBLE"}};

inline constexpr PaperName kPaperNames[] = {
    {2, "CUSTOM", 0, 0},           {4, "A3LONG", 297, 420},       {5, "A3", 420, 297},
    {6, "JISB4LONG", 257, 364},    {7, "JISB4", 364, 257},        {8, "A4LONG", 210, 297},
    {9, "A4SRT", 297, 210},        {10, "JISB5LONG", 182, 257},   {11, "JISB5SRT", 257, 182},
    {12, "A5LONG", 148, 210},      {13, "A5SRT", 210, 148},       {14, "JISB6LONG", 128, 182},
    {15, "JISB6", 182, 128},       {16, "A6LONG", 105, 148},      {17, "A6", 148, 105},
    {20, "LEGALLONG", 215, 355},   {21, "LEGAL", 355, 215},       {22, "LETTERLONG", 215, 279},
    {23, "LETTERSRT", 279, 215},   {26, "HALFLETTERL", 139, 215}, {27, "HALFLETTERS", 215, 139},
    {34, "JPOST", 148, 100},       {57, "LEDGERLONG", 279, 431},  {58, "LEDGER", 431, 279},
    {69, "A3WIDE", 457, 304},      {70, "JPOSTDSRT", 200, 148},   {71, "JPOSTDLONG", 148, 200},
    {72, "A2SRT", 594, 420},       {73, "JISB3SRT", 515, 364},    {74, "ANSICLONG", 431, 558},
    {75, "ANSICSRT", 558, 431},    {76, "A3WIDELONG", 304, 457},  {78, "JPOSTLONG", 0, 0},
    {86, "A2LONG", 420, 594},      {87, "JISB3LONG", 364, 515},   {88, "A1LONG", 594, 841},
    {89, "JISB2LONG", 515, 728},   {90, "A0SRT", 1189, 841},      {91, "A1SRT", 841, 594},
    {92, "JISB1SRT", 1030, 728},   {93, "JISB2SRT", 728, 515},
};

template <typename Row, unsigned N>
constexpr const Row *FindCode(const Row (&rows)[N], uint32_t code) {
    for (const Row &row : rows)
        if (row.code == code) return &row;
    return nullptr;
}

// The name of a code, or null when the table has none.
template <unsigned N>
constexpr const char *NameOf(const CodeName (&rows)[N], uint32_t code) {
    const CodeName *row = FindCode(rows, code);
    return row != nullptr ? row->name : nullptr;
}

}  // namespace pathost

#endif
