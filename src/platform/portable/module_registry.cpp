#include "platform/portable/module_registry.h"

#include <pthread.h>
#include <string.h>

namespace pat::portable {

namespace {

constexpr int kMaxModules = 8;
RegisteredModule g_modules[kMaxModules];
pthread_mutex_t g_lock = PTHREAD_MUTEX_INITIALIZER;

template <typename Match>
bool FindWhere(Match match, RegisteredModule *found) {
    pthread_mutex_lock(&g_lock);
    bool seen = false;
    for (const RegisteredModule &m : g_modules) {
        if (m.base != nullptr && match(m)) {
            *found = m;
            seen = true;
            break;
        }
    }
    pthread_mutex_unlock(&g_lock);
    return seen;
}

}  // namespace

bool FindRegisteredModule(HMODULE base, RegisteredModule *found) {
    return base != nullptr && FindWhere([&](const RegisteredModule &m) { return m.base == base; }, found);
}

bool FindRegisteredModuleFile(LPCSTR path, RegisteredModule *found) {
    return path != nullptr && FindWhere([&](const RegisteredModule &m) { return strcmp(m.path, path) == 0; }, found);
}

bool RegisterModuleFile(HMODULE base, LPCSTR path, const void *versionInfo, DWORD versionSize) {
    if (base == nullptr || path == nullptr || strlen(path) >= MAX_PATH) return false;
    pthread_mutex_lock(&g_lock);
    RegisteredModule *slot = nullptr;
    for (RegisteredModule &m : g_modules)
        if (m.base == base || (slot == nullptr && m.base == nullptr)) slot = &m;
    if (slot != nullptr) {
        slot->base = base;
        strcpy(slot->path, path);
        slot->versionInfo = versionInfo;
        slot->versionSize = versionInfo != nullptr ? versionSize : 0;
    }
    pthread_mutex_unlock(&g_lock);
    return slot != nullptr;
}

void UnregisterModuleFile(HMODULE base) {
    pthread_mutex_lock(&g_lock);
    for (RegisteredModule &m : g_modules)
        if (m.base == base) m = RegisteredModule{};
    pthread_mutex_unlock(&g_lock);
}

}  // namespace pat::portable
