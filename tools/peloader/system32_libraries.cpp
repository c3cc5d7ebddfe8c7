// The system DLLs an image loads itself at run time rather than importing:
// version.dll, which pat.dll takes from System32 only (LoadLibraryExA with
// LOAD_LIBRARY_SEARCH_SYSTEM32). Its handle is a pseudo-handle, and
// GetProcAddress on it gives the portable backend's version functions, so the
// image reads its own version resource as it does through the real DLL.
#include <string.h>
#include <strings.h>

#include "peloader/stand_ins.h"

namespace pat::pe::kernel32 {

namespace {

constexpr DWORD kLoadLibrarySearchSystem32 = 0x00000800;

struct Export {
    const char *name;
    const void *address;
};

const Export kVersionExports[] = {
    {"GetFileVersionInfoSizeA", reinterpret_cast<const void *>(&::GetFileVersionInfoSizeA)},
    {"GetFileVersionInfoA", reinterpret_cast<const void *>(&::GetFileVersionInfoA)},
    {"VerQueryValueA", reinterpret_cast<const void *>(&::VerQueryValueA)},
};

const char kVersionDll = 0;  // its address is the pseudo-handle

}  // namespace

HMODULE WINAPI LoadLibraryExA(LPCSTR name, HANDLE file, DWORD flags) {
    if (name != nullptr && file == nullptr && flags == kLoadLibrarySearchSystem32 && strcasecmp(name, "version.dll") == 0)
        return const_cast<char *>(&kVersionDll);
    SetLastError(ERROR_MOD_NOT_FOUND);  // nothing else is found, wherever it is looked for
    return nullptr;
}

bool IsSystem32Library(HMODULE module) { return module == &kVersionDll; }

const void *System32Export(HMODULE module, LPCSTR name) {
    if (!IsSystem32Library(module) || IS_INTRESOURCE(name)) return nullptr;
    for (const Export &e : kVersionExports)
        if (strcmp(e.name, name) == 0) return e.address;
    return nullptr;
}

}  // namespace pat::pe::kernel32
