// The module-wide state saved at load: the instance handle that every resource
// and module-file lookup uses.
#ifndef PAT_PLATFORM_MODULE_INSTANCE_H
#define PAT_PLATFORM_MODULE_INSTANCE_H

#include "platform/platform.h"

namespace pat {

// The loader's notification; process attach saves the handle. Always 1.
BOOL OnModuleNotification(HINSTANCE instance, DWORD reason);

// The handle saved at process attach; null before it.
HINSTANCE ModuleInstance();

}  // namespace pat

#endif
