// What a loaded image's imports are bound to, per DLL: the portable
// backend's Win32 functions (so the image and the module's objects in this
// process share one heap, one last error and one resource directory), small
// implementations of what the mingw start-up code needs from KERNEL32, and
// msvcrt mapped onto the C library. The tables are in stand_in_tables.cpp.
#ifndef PAT_PELOADER_STAND_INS_H
#define PAT_PELOADER_STAND_INS_H

#include <stdarg.h>
#include <stddef.h>

#include "peloader/pe_loader.h"
#include "platform/platform.h"

namespace pat::pe {

// FindStandIn (pe_loader.h) reads the tables; DLL names compare without
// regard to case, function names exactly, as the Windows loader compares them.

// KERNEL32 as the mingw runtime uses it at attach and detach, with the
// documented Win32 behaviour (kernel32_startup.cpp).
namespace kernel32 {

struct CriticalSection {  // CRITICAL_SECTION, 24 bytes on Win32
    void *debugInfo;      // here: the recursive mutex behind it
    int32_t lockCount, recursionCount;
    uint32_t owningThread;
    void *lockSemaphore;
    uint32_t spinCount;
};
static_assert(sizeof(CriticalSection) == 24, "CRITICAL_SECTION");

struct MemoryBasicInformation {  // MEMORY_BASIC_INFORMATION
    void *baseAddress, *allocationBase;
    DWORD allocationProtect;
    SIZE_T regionSize;
    DWORD state, protect, type;
};
static_assert(sizeof(MemoryBasicInformation) == 28, "MEMORY_BASIC_INFORMATION");

void WINAPI InitializeCriticalSection(CriticalSection *section);
void WINAPI EnterCriticalSection(CriticalSection *section);
void WINAPI LeaveCriticalSection(CriticalSection *section);
void WINAPI DeleteCriticalSection(CriticalSection *section);
LPVOID WINAPI TlsGetValue(DWORD index);
SIZE_T WINAPI VirtualQuery(LPCVOID address, MemoryBasicInformation *info, SIZE_T length);
BOOL WINAPI VirtualProtect(LPVOID address, SIZE_T size, DWORD protection, DWORD *oldProtection);
HMODULE WINAPI GetModuleHandleA(LPCSTR name);
HMODULE WINAPI LoadLibraryA(LPCSTR name);
BOOL WINAPI FreeLibrary(HMODULE module);
void *WINAPI GetProcAddress(HMODULE module, LPCSTR name);
// system32_libraries.cpp: version.dll from System32, a pseudo-handle.
HMODULE WINAPI LoadLibraryExA(LPCSTR name, HANDLE file, DWORD flags);
bool IsSystem32Library(HMODULE module);
const void *System32Export(HMODULE module, LPCSTR name);  // null for another handle or name
void WINAPI Sleep(DWORD milliseconds);

}  // namespace kernel32

// msvcrt where it differs from the C library: its stream table is data, and
// its internal start-up helpers (msvcrt_runtime.cpp). All cdecl.
namespace msvcrt {

struct File {  // msvcrt's FILE: 32 bytes, never looked into by its users
    uint8_t opaque[32];
};
extern File _iob[3];  // stdin, stdout, stderr

size_t fwrite(const void *data, size_t size, size_t count, File *stream);
int vfprintf(File *stream, const char *format, va_list arguments);
void _initterm(void (**first)(), void (**end)());
void _lock(int lock);
void _unlock(int lock);
void _amsg_exit(int code);

}  // namespace msvcrt

}  // namespace pat::pe

#endif
