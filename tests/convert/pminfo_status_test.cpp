// PatPMInfoToPrnInfoEx: the dispatch and the status block.
#include <gtest/gtest.h>

#include <string>

#include "convert/pminfo_host.h"
#include "platform/portable/test_hooks.h"

namespace pat::test {
namespace {

TEST(PMInfoDispatch, DeviceClassRevisionAndRecordSizeDecide) {
    struct Case {
        uint32_t deviceClass, revision, recordSize, error;
    } cases[] = {
        {0x10001, 'd', 1172, 0},    {0x80000001, 0x164, 1172, 0}, {0x8000, 'h', 1172, 0}, {0xFFFF8000, 0x768, 1172, 0},
        {1, 'h', 1172, 87},         {0x8000, 'd', 1172, 87},      {0x8001, 'd', 1172, 87}, {0, 'd', 1172, 87},
        {1, 'd', 1171, 87},         {0x8000, 'h', 1171, 87},
    };
    PMInfoStatus block = {};  // reports nothing, converts with any mask
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.deviceClass << " " << c.revision << " " << std::dec << c.recordSize);
        HostRecord record;
        record->dwSize = c.recordSize;
        SetLastError(0xBADC0DE);
        EXPECT_EQ(PatPMInfoToPrnInfoEx(c.deviceClass, &block, c.revision, 0x2, record.get()), c.error == 0 ? 1 : 0);
        EXPECT_EQ(GetLastError(), c.error);
        // A refused block changes nothing; a status block asked for engine
        // statuses that reports none gets the "none" status.
        bool none = c.error == 0 && (c.deviceClass & 0xFFFF) == 1;
        EXPECT_EQ(record->dwEngineStatusCount, none ? 1u : 0u);
        if (none) EXPECT_EQ(record->pEngineStatus->dwStatus, 10001u);
    }
}

TEST(PMInfoStatus, StatusWordSetsTheStatusBytes) {
    PMStatusWord words[] = {{0x08400001}, {0}, {PAT_PM_ABSENT}};
    struct Case {
        PMStatusWord *word;
        uint8_t status, notOne, bit22, bit27;
    } cases[] = {{&words[0], 1, 0, 1, 1}, {&words[1], 0, 1, 0, 0}, {&words[2], 7, 7, 7, 7},
                 {nullptr, 7, 7, 7, 7},   {Absent<PMStatusWord>(), 7, 7, 7, 7}};
    for (const Case &c : cases) {
        HostRecord record;
        record->bStatus = record->bStatusNotOne = record->bStatusBit22 = record->bStatusBit27 = 7;
        PMInfoStatus block = {};
        block.pStatusWord = c.word;
        ASSERT_EQ(ConvertStatus(block, PAT_PMSTATUS_WORD, record.get()), 0u);
        EXPECT_EQ(record->bStatus, c.status);
        EXPECT_EQ(record->bStatusNotOne, c.notOne);
        EXPECT_EQ(record->bStatusBit22, c.bit22);
        EXPECT_EQ(record->bStatusBit27, c.bit27);
        EXPECT_EQ(record->dwEngineStatusCount, 0u) << "no engine status without mask bit 0x2";
    }
}

TEST(PMInfoStatus, StatusBitRowsAddEngineStatusesUnlessSuppressed) {
    const StatusBitRow rows[] = {{1, 0x10, 501, 0}, {3, 0x30, 502, 1}, {2, 0x10, 503, 0}, {1, 0x40, 504, 0},
                                 {0xFFFFFFFF, 0, 0, 0}};
    ModuleConfig config = ShippedConfig();
    config.statusBitTable = rows;
    ScopedConfig scoped(config);
    PMStatusWord word = {0x30};
    PMInfoStatus block = {};
    block.pStatusWord = &word;
    for (uint32_t suppress : {0u, PAT_CLASS_SUPPRESS}) {
        HostRecord record;
        ASSERT_EQ(ConvertBlock(1 | suppress, &block, PAT_PMSTATUS_WORD, record.get()), 0u);
        std::vector<uint32_t> codes;
        for (EngineStatus *s : Items(record->pEngineStatus)) codes.push_back(s->dwStatus);
        EXPECT_EQ(codes, (suppress ? std::vector<uint32_t>{501} : std::vector<uint32_t>{501, 502}));
    }
}

TEST(PMInfoStatus, EmulationsFontsEngineStatusesAndCopyGuard) {
    PMEmulationRecord vord = {0, "V1.20", "VORD"}, ps = {0, "3011", "Adobe PostScript 3"}, other = {0, "9", "Other"};
    PMEmulationRecord noName = {0, nullptr, Absent<const char>()};
    HostList emulations({&vord, &ps, &other, &noName});
    PMFontRecord courier = {"Courier"}, unnamed = {Absent<const char>()};
    HostList fonts({&courier, &unnamed});
    PMEngineStatusRecord jam = {0, 0x12345, "Paper jam", 5}, toner = {0, 20002, nullptr, 3},
                         unreported = {0, PAT_PM_ABSENT, Absent<const char>(), 0};
    HostList statuses({&jam, &toner, &unreported});
    PMCopyGuardRecord guard = {0, 2};
    PMInfoStatus block = {nullptr, fonts.get(), emulations.get(), {}, statuses.get(), {}, &guard};
    const NameCodeRow fontRows[] = {{"Courier", 12}, {nullptr, 0}};
    ModuleConfig config = ShippedConfig();
    config.fontNameTable = fontRows;
    ScopedConfig scoped(config);

    HostRecord record;
    record->dwEmulValue = 9;
    ASSERT_EQ(ConvertStatus(block, 0x40F, record.get()), 0u);
    auto emuls = Items(record->pLoadedEmul);
    ASSERT_EQ(emuls.size(), 4u);
    EXPECT_EQ(emuls[0]->wEmulation, 1);
    EXPECT_STREQ(emuls[0]->szVersion, "V1.20");
    EXPECT_EQ(emuls[1]->wEmulation, 2);
    EXPECT_EQ(emuls[2]->wEmulation, 0);
    EXPECT_STREQ(emuls[2]->szVersion, "9");
    EXPECT_EQ(emuls[3]->wEmulation, 0);
    EXPECT_STREQ(emuls[3]->szVersion, "");
    EXPECT_STREQ(record->pMainProgVersion, "V1.20");
    EXPECT_STREQ(record->pKVNVersion, "3011");
    EXPECT_EQ(record->dwEmulValue, 0u);
    auto fontItems = Items(record->pLoadedFont);
    ASSERT_EQ(fontItems.size(), 2u);
    EXPECT_EQ(fontItems[0]->wFont, 12);
    EXPECT_EQ(fontItems[1]->wFont, 0);
    auto engine = Items(record->pEngineStatus);
    ASSERT_EQ(engine.size(), 3u);
    EXPECT_EQ(engine[0]->wStatus, 0x2345);
    EXPECT_EQ(engine[0]->dwStatus, 0x12345u);
    EXPECT_STREQ(engine[0]->szText, "Paper jam");
    EXPECT_EQ(engine[1]->dwStatus, 20002u);
    EXPECT_EQ(engine[2]->dwStatus, 0u) << "an unreported code leaves the item's codes at 0";
    EXPECT_EQ(record->bEngineFlag, 1);
    EXPECT_EQ(record->bCopyGuard, 1);
}

TEST(PMInfoStatus, EngineFlagAndCopyGuardFollowTheirValues) {
    struct Case {
        uint32_t kind, guard;
        uint8_t flag, copyGuard;
    } cases[] = {{3, 2, 1, 1}, {5, 1, 0, 0}, {PAT_PM_ABSENT, PAT_PM_ABSENT, 1, 0}, {0, 0, 0, 0}, {4, 0xFFFFFFFE, 0, 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.kind);
        PMEngineStatusRecord status = {0, 7, "", c.kind};
        HostList statuses({&status});
        PMCopyGuardRecord guard = {0, c.guard};
        PMInfoStatus block = {};
        block.pEngineStatuses = statuses.get();
        block.pCopyGuard = &guard;
        HostRecord record;
        record->bEngineFlag = record->bCopyGuard = 9;
        ASSERT_EQ(ConvertStatus(block, 0x402, record.get()), 0u);
        EXPECT_EQ(record->bEngineFlag, c.flag);
        EXPECT_EQ(record->bCopyGuard, c.copyGuard);
    }
}

// Every list of the status block marked absent in each way a host can: the
// list's own items stay, nothing is followed, and mask 0x2 still yields the
// single "none" status.
TEST(PMInfoStatus, AbsentPartsAreSkippedWithoutTouchingTheirLists) {
    PMList absentCount = {PAT_PM_ABSENT, nullptr}, nullItems = {3, nullptr}, absentItems = {3, Absent<void *>()};
    PMList *lists[] = {nullptr, Absent<PMList>(), &absentCount, &nullItems, &absentItems};
    for (int i = 0; i < 5; ++i) {
        PMList *list = lists[i];
        SCOPED_TRACE(i);
        HostRecord record;
        AddItem(record.get(), keys::kLoadedEmul, AllocateItem(sizeof(LoadedEmul)));
        AddItem(record.get(), keys::kLoadedFont, AllocateItem(sizeof(LoadedFont)));
        record->bEngineFlag = record->bCopyGuard = 9;
        PMInfoStatus block = {Absent<PMStatusWord>(), list, list, {}, list, {}, Absent<PMCopyGuardRecord>()};
        ASSERT_EQ(ConvertStatus(block, 0x40F, record.get()), 0u);
        EXPECT_EQ(record->dwLoadedEmulCount, 1u);
        EXPECT_EQ(record->dwLoadedFontCount, 1u);
        EXPECT_EQ(record->bEngineFlag, 9);
        EXPECT_EQ(record->bCopyGuard, 0);
        ASSERT_EQ(record->dwEngineStatusCount, 1u);
        EXPECT_EQ(record->pEngineStatus->dwStatus, 10001u);
    }
}

TEST(PMInfoStatus, RunningOutOfMemoryAnywhereStopsWithNoMemory) {
    PMEmulationRecord vord = {0, "V1", "VORD"}, ps = {0, "3", "Adobe PostScript 3"};
    HostList emulations({&vord, &ps});
    PMFontRecord font = {"F"};
    HostList fonts({&font, &font});
    PMEngineStatusRecord status = {0, 1, "t", 3};
    HostList statuses({&status, &status});
    PMInfoStatus block = {nullptr, fonts.get(), emulations.get(), {}, statuses.get(), {}, nullptr};
    uint32_t allocations;
    {
        HostRecord record;
        portable::HeapFailNthAllocation(0xFFFFFFFF);
        ASSERT_EQ(ConvertStatus(block, 0x40F, record.get()), 0u);
        allocations = portable::HeapAllocationsSinceArmed();
    }
    EXPECT_EQ(allocations, 8u);  // 2 emulations with their version strings, 2 fonts, 2 statuses
    for (uint32_t n = 1; n <= allocations; ++n) {
        SCOPED_TRACE(n);
        HostRecord record;
        portable::HeapFailNthAllocation(n);
        EXPECT_EQ(ConvertStatus(block, 0x40F, record.get()), 8u);
        portable::HeapFailNthAllocation(0);
        // What came before the failing allocation stays, except an emulation
        // whose version string could not be stored (allocations 2 and 4).
        uint32_t kept = record->dwLoadedEmulCount + (record->pMainProgVersion != nullptr) +
                        (record->pKVNVersion != nullptr) + record->dwLoadedFontCount + record->dwEngineStatusCount;
        EXPECT_EQ(kept, n - 1 - (n == 2 || n == 4 ? 1 : 0));
    }
}

}  // namespace
}  // namespace pat::test
