// A binary under test as a host sees it: its exports by name, and the heap
// and last-error functions that go with it. Two of them: libpat.so through
// the dynamic loader (its own exported heap), and pat.dll through the PE
// loader (KERNEL32 is the portable backend linked into this process).
#ifndef PAT_TESTS_CONTRACT_MODULE_UNDER_TEST_H
#define PAT_TESTS_CONTRACT_MODULE_UNDER_TEST_H

#include <stddef.h>
#include <stdint.h>

#include <string>

namespace pat::test {

#define PAT_HOST_CALL __attribute__((stdcall))

// What every call finds in the last error, so that an export that leaves it
// alone shows as such.
constexpr uint32_t kLastErrorBeforeCall = 0xA5A5A5A5;

class ModuleUnderTest {
public:
    virtual ~ModuleUnderTest() = default;
    virtual const char *Name() const = 0;
    virtual const void *Export(const char *name) const = 0;
    bool Loaded() const { return loadError_.empty(); }
    const std::string &LoadError() const { return loadError_; }

    // Calls an export with 32-bit arguments through the stack probe. A call
    // with another argument count than the export's, or after which the
    // export did not remove exactly its arguments, fails the test.
    template <typename... Args>
    uint32_t Call(const char *name, Args... args) const {
        const uint32_t words[] = {Word(args)..., 0};
        return CallWords(name, words, sizeof...(Args));
    }

    uint32_t CallWords(const char *name, const uint32_t *words, uint32_t count) const;

    // The host's Win32 functions for this binary.
    void *(PAT_HOST_CALL *globalAlloc)(uint32_t flags, size_t bytes) = nullptr;
    void *(PAT_HOST_CALL *globalFree)(void *block) = nullptr;
    uint32_t(PAT_HOST_CALL *getLastError)() = nullptr;
    void(PAT_HOST_CALL *setLastError)(uint32_t code) = nullptr;

protected:
    std::string loadError_;

private:
    template <typename T>
    static uint32_t Word(T *pointer) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer)); }
    static uint32_t Word(uint32_t value) { return value; }
    static uint32_t Word(int value) { return static_cast<uint32_t>(value); }
    static uint32_t Word(std::nullptr_t) { return 0; }
};

// Each binary is loaded once, on first use, and stays for the run.
const ModuleUnderTest &SharedObject();
const ModuleUnderTest &Dll();

}  // namespace pat::test

#endif
