// A consistency check of a PrnInfoEx as the module leaves it: every list's
// count equals its chain's length, every item has its layout's size, every
// string is a heap block exactly as long as its text plus one.
#ifndef PAT_CORE_RECORD_INVARIANTS_H
#define PAT_CORE_RECORD_INVARIANTS_H

#include "pat/pat.h"

namespace pat {

// Null when the record is consistent, else a description of the first
// violation found (a constant text naming the key).
const char *FindRecordViolation(PrnInfoEx *record);

}  // namespace pat

#endif
