// The status-text entry points. Each composes into text (capacity bytes,
// always terminated) and returns 0 or an error code.
#ifndef PAT_TEXT_TEXT_EXPORTS_H
#define PAT_TEXT_TEXT_EXPORTS_H

#include <stdint.h>

#include "core/error_codes.h"
#include "pat/pat.h"

namespace pat {

Status ComposeStatusString(uint32_t deviceClass, DataNode *tree, uint32_t option, char *text,
                           uint32_t capacity);
Status ComposeDeviceName(uint32_t kind, const void *source, uint32_t revision, char *text, uint32_t capacity);
Status ComposeHelpFileName(uint32_t deviceClass, PrnInfoEx *record, char *text, uint32_t capacity);
Status SelectLocale(const char *localeName);

}  // namespace pat

#endif
