// The module's global heap and last error, as the shared object exports them.
// pat.h declares the sixteen exports only; a host also needs these to build
// the trees it hands in and to free everything it receives.
#ifndef PAT_HOST_MODULE_HEAP_H
#define PAT_HOST_MODULE_HEAP_H

#include <stddef.h>
#include <stdint.h>

#include "pat/pat.h"

extern "C" {
PAT_CALL void *GlobalAlloc(uint32_t flags, size_t bytes);
PAT_CALL void *GlobalFree(void *block);
PAT_CALL uint32_t GetLastError(void);
}

namespace pathost {

constexpr uint32_t kHeapFixed = 0x0000;
constexpr uint32_t kHeapZeroInit = 0x0040;

}  // namespace pathost

#endif
