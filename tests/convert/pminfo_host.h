// PMInfo blocks built as a host builds them, absent marks included.
#ifndef PAT_TESTS_CONVERT_PMINFO_HOST_H
#define PAT_TESTS_CONVERT_PMINFO_HOST_H

#include <initializer_list>
#include <vector>

#include "core/record.h"
#include "support/host.h"

namespace pat::test {

constexpr uint32_t A = PAT_PM_ABSENT;

// The pointer a host writes for a part it does not report, besides null.
template <typename T = void>
T *Absent() {
    return reinterpret_cast<T *>(static_cast<uintptr_t>(A));
}

// A PMList over records the test owns.
struct List {
    List(std::initializer_list<const void *> records) : pointers(records) {}
    std::vector<const void *> pointers;
    PMList list{static_cast<uint32_t>(pointers.size()), const_cast<void **>(pointers.data())};
};

// PatPMInfoToPrnInfoEx with the revision of the class; the last error.
inline uint32_t Convert(uint32_t deviceClass, const void *block, uint32_t mask, PrnInfoEx *record) {
    SetLastError(0xBADC0DE);
    int ok = PatPMInfoToPrnInfoEx(deviceClass, block, (deviceClass & 0xFFFF) == 1 ? 'd' : 'h', mask, record);
    uint32_t error = GetLastError();
    EXPECT_EQ(ok, error == 0 ? 1 : 0);
    return error;
}

}  // namespace pat::test

#endif
