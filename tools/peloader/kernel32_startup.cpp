// The KERNEL32 functions the mingw runtime calls at attach and detach that
// the portable backend does not have: critical sections, TLS slots, page
// protection for its pseudo-relocations, the probe for a shared libgcc, and
// Sleep. Each keeps the documented Win32 contract for what it is asked here;
// the module functions see only the images this loader mapped.
#include <pthread.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include "peloader/pe_steps.h"
#include "peloader/stand_ins.h"

namespace pat::pe::kernel32 {

namespace {

constexpr DWORD kErrorInvalidHandle = 6, kErrorBadLength = 24, kErrorInvalidParameter = 87,
                kErrorModNotFound = 126, kErrorProcNotFound = 127, kErrorInvalidAddress = 487, kErrorNoAccess = 998;
constexpr DWORD kMemCommit = 0x1000, kMemImage = 0x1000000, kPageExecuteWriteCopy = 0x80;
constexpr DWORD kTlsSlots = 64;

thread_local void *t_tlsSlots[kTlsSlots];  // TlsAlloc is not imported: every slot reads null

pthread_mutex_t *MutexOf(CriticalSection *section) { return static_cast<pthread_mutex_t *>(section->debugInfo); }

Image *ImageAt(HMODULE module) {
    Image *image = LoadedImageAt(module);
    return image != nullptr && image->base == module ? image : nullptr;
}

}  // namespace

void WINAPI InitializeCriticalSection(CriticalSection *section) {
    pthread_mutexattr_t attr;
    pthread_mutexattr_init(&attr);
    pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_t *mutex = static_cast<pthread_mutex_t *>(malloc(sizeof(pthread_mutex_t)));
    pthread_mutex_init(mutex, &attr);
    pthread_mutexattr_destroy(&attr);
    *section = CriticalSection{mutex, -1, 0, 0, nullptr, 0};
}

void WINAPI EnterCriticalSection(CriticalSection *section) {
    pthread_mutex_lock(MutexOf(section));
    if (section->recursionCount++ == 0) section->owningThread = static_cast<uint32_t>(gettid());
}

void WINAPI LeaveCriticalSection(CriticalSection *section) {
    if (--section->recursionCount == 0) section->owningThread = 0;
    pthread_mutex_unlock(MutexOf(section));
}

void WINAPI DeleteCriticalSection(CriticalSection *section) {
    pthread_mutex_destroy(MutexOf(section));
    free(MutexOf(section));
    *section = CriticalSection{};
}

LPVOID WINAPI TlsGetValue(DWORD index) {
    if (index >= kTlsSlots) {
        SetLastError(kErrorInvalidParameter);
        return nullptr;
    }
    SetLastError(0);  // lets a caller tell a stored null from a failure
    return t_tlsSlots[index];
}

SIZE_T WINAPI VirtualQuery(LPCVOID address, MemoryBasicInformation *info, SIZE_T length) {
    Image *image = LoadedImageAt(address);
    if (length < sizeof *info || image == nullptr) {
        SetLastError(length < sizeof *info ? kErrorBadLength : kErrorInvalidParameter);
        return 0;
    }
    const std::vector<uint32_t> &pages = image->pageProtection;
    uint32_t first = static_cast<uint32_t>(static_cast<const uint8_t *>(address) - image->base) / kPageSize;
    uint32_t end = first;
    while (end < pages.size() && pages[end] == pages[first]) ++end;
    *info = MemoryBasicInformation{image->base + first * kPageSize, image->base, kPageExecuteWriteCopy,
                                   (end - first) * kPageSize, kMemCommit, pages[first], kMemImage};
    return sizeof *info;
}

BOOL WINAPI VirtualProtect(LPVOID address, SIZE_T size, DWORD protection, DWORD *oldProtection) {
    Image *image = LoadedImageAt(address);
    const uint8_t *start = static_cast<const uint8_t *>(address);
    if (oldProtection == nullptr || image == nullptr || size == 0 || size > image->size ||
        start + size > image->base + image->size) {
        SetLastError(oldProtection == nullptr ? kErrorNoAccess : kErrorInvalidAddress);
        return FALSE;
    }
    uint32_t first = static_cast<uint32_t>(start - image->base) / kPageSize;
    uint32_t last = static_cast<uint32_t>(start + size - 1 - image->base) / kPageSize;
    DWORD previous = image->pageProtection[first];
    if (!ChangeProtection(image, first, last - first + 1, protection)) {
        SetLastError(kErrorInvalidParameter);
        return FALSE;
    }
    *oldProtection = previous;
    return TRUE;
}

// Only images this loader mapped are modules here; the process itself is no
// PE image, so a null name finds nothing either.
HMODULE WINAPI GetModuleHandleA(LPCSTR name) {
    Image *image = name != nullptr ? LoadedImageNamed(name) : nullptr;
    if (image == nullptr) SetLastError(kErrorModNotFound);
    return image != nullptr ? image->base : nullptr;
}

// Finds an image that is already loaded; nothing else is ever loaded, and
// the images' lifetimes belong to the tests, so no reference is counted.
HMODULE WINAPI LoadLibraryA(LPCSTR name) { return GetModuleHandleA(name); }

BOOL WINAPI FreeLibrary(HMODULE module) {
    if (ImageAt(module) != nullptr || IsSystem32Library(module)) return TRUE;
    SetLastError(kErrorInvalidHandle);
    return FALSE;
}

void *WINAPI GetProcAddress(HMODULE module, LPCSTR name) {
    if (IsSystem32Library(module)) {
        const void *found = System32Export(module, name);
        if (found == nullptr) SetLastError(kErrorProcNotFound);
        return const_cast<void *>(found);
    }
    Image *image = ImageAt(module);
    if (image == nullptr) {
        SetLastError(kErrorModNotFound);
        return nullptr;
    }
    Loaded<const void *> found = IS_INTRESOURCE(name)
                                     ? ExportByOrdinal(*image, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(name)))
                                     : ExportByName(*image, name);
    if (!found) SetLastError(kErrorProcNotFound);
    return const_cast<void *>(found.value_or(nullptr));
}

void WINAPI Sleep(DWORD milliseconds) {
    timespec wait = {static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000};
    while (nanosleep(&wait, &wait) != 0) {
    }
}

}  // namespace pat::pe::kernel32
