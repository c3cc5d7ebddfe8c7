// Calling a function the way a stdcall caller does, while watching the stack
// pointer: the callee must remove exactly its arguments, no more, no fewer.
// Hosts call exports through it, so a binary whose export does not have the
// prototype a host expects is found out instead of corrupting the stack.
#ifndef PAT_PELOADER_STDCALL_PROBE_H
#define PAT_PELOADER_STDCALL_PROBE_H

#include <stdint.h>

namespace pat::pe {

struct ProbedCall {
    uint32_t result;  // EAX
    int32_t removed;  // bytes the callee took off the stack on return
};

// Pushes count 32-bit arguments right to left on a 16-byte aligned stack,
// calls, and measures ESP after the return against ESP at the call. A callee
// that removes the wrong amount cannot harm the caller: ESP is restored from
// the frame.
ProbedCall CallProbed(const void *function, const uint32_t *arguments, uint32_t count);

}  // namespace pat::pe

#endif
