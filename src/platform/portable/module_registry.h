// Modules the dynamic loader does not know: PE images mapped into the process
// by the PE loader (tools/peloader/) or by a test. GetModuleFileNameA and the
// version functions answer for them from what was registered, as Windows
// would for a DLL.
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

// Makes such a module known by its base: GetModuleFileNameA reports the path,
// and the version functions read the given VS_VERSIONINFO block as that
// file's version information (null: the file has none). The block must
// outlive the registration. False when the path is too long or every slot is
// taken.
bool RegisterModuleFile(HMODULE base, LPCSTR path, const void *versionInfo, DWORD versionSize);
void UnregisterModuleFile(HMODULE base);

// Copy a registration out; false when nothing is registered under the key.
bool FindRegisteredModule(HMODULE base, RegisteredModule *found);
bool FindRegisteredModuleFile(LPCSTR path, RegisteredModule *found);

}  // namespace pat::portable

#endif
