// Portable GetModuleFileNameA: the path of a loaded module, found with the
// dynamic loader from the module's base address (its instance handle).
#include <dlfcn.h>
#include <string.h>
#include <unistd.h>

#include "platform/portable/module_registry.h"
#include "platform/portable/win32_portable.h"

namespace {

// Copies with the Win32 truncation rule: at most size - 1 characters and a
// terminator; a path that does not fit reports size and ERROR_INSUFFICIENT_BUFFER.
DWORD CopyPath(const char *path, LPSTR out, DWORD size) {
    size_t length = strlen(path);
    if (size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (length >= size) {
        memcpy(out, path, size - 1);
        out[size - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    memcpy(out, path, length + 1);
    return static_cast<DWORD>(length);
}

}  // namespace

extern "C" DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR path, DWORD size) {
    if (path == nullptr && size != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    char exe[MAX_PATH * 4];
    pat::portable::RegisteredModule registered;
    if (pat::portable::FindRegisteredModule(module, &registered)) return CopyPath(registered.path, path, size);
    if (module != nullptr) {
        Dl_info info;
        if (dladdr(module, &info) == 0 || info.dli_fbase != module) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return 0;
        }
        // The main program is reported without a usable name by some loaders.
        if (info.dli_fname != nullptr && info.dli_fname[0] == '/') return CopyPath(info.dli_fname, path, size);
    }
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    exe[n] = '\0';
    return CopyPath(exe, path, size);
}
