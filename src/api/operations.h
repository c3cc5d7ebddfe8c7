// The exported interface's own operations behind the frames: the version and
// profile blocks, bitmaps and palette. Each returns 0 or the error code the
// frame leaves as the thread's last error. The other subsystems declare their
// entry points in their own headers.
#ifndef PAT_API_OPERATIONS_H
#define PAT_API_OPERATIONS_H

#include <stdint.h>

#include "core/error_codes.h"
#include "pat/pat.h"

namespace pat {

// Version and profile blocks.
Status FillDllVersion(DllVersion *version);
Status FillPeripheralProfile(uint32_t deviceClass, PeripheralProfile *profile, uint32_t *length);

// Bitmaps and palette.
Status DisposeBitmapInfo(BitmapInfo *info);
Status CopyPalette(PatPalette *palette, uint32_t *length);

}  // namespace pat

#endif
