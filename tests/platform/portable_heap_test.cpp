// The portable global heap keeps the Win32 contract that hosts rely on.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/platform.h"
#include "platform/portable/test_hooks.h"

namespace {

using pat::portable::HeapLiveBlocks;

TEST(PortableHeap, ZeroInitAndSizes) {
    uint32_t before = HeapLiveBlocks();
    uint8_t *block = static_cast<uint8_t *>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, 33));
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 33; ++i) EXPECT_EQ(block[i], 0);
    EXPECT_EQ(GlobalSize(block), 33u);
    EXPECT_EQ(GlobalLock(block), block);
    EXPECT_EQ(GlobalUnlock(block), FALSE);
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_EQ(HeapLiveBlocks(), before + 1);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(HeapLiveBlocks(), before);
    void *empty = GlobalAlloc(GMEM_FIXED, 0);
    EXPECT_NE(empty, nullptr);
    EXPECT_EQ(GlobalSize(empty), 0u);
    GlobalFree(empty);
}

TEST(PortableHeap, FreeingAPointerItNeverHandedOutReturnsItWithError6) {
    int local = 0;
    SetLastError(0);
    EXPECT_EQ(GlobalFree(&local), &local);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    void *block = GlobalAlloc(GMEM_FIXED, 8);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalFree(block), block) << "a double free must be refused, not passed on";
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(GlobalFree(nullptr), nullptr);
    EXPECT_EQ(GlobalSize(&local), 0u);
    SetLastError(0);
    EXPECT_EQ(GlobalReAlloc(&local, 8, GMEM_MOVEABLE), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    SetLastError(0);
    EXPECT_EQ(GlobalLock(&local), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    SetLastError(0);
    EXPECT_EQ(GlobalUnlock(&local), FALSE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(PortableHeap, ReAllocMovesOnlyWhenAllowedAndKeepsContents) {
    char *block = static_cast<char *>(GlobalAlloc(GMEM_FIXED, 4));
    memcpy(block, "abc", 4);
    EXPECT_EQ(GlobalReAlloc(block, 4096, GMEM_FIXED), nullptr);  // a fixed block may not move
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
    char *grown = static_cast<char *>(GlobalReAlloc(block, 4096, GMEM_MOVEABLE | GMEM_ZEROINIT));
    ASSERT_NE(grown, nullptr);
    EXPECT_STREQ(grown, "abc");
    EXPECT_EQ(grown[4095], 0);
    EXPECT_EQ(GlobalSize(grown), 4096u);
    EXPECT_EQ(GlobalReAlloc(grown, 2, 0), grown);
    EXPECT_EQ(GlobalSize(grown), 2u);
    GlobalFree(grown);
}

// A block that cannot be registered at its new place is never moved: the
// caller keeps a valid original, as a failed GlobalReAlloc promises.
TEST(PortableHeap, ReAllocThatCannotRegisterTheMovedBlockKeepsTheOriginal) {
    char *block = static_cast<char *>(GlobalAlloc(GMEM_FIXED, 4));
    char *neighbour = static_cast<char *>(GlobalAlloc(GMEM_FIXED, 4));  // the block cannot grow in place
    memcpy(block, "abc", 4);
    pat::portable::HeapFixRegistrySize(true);
    std::vector<void *> fillers;
    for (void *p; (p = GlobalAlloc(GMEM_FIXED, 1)) != nullptr;) {
        fillers.push_back(p);
        ASSERT_LT(fillers.size(), 1u << 20);
    }
    EXPECT_EQ(GlobalReAlloc(block, 1 << 20, GMEM_MOVEABLE), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(GlobalSize(block), 4u);
    EXPECT_STREQ(block, "abc");
    pat::portable::HeapFixRegistrySize(false);
    char *grown = static_cast<char *>(GlobalReAlloc(block, 1 << 20, GMEM_MOVEABLE));
    ASSERT_NE(grown, nullptr);
    EXPECT_STREQ(grown, "abc");
    for (void *p : fillers) GlobalFree(p);
    EXPECT_EQ(GlobalFree(grown), nullptr);
    EXPECT_EQ(GlobalFree(neighbour), nullptr);
}

TEST(PortableHeap, FaultInjectionFailsExactlyTheNthAllocation) {
    pat::portable::HeapFailNthAllocation(2);
    void *first = GlobalAlloc(GMEM_FIXED, 1);
    void *second = GlobalAlloc(GMEM_FIXED, 1);
    void *third = GlobalAlloc(GMEM_FIXED, 1);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_NE(third, nullptr);
    EXPECT_EQ(pat::portable::HeapAllocationsSinceArmed(), 3u);
    GlobalFree(first);
    GlobalFree(third);
}

TEST(PortableHeap, ManyBlocksStayTracked) {
    std::vector<void *> blocks;
    for (int i = 0; i < 5000; ++i) blocks.push_back(GlobalAlloc(GMEM_FIXED, 1 + i % 7));
    for (size_t i = 0; i < blocks.size(); i += 2) EXPECT_EQ(GlobalFree(blocks[i]), nullptr);
    for (size_t i = 1; i < blocks.size(); i += 2) EXPECT_EQ(GlobalSize(blocks[i]), 1 + i % 7);
    for (size_t i = 1; i < blocks.size(); i += 2) EXPECT_EQ(GlobalFree(blocks[i]), nullptr);
}

TEST(PortableLastError, IsPerThread) {
    SetLastError(42);
    uint32_t seen = 1;
    std::thread other([&] { seen = GetLastError(); SetLastError(7); });
    other.join();
    EXPECT_EQ(seen, 0u);
    EXPECT_EQ(GetLastError(), 42u);
}

TEST(PortableVersionInfo, OnlyTheModulesOwnFileHasVersionInformation) {
    DWORD handle = 5;
    EXPECT_EQ(GetFileVersionInfoSizeA("/bin/sh", &handle), 0u);
    EXPECT_EQ(GetLastError(), 1813u);
    EXPECT_EQ(handle, 0u);
}

}  // namespace
