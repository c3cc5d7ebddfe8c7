// A record's whole content as text: every scalar field of its header, every
// string, every list item's bytes. Two records hold the same data exactly
// when their snapshots are equal.
#ifndef PAT_TESTS_SUPPORT_RECORD_SNAPSHOT_H
#define PAT_TESTS_SUPPORT_RECORD_SNAPSHOT_H

#include <string>

#include "pat/pat.h"

namespace pat::test {

std::string RecordSnapshot(PrnInfoEx *record);

}  // namespace pat::test

#endif
