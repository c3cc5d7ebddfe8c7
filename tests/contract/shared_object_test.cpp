// The shared object as a host sees it: loaded at run time, reached only
// through its exported names, its blocks released with its own GlobalFree.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "pat/pat.h"

namespace {

#define STDCALL __attribute__((stdcall))

class SharedObject : public testing::Test {
protected:
    static void SetUpTestSuite() {
        handle_ = dlopen(PAT_SHARED_OBJECT, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
    }
    static void TearDownTestSuite() {
        if (handle_ != nullptr) dlclose(handle_);
        handle_ = nullptr;
    }
    template <typename Fn>
    static Fn Get(const char *name) {
        void *symbol = dlsym(handle_, name);
        EXPECT_NE(symbol, nullptr) << name;
        return reinterpret_cast<Fn>(symbol);
    }
    static void *handle_;
};
void *SharedObject::handle_ = nullptr;

using GlobalFreeFn = void *(STDCALL *)(void *);
using GetLastErrorFn = uint32_t(STDCALL *)();

TEST_F(SharedObject, ReportsItsVersionFromItsOwnFile) {
    auto getVersion = Get<int(STDCALL *)(DllVersion *)>("PatGetDllVersion");
    auto lastError = Get<GetLastErrorFn>("GetLastError");
    DllVersion version = {};
    version.dwSize = sizeof version;
    ASSERT_EQ(getVersion(&version), 1);
    EXPECT_EQ(lastError(), 0u);
    EXPECT_EQ(version.dwFileVersion, 0x01010500u);
    EXPECT_EQ(version.dwVersion2, 0x02000100u);
    EXPECT_EQ(version.dwVersion3, 0x03060000u);
}

TEST_F(SharedObject, APollRoundTripThroughTheExports) {
    auto createQuery = Get<DataNode *(STDCALL *)(PrnInfoEx *, uint32_t, uint32_t)>("PatCreateQueryInfo");
    auto setCentroData = Get<int(STDCALL *)(DataNode *, uint32_t, PrnInfoEx *, uint32_t)>("PatSetCentroDataTo");
    auto globalAlloc = Get<void *(STDCALL *)(uint32_t, size_t)>("GlobalAlloc");
    auto globalFree = Get<GlobalFreeFn>("GlobalFree");
    auto lastError = Get<GetLastErrorFn>("GetLastError");

    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    DataNode *query = createQuery(&record, 2, PAT_CAT_CONFIG);
    ASSERT_NE(query, nullptr);
    ASSERT_NE(query->firstChild, nullptr);
    EXPECT_EQ(query->firstChild->tag, 1000u);

    // The host builds its CentroData tree in the module's heap, as on Windows.
    std::string answer = "@PJL INFO CONFIG\r\nIN TRAYS [1 ENUMERATED]\r\n\tINTRAY2\r\nMEMORY=1048576\r\n\f";
    auto node = [&](uint32_t tag, const std::string &payload) {
        uint32_t length = static_cast<uint32_t>(payload.size() + (payload.empty() ? 0 : 1));
        DataNode *n = static_cast<DataNode *>(globalAlloc(0x40, sizeof(DataNode) + length));
        n->tag = tag;
        n->payloadLength = length;
        memcpy(n + 1, payload.c_str(), length);
        return n;
    };
    DataNode *root = node(2, "");
    DataNode *text = node(1000, answer);
    root->firstChild = query;
    query->parent = root;
    query->nextSibling = text;
    text->parent = root;
    root->lastChild = text;

    ASSERT_EQ(setCentroData(root, 0, &record, 2), 1) << lastError();
    ASSERT_NE(record.pTrayInfo, nullptr);
    EXPECT_EQ(record.pTrayInfo->wTray, 4);
    EXPECT_EQ(record.dwMemoryKB, 1024u);

    // Everything is released with the module's GlobalFree; a stranger is refused.
    EXPECT_EQ(globalFree(record.pTrayInfo), nullptr);
    EXPECT_EQ(globalFree(query->firstChild), nullptr);
    EXPECT_EQ(globalFree(query), nullptr);
    EXPECT_EQ(globalFree(text), nullptr);
    EXPECT_EQ(globalFree(root), nullptr);
    int local = 0;
    EXPECT_EQ(globalFree(&local), &local);
    EXPECT_EQ(lastError(), 6u);
}

TEST_F(SharedObject, AConfigurationBlockRoundThroughTheExports) {
    auto toPrnInfoEx =
        Get<int(STDCALL *)(uint32_t, const void *, uint32_t, uint32_t, PrnInfoEx *)>("PatPMInfoToPrnInfoEx");
    auto toPrnInfo = Get<int(STDCALL *)(PrnInfoEx *, PrnInfo *, uint32_t)>("PatPrnInfoExToPrnInfo");
    auto globalFree = Get<GlobalFreeFn>("GlobalFree");
    auto lastError = Get<GetLastErrorFn>("GetLastError");
    // The host's own block in its own memory, absent parts marked as hosts do.
    PMTrayRecord tray2 = {"Tray 2", 0x200, {}, 210, 297, {}, nullptr, {}, 0x1, nullptr, 0, 0};
    PMTrayRecord roll = {"Bypass Tray", PAT_PM_ABSENT, {}, PAT_PM_ABSENT, 914, {}, nullptr, {}, PAT_PM_ABSENT};
    PMBinRecord bin = {"Finisher Tray", 0x1};
    void *trayPointers[] = {&tray2, nullptr, &roll}, *binPointers[] = {&bin};
    PMList trays = {3, trayPointers}, bins = {1, binPointers};
    PMInfoConfig block = {reinterpret_cast<PMModelRecord *>(uintptr_t{PAT_PM_ABSENT}), &trays, &bins};
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    ASSERT_EQ(toPrnInfoEx(PAT_CLASS_CONFIG, &block, 'h', PAT_PMCONFIG_MODEL | PAT_PMCONFIG_TRAYS | PAT_PMCONFIG_BINS,
                          &record), 1) << lastError();
    PrnInfo flat;
    ASSERT_EQ(toPrnInfo(&record, &flat, PAT_CAT_INTRAYS | PAT_CAT_OUTBINS), 1) << lastError();
    EXPECT_EQ(flat.dwSize, 2400u);
    EXPECT_EQ(flat.dwTrayCount, 2u);
    const PatCodePair expected[] = {{4, 8}, {4, 25}, {4, 1}, {1, 284}, {1, 100}, {1, 0}, {4, 2}};
    const PatCodePair got[] = {flat.aTrayPaper[0], flat.aTrayLevel[0], flat.aTrayMedia[0], flat.aTrayPaper[1],
                               flat.aTrayLevel[1], flat.aTrayMedia[1], flat.aBins[0]};
    EXPECT_EQ(memcmp(got, expected, sizeof got), 0);
    EXPECT_EQ(flat.dwBinValue, 255u);
    EXPECT_EQ(globalFree(record.pTrayInfo->header.next), nullptr);
    EXPECT_EQ(globalFree(record.pTrayInfo), nullptr);
    EXPECT_EQ(globalFree(record.pOutBinInfo), nullptr);
}

}  // namespace
