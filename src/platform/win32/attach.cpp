// Windows attach step: the loader's notification entry point.
#include "platform/module_instance.h"
#include "platform/platform.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    return pat::OnModuleNotification(instance, reason);
}
