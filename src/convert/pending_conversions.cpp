// Conversions whose work is not part of this build yet: their exports check
// their arguments and then fail with ERROR_CALL_NOT_IMPLEMENTED.
#include "convert/record_conversions.h"

namespace pat {

Status ConvertPMInfo(uint32_t, const void *, uint32_t, uint32_t, PrnInfoEx *) { return kNotImplemented; }
Status ConvertToPrnInfo(PrnInfoEx *, PrnInfo *, uint32_t) { return kNotImplemented; }

}  // namespace pat
