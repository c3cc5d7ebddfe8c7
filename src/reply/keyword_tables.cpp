// Keyword tables of the PJL answer handlers: answer words into codes; each
// terminator's code answers any other word.
#include "core/shipped_tables.h"

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

}  // namespace pat
