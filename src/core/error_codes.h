// Results of the module's internal operations: 0 or a code the export frames
// pass on as the thread's last error.
#ifndef PAT_CORE_ERROR_CODES_H
#define PAT_CORE_ERROR_CODES_H

#include <stdint.h>

#include "pat/pat.h"

namespace pat {

using Status = uint32_t;

constexpr Status kOk = PAT_OK;
constexpr Status kNoMemory = PAT_ERROR_NOT_ENOUGH_MEMORY;
constexpr Status kInvalidData = PAT_ERROR_INVALID_DATA;
constexpr Status kInvalidParameter = PAT_ERROR_INVALID_PARAMETER;
constexpr Status kBufferTooSmall = PAT_ERROR_INSUFFICIENT_BUFFER;
constexpr Status kLocaleNotFound = PAT_ERROR_LOCALE_NOT_FOUND;
constexpr Status kReplyMismatch = PAT_ERROR_REPLY_MISMATCH;
constexpr Status kNoPalette = PAT_ERROR_NO_PALETTE;
constexpr Status kNotFound = PAT_ERROR_NOT_FOUND;

}  // namespace pat

#endif
