// Bitmaps and palette: the module's pictures come from its own resources, and
// its palette from the configuration.
#include "api/last_error.h"
#include "platform/module_instance.h"
#include "api/operations.h"
#include "api/module_config.h"

using namespace pat;

namespace pat {

Status DisposeBitmapInfo(BitmapInfo *info) {
    if (info == nullptr || (info->bMarker != PAT_BITMAP_SINGLE && info->bMarker != PAT_BITMAP_SET))
        return kInvalidParameter;
    if (info->bMarker == PAT_BITMAP_SET && info->pData != nullptr) {
        BitmapInfo *entries = static_cast<BitmapInfo *>(info->pData);
        // The whole set is checked before anything is freed: a set refused
        // with kInvalidParameter is left intact, so the host's next release frees nothing twice.
        for (uint32_t i = 0; i < info->dwCount; ++i)
            if (entries[i].bMarker != PAT_BITMAP_SINGLE) return kInvalidParameter;
        for (uint32_t i = 0; i < info->dwCount; ++i)
            if (entries[i].pData != nullptr) GlobalFree(entries[i].pData);
    }
    if (info->pData != nullptr) GlobalFree(info->pData);
    GlobalFree(info);
    return kOk;
}

Status CopyPalette(PatPalette *palette, uint32_t *length) {
    if (length == nullptr) return kInvalidParameter;
    if (*length != 0 && palette == nullptr) return kInvalidParameter;
    const PatPaletteEntry *table = Config().paletteTable;
    uint32_t count = 0;
    while (table != nullptr && table[count].bFlags != kPaletteEnd) ++count;
    if (count == 0) return kNoPalette;
    uint32_t needed = 4 + 4 * count;
    if (*length < needed) {
        *length = needed;
        return kBufferTooSmall;
    }
    palette->wVersion = 0x300;
    palette->wCount = static_cast<uint16_t>(count);
    for (uint32_t i = 0; i < count; ++i) palette->entries[i] = table[i];
    return kOk;
}

}  // namespace pat

extern "C" {

PAT_API void *PAT_CALL PatLoadBitmap(const char *name) {
    if (name == nullptr) return FinishWith<void>(kInvalidParameter, nullptr);
    HBITMAP bitmap = LoadBitmapA(ModuleInstance(), name);
    if (bitmap == nullptr) return nullptr;  // the loader's last error stands
    SetLastError(kOk);
    return bitmap;
}

PAT_API void *PAT_CALL PatLoadDIBitmap(const char *name) {
    if (name == nullptr) return FinishWith<void>(kInvalidParameter, nullptr);
    HRSRC found = FindResourceA(ModuleInstance(), name, RT_BITMAP);
    HGLOBAL loaded = found != nullptr ? LoadResource(ModuleInstance(), found) : nullptr;
    if (loaded == nullptr) {
        SetLastError(GetLastError());  // pass the platform's reason on explicitly
        return nullptr;
    }
    SetLastError(kOk);
    return loaded;
}

}  // extern "C"
