// Windows attach step: the loader's notification entry point.
#include "api/module_state.h"
#include "platform/platform.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    return pat::OnModuleNotification(instance, reason);
}
