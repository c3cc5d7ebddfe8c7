// Calling a function the way a stdcall caller does, while watching the stack
// pointer: the callee must remove exactly its arguments, no more, no fewer.
#ifndef PAT_TESTS_CONTRACT_STDCALL_PROBE_H
#define PAT_TESTS_CONTRACT_STDCALL_PROBE_H

#include <stdint.h>

namespace pat::test {

struct ProbedCall {
    uint32_t result;  // EAX
    int32_t removed;  // bytes the callee took off the stack on return
};

// Pushes count 32-bit arguments right to left on a 16-byte aligned stack,
// calls, and measures ESP after the return against ESP at the call. A callee
// that removes the wrong amount cannot harm the caller: ESP is restored from
// the frame.
ProbedCall CallProbed(const void *function, const uint32_t *arguments, uint32_t count);

}  // namespace pat::test

#endif
