// Portable thread last error: one value per thread, as on Windows.
#include "platform/portable/win32_portable.h"

namespace {
thread_local DWORD t_lastError = 0;
}

extern "C" {

void WINAPI SetLastError(DWORD code) { t_lastError = code; }

DWORD WINAPI GetLastError(void) { return t_lastError; }

}
