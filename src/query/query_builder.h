// The query builder's entry points: each appends the request children to a
// fresh tag-1 root and returns 0 or an error code.
#ifndef PAT_QUERY_QUERY_BUILDER_H
#define PAT_QUERY_QUERY_BUILDER_H

#include <stdint.h>

#include "core/error_codes.h"
#include "pat/pat.h"

namespace pat {

// The device ID request and the PJL query text for the categories of mask.
Status BuildQuery(PrnInfoEx *record, uint32_t mask, DataNode *root);

// The emulation-specific INFO ZOLT request; only query kind 15 exists.
Status BuildEmulUniqQuery(const void *context, uint32_t kind, uint32_t reserved, DataNode *root);

}  // namespace pat

#endif
