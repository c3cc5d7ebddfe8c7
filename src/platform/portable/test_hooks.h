// Knobs of the portable backend that tests turn: heap accounting and fault
// injection, and the compiled-in resource directory. Not exported from the
// shared object; tests link the module's objects directly. (Modules that the
// PE loader maps are registered through module_registry.h.)
#ifndef PAT_PLATFORM_PORTABLE_TEST_HOOKS_H
#define PAT_PLATFORM_PORTABLE_TEST_HOOKS_H

#include "platform/portable/win32_portable.h"

namespace pat::portable {

// Number of global-heap blocks currently allocated and not yet freed.
uint32_t HeapLiveBlocks();

// Makes the n-th allocation from now (1 = the next one) fail as if memory were
// exhausted; GlobalAlloc and growing GlobalReAlloc calls both count. 0 turns
// injection off. The injection fires once.
void HeapFailNthAllocation(uint32_t n);

// Allocations made since the last call of HeapFailNthAllocation; lets a test
// learn how many allocation points an operation has.
uint32_t HeapAllocationsSinceArmed();

// While set, the registry of live blocks cannot grow, as if the C heap had
// run out: GlobalAlloc fails once the registry is full, and so does a
// GlobalReAlloc that would need a new entry for a moved block.
void HeapFixRegistrySize(bool fixed);

// Adds a resource to the module's resource directory. Name and type are
// either integer identifiers (MAKEINTRESOURCEA) or strings, which are copied;
// the data must outlive the registration.
void RegisterResource(LPCSTR type, LPCSTR name, WORD language, const void *data, DWORD size);
// Empties the resource directory (as shipped it is empty).
void ClearResources();

}  // namespace pat::portable

#endif
