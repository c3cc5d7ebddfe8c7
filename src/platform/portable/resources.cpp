// Portable resource directory: the module's resources compiled in as a table
// of {type, name, language, data}. As shipped it is empty; tests register
// string-table blocks and bitmaps to run the resource paths with rows.
#include <pthread.h>
#include <stdlib.h>
#include <string.h>

#include "platform/portable/test_hooks.h"
#include "platform/portable/win32_portable.h"

namespace {

struct ResourceEntry {
    uintptr_t typeId;  // integer identifier, or 0 when typeName is used
    char typeName[64];
    uintptr_t nameId;
    char nameName[64];
    WORD language;
    const void *data;
    DWORD size;
};

constexpr int kMaxResources = 256;
ResourceEntry g_entries[kMaxResources];
int g_count = 0;
pthread_mutex_t g_lock = PTHREAD_MUTEX_INITIALIZER;

void StoreId(LPCSTR id, uintptr_t *number, char *text) {
    if (IS_INTRESOURCE(id)) {
        *number = reinterpret_cast<uintptr_t>(id);
        text[0] = '\0';
    } else {
        *number = 0;
        strncpy(text, id, 63);
        text[63] = '\0';
    }
}

// Win32 compares string identifiers without regard to case; "#123" names the
// integer identifier 123.
bool IdMatches(LPCSTR id, uintptr_t number, const char *text) {
    if (IS_INTRESOURCE(id)) return number == reinterpret_cast<uintptr_t>(id);
    if (id[0] == '#') return number != 0 && number == strtoul(id + 1, nullptr, 10);
    return number == 0 && strcasecmp(id, text) == 0;
}

// Searches the directory; language 0xFFFF accepts any language, preferring
// the neutral one. Sets the Win32 error that says which level was missing.
HRSRC Find(LPCSTR type, LPCSTR name, DWORD language) {
    if (name == nullptr || type == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    pthread_mutex_lock(&g_lock);
    bool typeSeen = false, nameSeen = false;
    ResourceEntry *found = nullptr;
    for (int i = 0; i < g_count; ++i) {
        ResourceEntry &e = g_entries[i];
        if (!IdMatches(type, e.typeId, e.typeName)) continue;
        typeSeen = true;
        if (!IdMatches(name, e.nameId, e.nameName)) continue;
        nameSeen = true;
        if (language == 0xFFFF ? (found == nullptr || e.language == 0) : e.language == language) {
            found = &e;
            if (language != 0xFFFF || e.language == 0) break;
        }
    }
    pthread_mutex_unlock(&g_lock);
    if (found == nullptr)
        SetLastError(!typeSeen   ? ERROR_RESOURCE_TYPE_NOT_FOUND
                     : !nameSeen ? ERROR_RESOURCE_NAME_NOT_FOUND
                                 : ERROR_RESOURCE_LANG_NOT_FOUND);
    return found;
}

}  // namespace

extern "C" {

HRSRC WINAPI FindResourceA(HMODULE, LPCSTR name, LPCSTR type) { return Find(type, name, 0xFFFF); }

HRSRC WINAPI FindResourceExA(HMODULE, LPCSTR type, LPCSTR name, WORD language) {
    return Find(type, name, language);
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC resource) {
    if (resource == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return const_cast<void *>(static_cast<ResourceEntry *>(resource)->data);
}

DWORD WINAPI SizeofResource(HMODULE, HRSRC resource) {
    if (resource == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return static_cast<ResourceEntry *>(resource)->size;
}

LPVOID WINAPI LockResource(HGLOBAL resource) { return resource; }

// There are no GDI bitmap objects here: the handle of a loaded bitmap is the
// address of its resource data.
HBITMAP WINAPI LoadBitmapA(HINSTANCE, LPCSTR name) {
    HRSRC found = Find(RT_BITMAP, name, 0xFFFF);
    return found == nullptr ? nullptr : const_cast<void *>(static_cast<ResourceEntry *>(found)->data);
}

}  // extern "C"

namespace pat::portable {

void RegisterResource(LPCSTR type, LPCSTR name, WORD language, const void *data, DWORD size) {
    pthread_mutex_lock(&g_lock);
    if (g_count < kMaxResources) {
        ResourceEntry &e = g_entries[g_count++];
        StoreId(type, &e.typeId, e.typeName);
        StoreId(name, &e.nameId, e.nameName);
        e.language = language;
        e.data = data;
        e.size = size;
    }
    pthread_mutex_unlock(&g_lock);
}

void ClearResources() {
    pthread_mutex_lock(&g_lock);
    g_count = 0;
    pthread_mutex_unlock(&g_lock);
}

}  // namespace pat::portable
