// The stand-in tables, one per DLL the module may import from (version.dll
// it loads at run time: system32_libraries.cpp). An import is one row:
// PORTABLE when the portable backend implements the function under its Win32
// name, STARTUP for the KERNEL32 functions of our own (the runtime's helpers,
// the loader functions), C_LIBRARY when msvcrt's function is the C library's,
// MSVCRT where it is not.
#include <stdlib.h>
#include <string.h>
#include <strings.h>

#include "peloader/stand_ins.h"

namespace pat::pe {

namespace {

struct StandIn {
    const char *name;
    const void *address;
};

#define STAND_IN(space, function) {#function, reinterpret_cast<const void *>(&space::function)}
#define PORTABLE(function) STAND_IN(, function)
#define STARTUP(function) STAND_IN(kernel32, function)
#define C_LIBRARY(function) STAND_IN(, function)
#define MSVCRT(function) STAND_IN(msvcrt, function)

const StandIn kKernel32[] = {
    PORTABLE(GlobalAlloc),        PORTABLE(GlobalFree),       PORTABLE(GlobalReAlloc),
    PORTABLE(GlobalSize),         PORTABLE(GlobalLock),       PORTABLE(GlobalUnlock),
    PORTABLE(SetLastError),       PORTABLE(GetLastError),     PORTABLE(GetModuleFileNameA),
    PORTABLE(FindResourceA),      PORTABLE(FindResourceExA),  PORTABLE(LoadResource),
    PORTABLE(SizeofResource),     PORTABLE(LockResource),     PORTABLE(GetLocaleInfoA),
    PORTABLE(WideCharToMultiByte), PORTABLE(lstrcmpA),        PORTABLE(lstrlenA),
    PORTABLE(lstrcpyA),           PORTABLE(lstrcpynA),        PORTABLE(lstrcatA),
    STARTUP(InitializeCriticalSection), STARTUP(EnterCriticalSection), STARTUP(LeaveCriticalSection),
    STARTUP(DeleteCriticalSection),     STARTUP(TlsGetValue),          STARTUP(VirtualQuery),
    STARTUP(VirtualProtect),            STARTUP(GetModuleHandleA),     STARTUP(LoadLibraryA),
    STARTUP(FreeLibrary),               STARTUP(GetProcAddress),       STARTUP(Sleep),
    STARTUP(LoadLibraryExA),
};

const StandIn kUser32[] = {
    PORTABLE(LoadBitmapA),
    PORTABLE(CharUpperA),
};

using MemchrFunction = const void *(*)(const void *, int, size_t);  // C++ overloads it

const StandIn kMsvcrt[] = {
    C_LIBRARY(abort),  C_LIBRARY(calloc), C_LIBRARY(free),   C_LIBRARY(realloc), C_LIBRARY(memcpy),
    C_LIBRARY(memmove), C_LIBRARY(strcmp), C_LIBRARY(strlen), C_LIBRARY(strncmp),
    {"memchr", reinterpret_cast<const void *>(static_cast<MemchrFunction>(&::memchr))},
    MSVCRT(_iob),      MSVCRT(fwrite),    MSVCRT(vfprintf),  MSVCRT(_initterm),  MSVCRT(_lock),
    MSVCRT(_unlock),   MSVCRT(_amsg_exit),
};

struct StandInLibrary {
    const char *dll;
    const StandIn *rows;
    size_t count;
};

#define LIBRARY(dll, rows) {dll, rows, sizeof rows / sizeof rows[0]}

const StandInLibrary kLibraries[] = {
    LIBRARY("KERNEL32.dll", kKernel32),
    LIBRARY("USER32.dll", kUser32),
    LIBRARY("msvcrt.dll", kMsvcrt),
};

}  // namespace

const void *FindStandIn(const char *dll, const char *function) {
    for (const StandInLibrary &library : kLibraries) {
        if (strcasecmp(library.dll, dll) != 0) continue;
        for (size_t i = 0; i < library.count; ++i)
            if (strcmp(library.rows[i].name, function) == 0) return library.rows[i].address;
    }
    return nullptr;
}

}  // namespace pat::pe
