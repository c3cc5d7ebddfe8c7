// Portable attach step: the loader runs this constructor when the module is
// loaded, standing in for the process-attach notification of a DLL.
#include <dlfcn.h>

#include "platform/module_instance.h"
#include "platform/portable/win32_portable.h"

namespace {

__attribute__((constructor)) void AttachOnLoad() {
    Dl_info info;
    if (dladdr(reinterpret_cast<void *>(&AttachOnLoad), &info) != 0)
        pat::OnModuleNotification(info.dli_fbase, DLL_PROCESS_ATTACH);
}

}  // namespace
