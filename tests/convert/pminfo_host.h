// Building PMInfo blocks the way a host does, absent marks included, and
// running the conversions through their exports.
#ifndef PAT_TESTS_CONVERT_PMINFO_HOST_H
#define PAT_TESTS_CONVERT_PMINFO_HOST_H

#include <initializer_list>
#include <utility>
#include <vector>

#include "core/record.h"
#include "support/host.h"

namespace pat::test {

// The pointer a host writes for a part it does not report (besides null).
template <typename T = void>
T *Absent() {
    return reinterpret_cast<T *>(static_cast<uintptr_t>(PAT_PM_ABSENT));
}

// A PMList over records the test owns.
class HostList {
public:
    explicit HostList(std::vector<const void *> records)
        : pointers_(std::move(records)),
          list_{static_cast<uint32_t>(pointers_.size()), const_cast<void **>(pointers_.data())} {}
    HostList(std::initializer_list<const void *> records) : HostList(std::vector<const void *>(records)) {}
    HostList(const HostList &) = delete;
    HostList &operator=(const HostList &) = delete;
    PMList *get() { return &list_; }

private:
    std::vector<const void *> pointers_;
    PMList list_;
};

// A main tray as a host reports it: media word 1, no size selection, no attributes.
inline PMTrayRecord Tray(const char *name, uint32_t width = 210, uint32_t height = 297) {
    PMTrayRecord tray = {};
    tray.pszName = name;
    tray.dwWidth = width;
    tray.dwHeight = height;
    tray.dwMedia = 0x1;
    return tray;
}

// Runs PatPMInfoToPrnInfoEx; the last error is the result (0 on success).
inline uint32_t ConvertBlock(uint32_t deviceClass, const void *block, uint32_t mask, PrnInfoEx *record) {
    uint32_t revision = (deviceClass & 0xFFFF) == PAT_CLASS_CONFIG ? 'h' : 'd';
    SetLastError(0xBADC0DE);
    int ok = PatPMInfoToPrnInfoEx(deviceClass, block, revision, mask, record);
    uint32_t error = GetLastError();
    EXPECT_EQ(ok, error == 0 ? 1 : 0);
    const char *violation = FindRecordViolation(record);
    EXPECT_EQ(violation, nullptr) << "record inconsistent at " << violation;
    return error;
}
inline uint32_t ConvertConfig(const PMInfoConfig &block, uint32_t mask, PrnInfoEx *record) {
    return ConvertBlock(PAT_CLASS_CONFIG, &block, mask, record);
}
inline uint32_t ConvertStatus(const PMInfoStatus &block, uint32_t mask, PrnInfoEx *record) {
    return ConvertBlock(PAT_CLASS_STATUS, &block, mask, record);
}

}  // namespace pat::test

#endif
