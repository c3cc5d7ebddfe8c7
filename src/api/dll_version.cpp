// The version block: the module's own file version read through the platform's
// version-information functions, then the two fixed host versions.
#include <string.h>

#include "platform/module_instance.h"
#include "api/operations.h"
#include "api/module_config.h"
#include "platform/platform.h"

namespace pat {

namespace {

constexpr uint32_t kVersion2 = 0x02000100;
constexpr uint32_t kVersion3 = 0x03060000;

// One byte per component; a component above 255 spills into its neighbour.
uint32_t PackVersion(const VS_FIXEDFILEINFO *info) {
    uint32_t major = info->dwFileVersionMS >> 16, minor = info->dwFileVersionMS & 0xFFFF;
    uint32_t third = info->dwFileVersionLS >> 16, fourth = info->dwFileVersionLS & 0xFFFF;
    return (major << 24) | (minor << 16) | (third << 8) | fourth;
}

}  // namespace

Status FillDllVersion(DllVersion *version) {
    if (version == nullptr || version->dwSize < sizeof(DllVersion)) return kInvalidParameter;
    uint32_t size = version->dwSize;
    memset(version, 0, sizeof(DllVersion));
    version->dwSize = size;

    char path[MAX_PATH];
    DWORD pathLength = GetModuleFileNameA(ModuleInstance(), path, MAX_PATH);
    Status pending = GetLastError();
    if (pathLength == 0) return pending;
    DWORD handle = 0;
    DWORD infoSize = GetFileVersionInfoSizeA(path, &handle);
    pending = GetLastError();
    if (infoSize == 0) return pending;
    void *info = GlobalAlloc(GMEM_FIXED, infoSize);
    pending = GetLastError();
    if (info == nullptr) return pending;

    BOOL lastCall = GetFileVersionInfoA(path, handle, infoSize, info);
    pending = GetLastError();
    if (lastCall == 1) {
        void *fixed = nullptr;
        UINT fixedLength = 0;
        lastCall = VerQueryValueA(info, "\\", &fixed, &fixedLength);
        pending = GetLastError();
        if (lastCall == 1) version->dwFileVersion = PackVersion(static_cast<VS_FIXEDFILEINFO *>(fixed));
    }
    GlobalFree(info);
    if (lastCall == 0 && pending != kOk) return pending;

    version->dwVersion2 = kVersion2;
    version->dwVersion3 = kVersion3;
    return Config().versionStep != nullptr ? Config().versionStep(version) : kOk;
}

}  // namespace pat
