// Keyword tables of the PJL answer handlers: answer words into codes; each
// terminator's code answers any other word.
#include "reply/reply_config.h"

namespace pat {

// Version list names: -1 is the firmware (a string, not an emulation).
const NameCodeRow kVersionNameTable[] = {
    {"FIRMWARE", -1}, {"VORD", 1}, {"ZOLT", 15}, {"HPGL2", 12}, {"GL2", 12}, {nullptr, 0},
};

const NameCodeRow kMemoryUsageTable[] = {{"USER", 2}, {"PAGE", 1}, {nullptr, 0}};

const NameCodeRow kImageRotationTable[] = {{"POSSIBLE", 1}, {"IMPOSSIBLE", 2}, {nullptr, 0}};

// Punch units and the device each combination of options means: none in
// this printer family.
const PunchOptionRow kPunchOptionTable[] = {{{nullptr, nullptr, nullptr, nullptr, nullptr}, 0}};

const NameCodeRow kTrayLevelTable[] = {
    {"END", 0}, {"1/5", 20}, {"2/5", 40}, {"3/5", 60}, {"4/5", 80}, {"FULL", 100}, {nullptr, 0},
};

const NameCodeRow kMarkingTypeTable[] = {{"OFF", 0}, {"COPYGUARD", 1}, {"SECURITYTRACE", 1}, {nullptr, 0}};

const NameCodeRow kPackageStateTable[] = {{"ACTIVATE", 1}, {"NONE", 0}, {nullptr, 0}};

// Function packages by the index their reply rule passes; row 0 is unused.
const PackageIdRow kPackageIdTable[] = {{nullptr, 0}, {"604271958", 500}};

// Paper keywords of the PJL tray-size replies; an unknown keyword is code 0.
const NameCodeRow kPaperKeywordTable[] = {
    {"A0SRT", 90},       {"A1SRT", 91},        {"A1LONG", 88},      {"A2SRT", 72},
    {"A2LONG", 86},      {"A3", 5},            {"A3LONG", 4},       {"A4SRT", 9},
    {"A4LONG", 8},       {"A5SRT", 13},        {"A5LONG", 12},      {"A6", 17},
    {"A6LONG", 16},      {"JISB1SRT", 92},     {"JISB2SRT", 93},    {"JISB2LONG", 89},
    {"JISB3SRT", 73},    {"JISB3LONG", 87},    {"JISB4", 7},        {"JISB4LONG", 6},
    {"JISB5SRT", 11},    {"JISB5LONG", 10},    {"JISB6", 15},       {"JISB6LONG", 14},
    {"A3WIDE", 69},      {"A3WIDELONG", 76},   {"JPOST", 34},       {"JPOSTLONG", 78},
    {"JPOSTDSRT", 70},   {"JPOSTDLONG", 71},   {"LEDGER", 58},      {"LEDGERLONG", 57},
    {"LEGAL", 21},       {"LEGALLONG", 20},    {"LETTERSRT", 23},   {"LETTERLONG", 22},
    {"HALFLETTERS", 27}, {"HALFLETTERL", 26},  {"ANSICSRT", 75},    {"ANSICLONG", 74},
    {"CUSTOM", 2},
    {nullptr, 0},
};

}  // namespace pat
