#include "peloader/stdcall_probe.h"

// cdecl: (function, arguments, count, removed*) -> EAX of the call.
asm(R"(
    .pushsection .text
    .globl pat_call_probed
    .type pat_call_probed, @function
pat_call_probed:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
    leal 0(,%ecx,4), %eax
    subl %eax, %esp
    andl $-16, %esp
    addl %eax, %esp
1:  testl %ecx, %ecx
    jz 2f
    pushl -4(%esi,%ecx,4)
    decl %ecx
    jmp 1b
2:  movl %esp, %edi
    call *8(%ebp)
    movl %esp, %ecx
    subl %edi, %ecx
    movl 20(%ebp), %edx
    movl %ecx, (%edx)
    leal -12(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
    .size pat_call_probed, .-pat_call_probed
    .popsection
)");

extern "C" uint32_t pat_call_probed(const void *function, const uint32_t *arguments, uint32_t count,
                                    int32_t *removed);

namespace pat::pe {

ProbedCall CallProbed(const void *function, const uint32_t *arguments, uint32_t count) {
    ProbedCall call = {0, 0};
    call.result = pat_call_probed(function, arguments, count, &call.removed);
    return call;
}

}  // namespace pat::pe
