// Windows backend: the version-information functions, taken from version.dll
// in System32 at the first call. version.dll is not one of the system's known
// DLLs, so a static import would let a version.dll planted beside the host's
// executable be loaded in its place. A failure is the loader's own, left in
// the last error, and the function fails as the system's would.
#include "platform/platform.h"

namespace {

enum VersionFunction { kSize, kInfo, kQuery, kFunctionCount };
const char *const kFunctionNames[kFunctionCount] = {"GetFileVersionInfoSizeA", "GetFileVersionInfoA",
                                                    "VerQueryValueA"};

using SizeFunction = DWORD(WINAPI *)(LPCSTR, LPDWORD);
using InfoFunction = BOOL(WINAPI *)(LPCSTR, DWORD, DWORD, LPVOID);
using QueryFunction = BOOL(WINAPI *)(LPCVOID, LPCSTR, LPVOID *, PUINT);

// Published with a compare-exchange: several threads may ask at once, each
// resolves the same values, the first to finish publishes them.
PVOID volatile g_versionDll;
PVOID volatile g_functions[kFunctionCount];

PVOID Published(PVOID volatile *slot) { return InterlockedCompareExchangePointer(slot, nullptr, nullptr); }

HMODULE VersionDll() {
    if (PVOID known = Published(&g_versionDll)) return static_cast<HMODULE>(known);
    HMODULE loaded = LoadLibraryExA("version.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (loaded == nullptr) return nullptr;
    PVOID first = InterlockedCompareExchangePointer(&g_versionDll, loaded, nullptr);
    if (first == nullptr) return loaded;
    FreeLibrary(loaded);  // another thread was first; one reference keeps the module
    return static_cast<HMODULE>(first);
}

// Null with the last error of LoadLibraryExA or GetProcAddress.
PVOID Resolve(VersionFunction which) {
    if (PVOID known = Published(&g_functions[which])) return known;
    HMODULE dll = VersionDll();
    PVOID found = dll != nullptr ? reinterpret_cast<PVOID>(GetProcAddress(dll, kFunctionNames[which])) : nullptr;
    if (found != nullptr) InterlockedCompareExchangePointer(&g_functions[which], found, nullptr);
    return found;
}

}  // namespace

DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR path, LPDWORD handle) {
    auto function = reinterpret_cast<SizeFunction>(Resolve(kSize));
    return function != nullptr ? function(path, handle) : 0;
}

BOOL WINAPI GetFileVersionInfoA(LPCSTR path, DWORD handle, DWORD length, LPVOID data) {
    auto function = reinterpret_cast<InfoFunction>(Resolve(kInfo));
    return function != nullptr ? function(path, handle, length, data) : FALSE;
}

BOOL WINAPI VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID *value, PUINT length) {
    auto function = reinterpret_cast<QueryFunction>(Resolve(kQuery));
    return function != nullptr ? function(block, subBlock, value, length) : FALSE;
}
