// The export convention: every frame leaves its result code as the thread's
// last error and returns 1 (or a pointer) on success, 0 (or null) on failure.
#ifndef PAT_API_LAST_ERROR_H
#define PAT_API_LAST_ERROR_H

#include "core/error_codes.h"
#include "platform/platform.h"

namespace pat {

inline int Finish(Status status) {
    SetLastError(status);
    return status == kOk ? 1 : 0;
}

template <typename T>
T *FinishWith(Status status, T *result) {
    SetLastError(status);
    return status == kOk ? result : nullptr;
}

}  // namespace pat

#endif
