// Reply parsing's entry point: a CentroData tree into the host's record.
#ifndef PAT_REPLY_CENTRO_DATA_H
#define PAT_REPLY_CENTRO_DATA_H

#include "core/error_codes.h"
#include "pat/pat.h"

namespace pat {

// Checks the answers against the request copy, parses every answer child and
// renumbers the tandem trays; 0 or an error code.
Status ApplyCentroData(DataNode *root, PrnInfoEx *record);

}  // namespace pat

#endif
