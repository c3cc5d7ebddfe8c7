// The internal operations behind the export frames. Each returns 0 or the
// error code the frame leaves as the thread's last error.
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

// Query building: appends the request children to a fresh tag-1 root.
Status BuildQuery(PrnInfoEx *record, uint32_t mask, DataNode *root);
Status BuildEmulUniqQuery(const void *context, uint32_t kind, uint32_t reserved, DataNode *root);

// Reply parsing: a CentroData tree into the record.
Status ApplyCentroData(DataNode *root, PrnInfoEx *record);

// Record conversions.
Status ConvertPMInfo(uint32_t deviceClass, const void *pmInfo, uint32_t revision, uint32_t mask,
                     PrnInfoEx *record);
Status ConvertToPrnInfo(PrnInfoEx *record, PrnInfo *flat, uint32_t mask);

// Status texts. Each composes into text (capacity bytes, always terminated).
Status ComposeStatusString(uint32_t deviceClass, DataNode *tree, uint32_t option, char *text,
                           uint32_t capacity);
Status ComposeDeviceName(uint32_t kind, const void *source, uint32_t revision, char *text, uint32_t capacity);
Status ComposeHelpFileName(uint32_t deviceClass, PrnInfoEx *record, char *text, uint32_t capacity);
Status SelectLocale(const char *localeName);

}  // namespace pat

#endif
