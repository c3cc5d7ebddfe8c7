// The version block, read through the real version-information path.
#include <gtest/gtest.h>

#include "pat/pat.h"
#include "platform/platform.h"
#include "platform/portable/test_hooks.h"

namespace {

TEST(DllVersion, ReportsTheVersionResourceAndTheFixedVersions) {
    DllVersion v;
    memset(&v, 0xAB, sizeof v);
    v.dwSize = 32;
    ASSERT_EQ(PatGetDllVersion(&v), 1);
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_EQ(v.dwSize, 32u);
    EXPECT_EQ(v.dwFileVersion, 0x01010500u);
    EXPECT_EQ(v.dwVersion2, 0x02000100u);
    EXPECT_EQ(v.dwVersion3, 0x03060000u);
    for (uint8_t b : v.bReserved) EXPECT_EQ(b, 0);
}

TEST(DllVersion, WritesOnlyTheFirst32BytesOfALargerBlock) {
    uint8_t block[100];
    memset(block, 0xCD, sizeof block);
    uint32_t size = 100;
    memcpy(block, &size, 4);
    ASSERT_EQ(PatGetDllVersion(reinterpret_cast<DllVersion *>(block)), 1);
    memcpy(&size, block, 4);
    EXPECT_EQ(size, 100u);
    for (int i = 32; i < 100; ++i) EXPECT_EQ(block[i], 0xCD) << "byte " << i;
}

TEST(DllVersion, RejectsNullAndShortBlocksWithoutWriting) {
    SetLastError(0);
    EXPECT_EQ(PatGetDllVersion(nullptr), 0);
    EXPECT_EQ(GetLastError(), PAT_ERROR_INVALID_PARAMETER);

    DllVersion v;
    memset(&v, 0xEE, sizeof v);
    v.dwSize = 31;
    EXPECT_EQ(PatGetDllVersion(&v), 0);
    EXPECT_EQ(GetLastError(), PAT_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(v.dwSize, 31u);
    EXPECT_EQ(v.dwFileVersion, 0xEEEEEEEEu);
}

TEST(DllVersion, FailsWithThePlatformErrorWhenTheVersionBufferCannotBeHad) {
    DllVersion v = {};
    v.dwSize = 32;
    pat::portable::HeapFailNthAllocation(1);
    EXPECT_EQ(PatGetDllVersion(&v), 0);
    EXPECT_EQ(GetLastError(), PAT_ERROR_NOT_ENOUGH_MEMORY);
}

}  // namespace
