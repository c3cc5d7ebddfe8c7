// Portable global heap: fixed blocks from malloc, with a registry of live
// blocks so that GlobalFree can refuse a pointer it never handed out (Win32
// returns the pointer with ERROR_INVALID_HANDLE) without ever touching memory
// it does not own.
#include <pthread.h>
#include <stdlib.h>
#include <string.h>

#include "platform/portable/test_hooks.h"
#include "platform/portable/win32_portable.h"

namespace {

struct Slot {
    void *block;   // null: empty; kTombstone: deleted
    SIZE_T size;   // bytes the caller asked for
};

void *const kTombstone = reinterpret_cast<void *>(1);

pthread_mutex_t g_lock = PTHREAD_MUTEX_INITIALIZER;
Slot *g_slots = nullptr;
uint32_t g_capacity = 0;  // power of two
uint32_t g_used = 0;      // live + tombstones
uint32_t g_live = 0;
uint32_t g_failAt = 0;    // 0 = off
uint32_t g_allocCount = 0;
bool g_registryFixed = false;  // tests: the registry cannot grow

uint32_t HashOf(const void *p) {
    uintptr_t v = reinterpret_cast<uintptr_t>(p);
    v ^= v >> 15;
    v *= 0x2C1B3C6Du;
    v ^= v >> 12;
    return static_cast<uint32_t>(v);
}

Slot *FindSlot(const void *block) {
    if (g_capacity == 0 || block == nullptr || block == kTombstone) return nullptr;
    for (uint32_t i = HashOf(block) & (g_capacity - 1);; i = (i + 1) & (g_capacity - 1)) {
        if (g_slots[i].block == block) return &g_slots[i];
        if (g_slots[i].block == nullptr) return nullptr;
    }
}

bool Rehash(uint32_t capacity) {
    if (g_registryFixed) return false;
    Slot *slots = static_cast<Slot *>(calloc(capacity, sizeof(Slot)));
    if (slots == nullptr) return false;
    for (uint32_t i = 0; i < g_capacity; ++i) {
        void *b = g_slots[i].block;
        if (b == nullptr || b == kTombstone) continue;
        uint32_t j = HashOf(b) & (capacity - 1);
        while (slots[j].block != nullptr) j = (j + 1) & (capacity - 1);
        slots[j] = g_slots[i];
    }
    free(g_slots);
    g_slots = slots;
    g_capacity = capacity;
    g_used = g_live;
    return true;
}

// Makes sure one more block can be registered without the table growing:
// grows it (or sweeps its tombstones) once it would be three quarters full.
// False when it would have to and cannot; nothing has changed then.
bool MakeRoomForOne() {
    if ((g_used + 1) * 4 < g_capacity * 3) return true;
    uint32_t capacity = g_capacity == 0 ? 64 : (g_live * 4 >= g_capacity ? g_capacity * 2 : g_capacity);
    return Rehash(capacity);
}

bool Insert(void *block, SIZE_T size) {
    if (!MakeRoomForOne()) return false;
    uint32_t i = HashOf(block) & (g_capacity - 1);
    while (g_slots[i].block != nullptr && g_slots[i].block != kTombstone) i = (i + 1) & (g_capacity - 1);
    if (g_slots[i].block == nullptr) ++g_used;
    g_slots[i].block = block;
    g_slots[i].size = size;
    ++g_live;
    return true;
}

// Counts an allocation attempt; true when fault injection says it must fail.
bool InjectedFailure() {
    ++g_allocCount;
    if (g_failAt != 0 && g_allocCount == g_failAt) {
        g_failAt = 0;
        return true;
    }
    return false;
}

struct Guard {
    Guard() { pthread_mutex_lock(&g_lock); }
    ~Guard() { pthread_mutex_unlock(&g_lock); }
};

}  // namespace

extern "C" {

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) {
    Guard guard;
    if (InjectedFailure()) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    // Zero-byte requests still get a distinct block, as on Windows.
    void *block = (flags & GMEM_ZEROINIT) ? calloc(1, bytes ? bytes : 1) : malloc(bytes ? bytes : 1);
    if (block == nullptr || !Insert(block, bytes)) {
        free(block);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return block;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL block) {
    if (block == nullptr) return nullptr;
    Guard guard;
    Slot *slot = FindSlot(block);
    if (slot == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return block;
    }
    slot->block = kTombstone;
    --g_live;
    free(block);
    return nullptr;
}

HGLOBAL WINAPI GlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags) {
    Guard guard;
    Slot *slot = FindSlot(block);
    if (slot == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    SIZE_T old = slot->size;
    if (bytes <= old) {  // shrinking never moves
        slot->size = bytes;
        return block;
    }
    // A fixed block may only move when the caller allows it.
    if (!(flags & GMEM_MOVEABLE) || InjectedFailure()) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    // The moved block must be registrable before realloc can free the
    // original: a failure after the move would leave the caller, who keeps
    // the old pointer as Win32 promises, with a block that no longer exists.
    if (!MakeRoomForOne()) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    slot = FindSlot(block);  // the table may have been rebuilt
    void *moved = realloc(block, bytes);
    if (moved == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (flags & GMEM_ZEROINIT) memset(static_cast<char *>(moved) + old, 0, bytes - old);
    if (moved == block) {
        slot->size = bytes;
        return moved;
    }
    slot->block = kTombstone;
    --g_live;
    Insert(moved, bytes);  // cannot fail: the room was made above
    return moved;
}

SIZE_T WINAPI GlobalSize(HGLOBAL block) {
    Guard guard;
    Slot *slot = FindSlot(block);
    if (slot == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return slot->size;
}

LPVOID WINAPI GlobalLock(HGLOBAL block) {
    Guard guard;
    if (FindSlot(block) == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return block;
}

BOOL WINAPI GlobalUnlock(HGLOBAL block) {
    Guard guard;
    if (FindSlot(block) == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    SetLastError(NO_ERROR);  // a fixed block is never left locked
    return FALSE;
}

}  // extern "C"

namespace pat::portable {

uint32_t HeapLiveBlocks() {
    Guard guard;
    return g_live;
}

void HeapFailNthAllocation(uint32_t n) {
    Guard guard;
    g_allocCount = 0;
    g_failAt = n;
}

uint32_t HeapAllocationsSinceArmed() {
    Guard guard;
    return g_allocCount;
}

void HeapFixRegistrySize(bool fixed) {
    Guard guard;
    g_registryFixed = fixed;
}

}  // namespace pat::portable
