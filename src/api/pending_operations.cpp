// Operations whose work is not part of this build yet: their exports check
// their arguments and then fail with ERROR_CALL_NOT_IMPLEMENTED.
#include "api/operations.h"

namespace pat {

Status ConvertPMInfo(uint32_t, const void *, uint32_t, uint32_t, PrnInfoEx *) { return kNotImplemented; }
Status ConvertToPrnInfo(PrnInfoEx *, PrnInfo *, uint32_t) { return kNotImplemented; }
Status ComposeStatusString(uint32_t, DataNode *, uint32_t, char *, uint32_t) { return kNotImplemented; }
Status ComposeDeviceName(uint32_t, const void *, uint32_t, char *, uint32_t) { return kNotImplemented; }
Status ComposeHelpFileName(uint32_t, PrnInfoEx *, char *, uint32_t) { return kNotImplemented; }
Status SelectLocale(const char *) { return kNotImplemented; }

}  // namespace pat
