// The portable module-file and version-information functions keep their
// Win32 contracts beyond what PatGetDllVersion asks of them: cut paths, bad
// arguments, named nodes of the version block.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "platform/module_instance.h"
#include "platform/platform.h"

namespace {

TEST(PortableModuleFile, PathsAreCutAndReportedAsWin32Does) {
    HMODULE module = pat::ModuleInstance();
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(module, path, sizeof path);
    ASSERT_GT(length, 3u);
    ASSERT_EQ(strlen(path), length);
    char cut[4];
    EXPECT_EQ(GetModuleFileNameA(module, cut, sizeof cut), 4u);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::string(cut), std::string(path, 3));
    int local = 0;
    const struct {
        HMODULE module;
        char *out;
        DWORD size, result, error;
    } failures[] = {
        {module, nullptr, 0, 0, ERROR_INSUFFICIENT_BUFFER},
        {module, nullptr, 5, 0, ERROR_INVALID_PARAMETER},
        {reinterpret_cast<HMODULE>(&local), path, MAX_PATH, 0, ERROR_MOD_NOT_FOUND}};
    for (const auto &f : failures) {
        EXPECT_EQ(GetModuleFileNameA(f.module, f.out, f.size), f.result);
        EXPECT_EQ(GetLastError(), f.error);
    }
    EXPECT_GT(GetModuleFileNameA(nullptr, path, sizeof path), 0u) << "the main program";
}

TEST(PortableVersionInfo, NamedNodesOfTheModulesOwnBlock) {
    char path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(pat::ModuleInstance(), path, sizeof path), 0u);
    DWORD handle = 1;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    EXPECT_EQ(GetFileVersionInfoA(path, handle, size, nullptr), FALSE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(GetFileVersionInfoA("/bin/sh", handle, size, block.data()), FALSE);
    ASSERT_EQ(GetFileVersionInfoA(path, handle, size, block.data()), TRUE);
    const struct {
        const char *subBlock;
        BOOL found;
        UINT length;
    } cases[] = {
        {"\\", TRUE, sizeof(VS_FIXEDFILEINFO)}, {"\\VarFileInfo\\Translation", TRUE, 4},
        {"\\\\varfileinfo\\TRANSLATION\\", TRUE, 4},  // any case, extra separators
        {"\\StringFileInfo", FALSE, 0},             // no binary value
        {"\\VarFileInfo\\Translations", FALSE, 0},  {"\\Nothing", FALSE, 0},
    };
    for (const auto &c : cases) {
        void *value = nullptr;
        UINT length = 0;
        EXPECT_EQ(VerQueryValueA(block.data(), c.subBlock, &value, &length), c.found) << c.subBlock;
        EXPECT_EQ(length, c.length) << c.subBlock;
    }
    void *value;
    UINT length;
    EXPECT_EQ(VerQueryValueA(block.data(), nullptr, &value, &length), FALSE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(PortableResources, NullArgumentsAreRefused) {
    EXPECT_EQ(FindResourceA(nullptr, nullptr, RT_BITMAP), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

}  // namespace
