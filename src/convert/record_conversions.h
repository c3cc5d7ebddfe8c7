// The record conversions' entry points: a host PMInfo block into PrnInfoEx,
// and PrnInfoEx into the flat PrnInfo. Each returns 0 or an error code.
#ifndef PAT_CONVERT_RECORD_CONVERSIONS_H
#define PAT_CONVERT_RECORD_CONVERSIONS_H

#include <stdint.h>

#include "core/error_codes.h"
#include "pat/pat.h"

namespace pat {

Status ConvertPMInfo(uint32_t deviceClass, const void *pmInfo, uint32_t revision, uint32_t mask,
                     PrnInfoEx *record);
Status ConvertToPrnInfo(PrnInfoEx *record, PrnInfo *flat, uint32_t mask);

}  // namespace pat

#endif
