// Names the host and the printer report for trays, bins, emulations, models
// and fonts, into the codes of the record's items.
#include "convert/convert_config.h"

namespace pat {

// An unlisted tray is code 0. No tray has a localized name of its own.
const NamedDeviceRow kTrayNameTable[] = {
    {"Tray 1", 3, 0},
    {"Tray 2", 4, 0},
    {"Tray 3", 5, 0},
    {"Tray 4", 6, 0},
    {"Tray 5", 7, 0},
    {"Tray 6", 8, 0},
    {"Tray 7", 9, 0},
    {"Bypass Tray", 1, 0},
    {"Tray 3 (LCT)", 13, 0},
    {"LCT", 11, 0},
    {"Interposer Tray", 101, 0},
    {"Interposer Upper Tray", 101, 0},
    {"Interposer Lower Tray", 102, 0},
    {"Tray 1 -Small Paper", 3, 0},
    {"Tray 2 -Small Paper", 4, 0},
    {"Tray 3 -Small Paper", 5, 0},
    {"Tray 4 -Small Paper", 6, 0},
    {"Tray 5 -Small Paper", 7, 0},
    {"Tray 6 -Small Paper", 8, 0},
    {"Tray 7 -Small Paper", 9, 0},
    {nullptr, 0, 0},
};

// An unlisted bin is code 255. No bin has a localized name of its own.
const NamedDeviceRow kBinNameTable[] = {
    {"Standard Tray", 1, 0},
    {"Internal Tray", 1, 0},
    {"Internal Shift Tray", 1, 0},
    {"Internal Tray 1", 1, 0},
    {"Internal Tray 2", 2, 0},
    {"Finisher Upper Tray", 5, 0},
    {"Finisher Proof Tray", 5, 0},
    {"Finisher Shift Tray 1", 5, 0},
    {"Finisher Shift Tray", 4, 0},
    {"Finisher Shift Tray 2", 4, 0},
    {"Finisher Tray", 4, 0},
    {"Booklet Processor Tray", 4, 0},
    {"Finisher Booklet Tray", 27, 0},
    {"Mailbox Upper Tray", 6, 0},
    {"Mailbox Proof Tray", 6, 0},
    {"Mailbox Tray 1", 7, 0},
    {"Mailbox Tray 2", 8, 0},
    {"Mailbox Tray 3", 9, 0},
    {"Mailbox Tray 4", 10, 0},
    {"Mailbox Tray 5", 11, 0},
    {"Mailbox Tray 6", 12, 0},
    {"Mailbox Tray 7", 13, 0},
    {"Mailbox Tray 8", 14, 0},
    {"Mailbox Tray 9", 15, 0},
    {"Right Tray", 34, 0},
    {"External Tray", 34, 0},
    {"Left Tray", 34, 0},
    {nullptr, 255, 0},
};

// Emulation names as the host reports them. Code 1 carries the main program
// version and code 2 the version kept under "pKVNVersion".
const NameCodeRow kEmulationTable[] = {
    {"VORD", 1},
    {"ZOLT", 15},
    {"Adobe PostScript 3", 2},
    {"PCL5c", 18},
    {"TX-GL/2", 12},
    {"ESC/P", 4},
    {"IBM5577", 7},
    {"PC-PR201H", 3},
    {"TIFF", 13},
    {"PCL 5e Emulation", 16},
    {"PCL 6 Emulation", 17},
    {"PCL XL Emulation", 17},
    {"PCL 5c Emulation", 18},
    {nullptr, 0},
};

// No font names in this family: every font is code 0.
const NameCodeRow kFontNameTable[] = {{nullptr, 0}};

}  // namespace pat
