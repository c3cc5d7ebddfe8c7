// Devices added by active packages whose names begin with a table prefix.
#include <gtest/gtest.h>

#include "convert/package_matching.h"
#include "api/module_config.h"
#include "platform/portable/test_hooks.h"
#include "support/host.h"

namespace pat {
namespace {

TEST(PackageMatching, ActivePackageWithTheShippedPrefixAddsDevice500) {
    test::HostRecord record;
    ASSERT_EQ(AddPackageDevices(record.get(), "604271958-01 Extra", kPackageActive, Config().convert.funcpkgTable), kOk);
    auto devices = test::Items(record->pDeviceInfo);
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(record->dwDeviceInfoCount, 1u);
    EXPECT_EQ(devices[0]->wDevice, 500);
    EXPECT_EQ(devices[0]->header.size, sizeof(DeviceInfo));
}

TEST(PackageMatching, InactiveOrUnmatchedPackagesAddNothing) {
    const struct {
        const char *name;
        uint32_t state;
    } cases[] = {
        {"604271958", 0}, {"604271958", 2}, {"60427195", kPackageActive},  // shorter than the prefix
        {"x604271958", kPackageActive}, {"", kPackageActive}, {nullptr, kPackageActive},
    };
    for (const auto &c : cases) {
        test::HostRecord record;
        EXPECT_EQ(AddPackageDevices(record.get(), c.name, c.state, Config().convert.funcpkgTable), kOk);
        EXPECT_EQ(record->dwDeviceInfoCount, 0u) << (c.name ? c.name : "(null)") << " state " << c.state;
        EXPECT_EQ(record->pDeviceInfo, nullptr);
    }
}

TEST(PackageMatching, EveryMatchingRowAddsItsDeviceAfterTheExistingOnes) {
    const PackageRow table[] = {{"AB", 1}, {"X", 2}, {"ABC", 3}, {"", 4}, {nullptr, 99}};
    test::HostRecord record;
    ASSERT_EQ(AddPackageDevices(record.get(), "X", kPackageActive, table), kOk);
    ASSERT_EQ(AddPackageDevices(record.get(), "ABCD", kPackageActive, table), kOk);
    auto devices = test::Items(record->pDeviceInfo);
    ASSERT_EQ(devices.size(), 5u);
    EXPECT_EQ(record->dwDeviceInfoCount, 5u);
    const uint16_t expected[] = {2, 4, 1, 3, 4};  // an empty prefix begins every name
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(devices[i]->wDevice, expected[i]) << "item " << i;
}

TEST(PackageMatching, AllocationFailureReportsNoMemoryAndKeepsEarlierDevices) {
    const PackageRow table[] = {{"P", 1}, {"P", 2}, {"P", 3}, {nullptr, 0}};
    test::HostRecord record;
    portable::HeapFailNthAllocation(2);
    EXPECT_EQ(AddPackageDevices(record.get(), "P1", kPackageActive, table), kNoMemory);
    portable::HeapFailNthAllocation(0);
    auto devices = test::Items(record->pDeviceInfo);
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(record->dwDeviceInfoCount, 1u);
    EXPECT_EQ(devices[0]->wDevice, 1);
}

}  // namespace
}  // namespace pat
