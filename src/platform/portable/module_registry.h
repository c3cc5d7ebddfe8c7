// Modules the dynamic loader does not know: PE images that a test maps into
// the process itself. GetModuleFileNameA and the version functions answer for
// them from what was registered (test_hooks.h), as Windows would for a DLL.
#ifndef PAT_PLATFORM_PORTABLE_MODULE_REGISTRY_H
#define PAT_PLATFORM_PORTABLE_MODULE_REGISTRY_H

#include "platform/portable/win32_portable.h"

namespace pat::portable {

struct RegisteredModule {
    HMODULE base;
    char path[MAX_PATH];
    const void *versionInfo;  // VS_VERSIONINFO block, or null
    DWORD versionSize;
};

// Copy a registration out; false when nothing is registered under the key.
bool FindRegisteredModule(HMODULE base, RegisteredModule *found);
bool FindRegisteredModuleFile(LPCSTR path, RegisteredModule *found);

}  // namespace pat::portable

#endif
