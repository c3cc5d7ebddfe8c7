// Text operations whose work is not part of this build yet: their exports
// check their arguments and then fail with ERROR_CALL_NOT_IMPLEMENTED.
#include "text/text_exports.h"

namespace pat {

Status ComposeStatusString(uint32_t, DataNode *, uint32_t, char *, uint32_t) { return kNotImplemented; }
Status ComposeDeviceName(uint32_t, const void *, uint32_t, char *, uint32_t) { return kNotImplemented; }
Status ComposeHelpFileName(uint32_t, PrnInfoEx *, char *, uint32_t) { return kNotImplemented; }
Status SelectLocale(const char *) { return kNotImplemented; }

}  // namespace pat
