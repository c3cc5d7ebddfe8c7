// The status-text entry points, the work of PatGetStatusString,
// PatGetDeviceName, PatGetStatusHelpFileName and PatSetLocale after their
// frames' checks. Each composes into text (capacity bytes, terminated, empty
// on failure) and returns 0 or an error code.
#ifndef PAT_TEXT_TEXT_EXPORTS_H
#define PAT_TEXT_TEXT_EXPORTS_H

#include <stdint.h>

#include "core/error_codes.h"
#include "pat/pat.h"

namespace pat {

// The status text of the record the tree selects: kInvalidParameter for a malformed tree, kNoMemory
// when the codes or messages cannot be collected, else the composition's
// result.
Status ComposeStatusString(uint32_t deviceClass, DataNode *tree, uint32_t option, char *text,
                           uint32_t capacity);

// The localized name of a tray or bin (kinds 1 and 2, source a name, revision
// 0x97) or of a keyed device (kind 3, source a 32-bit key, revision 0x96).
Status ComposeDeviceName(uint32_t kind, const void *source, uint32_t revision, char *text, uint32_t capacity);

// The help-file name of the record's current status: kInvalidParameter for a null or too
// small record, kNoMemory without working storage, kNotFound when the device class
// has no priority table.
Status ComposeStatusHelpFileName(uint32_t deviceClass, const PrnInfoEx *record, char *text, uint32_t capacity);

// Selects the resource language of a locale name: 0 or kLocaleNotFound.
Status SelectLocale(const char *localeName);

}  // namespace pat

#endif
