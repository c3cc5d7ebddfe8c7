// The module's only door to the operating system. Module code calls the
// Win32 functions it needs by their Win32 names; on Windows they are the real
// ones, everywhere else the portable backend implements the same contracts.
#ifndef PAT_PLATFORM_PLATFORM_H
#define PAT_PLATFORM_PLATFORM_H

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include "platform/portable/win32_portable.h"
#endif

#endif
