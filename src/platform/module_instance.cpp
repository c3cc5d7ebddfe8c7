#include "platform/module_instance.h"

namespace pat {

namespace {
HINSTANCE g_instance = nullptr;
}

BOOL OnModuleNotification(HINSTANCE instance, DWORD reason) {
    if (reason == DLL_PROCESS_ATTACH) g_instance = instance;
    return TRUE;
}

HINSTANCE ModuleInstance() { return g_instance; }

}  // namespace pat
