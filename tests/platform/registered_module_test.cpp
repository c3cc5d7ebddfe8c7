// A module the dynamic loader does not know (a PE image a test maps) is
// answered for by its registered path and version block, and only while it
// is registered; the module's own answers stay as they are.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/module_instance.h"
#include "platform/platform.h"
#include "platform/portable/module_registry.h"

namespace {

uint32_t FileVersionLS(LPCSTR path) {
    DWORD handle;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) return 0xFFFFFFFF;
    std::vector<BYTE> block(size);
    void *fixed = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(path, handle, size, block.data()) || !VerQueryValueA(block.data(), "\\", &fixed, &length))
        return 0xFFFFFFFF;
    return static_cast<VS_FIXEDFILEINFO *>(fixed)->dwFileVersionLS;
}

TEST(RegisteredModule, AnswersForItsPathAndVersionBlockUntilUnregistered) {
    char own[MAX_PATH];
    ASSERT_NE(GetModuleFileNameA(pat::ModuleInstance(), own, sizeof own), 0u);
    DWORD size = GetFileVersionInfoSizeA(own, nullptr);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(own, 0, size, block.data()));
    void *fixed;
    UINT length;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &fixed, &length));
    static_cast<VS_FIXEDFILEINFO *>(fixed)->dwFileVersionLS = 0x00050009;

    static char image[64];
    ASSERT_TRUE(pat::portable::RegisterModuleFile(image, "/images/pat.dll", block.data(), size));
    char path[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameA(image, path, sizeof path), 15u);
    EXPECT_STREQ(path, "/images/pat.dll");
    EXPECT_EQ(FileVersionLS("/images/pat.dll"), 0x00050009u);
    EXPECT_EQ(FileVersionLS(own), 0x00050000u);

    pat::portable::UnregisterModuleFile(image);
    EXPECT_EQ(GetModuleFileNameA(image, path, sizeof path), 0u);
    EXPECT_EQ(GetFileVersionInfoSizeA("/images/pat.dll", nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_TYPE_NOT_FOUND);
}

TEST(RegisteredModule, WithoutVersionInformationOrWithAnOverlongPath) {
    static char image[64];
    ASSERT_TRUE(pat::portable::RegisterModuleFile(image, "/images/bare.dll", nullptr, 100));
    EXPECT_EQ(GetFileVersionInfoSizeA("/images/bare.dll", nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_TYPE_NOT_FOUND);
    pat::portable::UnregisterModuleFile(image);
    EXPECT_FALSE(pat::portable::RegisterModuleFile(image, std::string(MAX_PATH, 'x').c_str(), nullptr, 0));
}

}  // namespace
