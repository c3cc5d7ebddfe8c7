// The Win32 thread information block, as far as code in a DLL reads it
// through %fs: the mingw start-up code takes its stack base from there, and
// static TLS lives in the array it points to. A GDT TLS entry of the thread
// (set_thread_area) makes %fs select the block; Linux on i386 leaves %fs to
// programs, its own TLS uses %gs.
#include <asm/ldt.h>
#include <pthread.h>
#include <stddef.h>
#include <string.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "peloader/pe_steps.h"

namespace pat::pe {

namespace {

constexpr uint32_t kTlsIndices = 64;

struct ThreadBlock {
    uint32_t exceptionList;  // the SEH chain; 0xFFFFFFFF ends it
    uint32_t stackBase;
    uint32_t stackLimit;
    uint32_t subSystemTib, fiberData, arbitraryUserPointer;
    uint32_t self;  // the block's own address, how code finds it
    uint32_t environment;
    uint32_t processId, threadId;
    uint32_t activeRpcHandle;
    void **threadLocalStorage;  // static TLS data of each image, by TLS index
};
static_assert(offsetof(ThreadBlock, self) == 0x18 && offsetof(ThreadBlock, threadLocalStorage) == 0x2C,
              "Win32 thread block offsets");

thread_local ThreadBlock t_block;
thread_local void *t_tlsData[kTlsIndices];
int g_entry = -1;  // the GDT entry %fs selects; each thread fills its own copy
pthread_mutex_t g_lock = PTHREAD_MUTEX_INITIALIZER;

bool SelectBlock() {
    user_desc desc;
    memset(&desc, 0, sizeof desc);
    desc.base_addr = static_cast<unsigned>(reinterpret_cast<uintptr_t>(&t_block));
    desc.limit = sizeof t_block - 1;
    desc.seg_32bit = 1;
    desc.useable = 1;
    pthread_mutex_lock(&g_lock);
    desc.entry_number = static_cast<unsigned>(g_entry);
    bool ok = syscall(SYS_set_thread_area, &desc) == 0;
    if (ok) g_entry = static_cast<int>(desc.entry_number);
    pthread_mutex_unlock(&g_lock);
    if (ok) {
        uint16_t selector = static_cast<uint16_t>(desc.entry_number << 3 | 3);  // GDT, ring 3
        asm volatile("movw %0, %%fs" : : "r"(selector));
    }
    return ok;
}

}  // namespace

bool EnterWin32Thread() {
    if (t_block.self != 0) return true;
    pthread_attr_t attr;
    void *stack = nullptr;
    size_t stackSize = 0;
    if (pthread_getattr_np(pthread_self(), &attr) == 0) {
        pthread_attr_getstack(&attr, &stack, &stackSize);
        pthread_attr_destroy(&attr);
    }
    t_block.exceptionList = 0xFFFFFFFF;
    t_block.stackLimit = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(stack));
    t_block.stackBase = t_block.stackLimit + static_cast<uint32_t>(stackSize);
    t_block.processId = static_cast<uint32_t>(getpid());
    t_block.threadId = static_cast<uint32_t>(gettid());
    t_block.threadLocalStorage = t_tlsData;
    t_block.self = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&t_block));
    if (!SelectBlock()) t_block.self = 0;
    return t_block.self != 0;
}

void *&ThreadTlsSlot(uint32_t index) { return t_tlsData[index]; }

}  // namespace pat::pe
