// PatPrnInfoExToPrnInfo, and the text limits of both record conversions.
#include <gtest/gtest.h>

#include <stddef.h>

#include <string>

#include "convert/pminfo_host.h"
#include "platform/portable/test_hooks.h"

namespace pat::test {
namespace {

template <typename Item>
Item *Add(PrnInfoEx *record, const char *key) {
    Item *item = NewItem<Item>();
    AddItem(record, key, &item->header);
    return item;
}

void AddTrays(PrnInfoEx *record, uint16_t count) {
    for (uint16_t i = 1; i <= count; ++i) {
        TrayInfo *tray = Add<TrayInfo>(record, keys::kTrayInfo);
        *tray = {tray->header, i, static_cast<uint16_t>(100 + i), static_cast<uint16_t>(200 + i),
                 static_cast<uint16_t>(300 + i), 0};
    }
}

void AddEngineStatuses(PrnInfoEx *record, std::initializer_list<uint32_t> codes) {
    for (uint32_t code : codes) AddEngineStatus(record, code);
}

uint32_t Flatten(PrnInfoEx *record, PrnInfo *flat, uint32_t mask) {
    SetLastError(0xBADC0DE);
    int ok = PatPrnInfoExToPrnInfo(record, flat, mask);
    uint32_t error = GetLastError();
    EXPECT_EQ(ok, error == 0 ? 1 : 0);
    return error;
}

uint32_t U32At(const PrnInfo &flat, size_t offset) {
    uint32_t value;
    memcpy(&value, reinterpret_cast<const uint8_t *>(&flat) + offset, 4);
    return value;
}

// Each group lands in its own fields and nowhere else: a field holds its
// value with its mask bit alone and stays zero with every other bit.
TEST(PrnInfoFlat, EachMaskBitFillsItsOwnGroup) {
    HostRecord record;
    record->bStatus = record->bStatusNotOne = record->bStatusBit22 = record->bStatusBit27 = 1;
    SetString(record.get(), keys::kModelName, "Model");
    SetString(record.get(), keys::kMakerName, "Maker");
    SetString(record.get(), keys::kDescription, "Desk");
    SetString(record.get(), keys::kSYSVersion, "Sys");
    SetString(record.get(), keys::kMainProgVersion, "Main");
    SetString(record.get(), keys::kKVNVersion, "KVN");
    record->bModelCode = 7;
    record->dwMemoryKB = 4096;
    record->dwTrayValue = 11;
    record->dwBinValue = 255;
    record->dwEmulValue = 12;
    record->bEngineFlag = 1;
    AddTrays(record.get(), 2);
    OutBinInfo *bin = Add<OutBinInfo>(record.get(), keys::kOutBinInfo);
    bin->wBin = 4;
    bin->wState = 2;
    Add<LoadedEmul>(record.get(), keys::kLoadedEmul)->wEmulation = 17;
    Add<LoadedFont>(record.get(), keys::kLoadedFont)->wFont = 3;
    AddEngineStatuses(record.get(), {3, 5});
    Add<DeviceInfo>(record.get(), keys::kDeviceInfo)->wDevice = 1;
    struct Case {
        uint32_t bit;
        size_t offset;
        uint32_t value;  // the first four bytes of the field
    } cases[] = {
        {0x2, offsetof(PrnInfo, dwStatusValue), 1},          {0x2, offsetof(PrnInfo, bStatusNotOne), 1},
        {0x2, offsetof(PrnInfo, bStatusBit22), 1},
        {0x2, offsetof(PrnInfo, dwStatusBit27), 1},          {0x400, offsetof(PrnInfo, szModelName), 0x65646F4D},
        {0x400, offsetof(PrnInfo, szMakerName), 0x656B614D}, {0x400, offsetof(PrnInfo, szDescription), 0x6B736544},
        {0x400, offsetof(PrnInfo, bModelCode), 7},           {0x4, offsetof(PrnInfo, dwMemoryKB), 4096},
        {0x4, offsetof(PrnInfo, szSysVersion), 0x737953},    {0x8, offsetof(PrnInfo, dwTrayValue), 11},
        {0x8, offsetof(PrnInfo, aTrayPaper) + 12, 102},      {0x8, offsetof(PrnInfo, dwTrayCount), 2},
        {0x8, offsetof(PrnInfo, aTrayLevel) + 12, 202},      {0x8, offsetof(PrnInfo, dwTrayCount2), 2},
        {0x8, offsetof(PrnInfo, aTrayMedia) + 8, 2},         {0x8, offsetof(PrnInfo, aTrayMedia) + 12, 302},
        {0x10, offsetof(PrnInfo, aBins), 4},                 {0x10, offsetof(PrnInfo, aBins) + 4, 2},
        {0x10, offsetof(PrnInfo, dwBinCount), 1},            {0x10, offsetof(PrnInfo, dwBinValue), 255},
        {0x100, offsetof(PrnInfo, szMainProgVersion), 0x6E69614D}, {0x100, offsetof(PrnInfo, szKVNVersion), 0x4E564B},
        {0x100, offsetof(PrnInfo, dwEmulValue), 12},         {0x100, offsetof(PrnInfo, adwEmulations), 17},
        {0x100, offsetof(PrnInfo, dwEmulationCount), 1},     {0x200, offsetof(PrnInfo, adwFonts), 3},
        {0x200, offsetof(PrnInfo, dwFontCount), 1},          {0x80000, offsetof(PrnInfo, dwEngineStatus), 0x8006B},
        {0x80000, offsetof(PrnInfo, bEngineFlag), 1},        {0x80000, offsetof(PrnInfo, adwEngineStatus) + 4, 5},
        {0x80000, offsetof(PrnInfo, dwEngineStatusCount), 2}, {0x20000, offsetof(PrnInfo, dwHasDevice1), 1},
    };
    PrnInfo alone, others;
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.bit << " at " << std::dec << c.offset);
        ASSERT_EQ(Flatten(record.get(), &alone, c.bit), 0u);
        ASSERT_EQ(Flatten(record.get(), &others, ~c.bit), 0u);
        // The four byte fields sit side by side before dwSize.
        bool byte = c.offset >= offsetof(PrnInfo, bModelCode) && c.offset < offsetof(PrnInfo, dwSize);
        uint32_t width = byte ? 0xFF : 0xFFFFFFFF;
        EXPECT_EQ(U32At(alone, c.offset) & width, c.value);
        EXPECT_EQ(U32At(others, c.offset) & width, 0u);
        EXPECT_EQ(alone.dwSize, 2400u);
    }
}

TEST(PrnInfoFlat, MaskZeroGivesZerosAndASmallRecordIsRefusedUntouched) {
    HostRecord record;
    AddTrays(record.get(), 3);
    PrnInfo flat, expected = {};
    expected.dwSize = 2400;
    memset(&flat, 0xAB, sizeof flat);
    ASSERT_EQ(Flatten(record.get(), &flat, 0), 0u);
    EXPECT_EQ(memcmp(&flat, &expected, sizeof flat), 0);
    memset(&flat, 0xAB, sizeof flat);
    record->dwSize = 1171;
    EXPECT_EQ(Flatten(record.get(), &flat, 0xFFFFFFFF), 87u);
    record->dwSize = 1172;
    EXPECT_EQ(flat.dwSize, 0xABABABABu);
}

TEST(PrnInfoFlat, EngineStatusSummary) {
    struct Case {
        std::vector<uint32_t> codes;
        uint32_t summary, count, second;
    } cases[] = {
        {{}, 107, 0, 0},
        {{0x12345}, 0x2345, 1, 0},
        {{3, 5}, 0x8006B, 2, 5},
        {{0xFFFF, 2}, 0x1006B, 2, 2},
        {std::vector<uint32_t>(33, 0x10001), 0x20006B, 32, 0x10001},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.codes.size());
        HostRecord record;
        for (uint32_t code : c.codes) AddEngineStatus(record.get(), code);
        PrnInfo flat;
        ASSERT_EQ(Flatten(record.get(), &flat, PAT_CAT_ENGINE_STATUS), 0u);
        EXPECT_EQ(flat.dwEngineStatus, c.summary);
        EXPECT_EQ(flat.dwEngineStatusCount, c.count);
        EXPECT_EQ(flat.adwEngineStatus[0], c.codes.size() == 1 ? 0 : c.count == 0 ? 0 : c.codes[0]);
        EXPECT_EQ(flat.adwEngineStatus[1], c.second);
    }
}

// Lists longer than their arrays: the counts say how many were copied, and
// the 16-pair level array holds the first 16 trays with a count of its own.
TEST(PrnInfoFlat, ArraysStopAtTheirCapacity) {
    HostRecord record;
    AddTrays(record.get(), 70);
    for (int i = 0; i < 20; ++i) Add<OutBinInfo>(record.get(), keys::kOutBinInfo)->wBin = 1;
    for (int i = 0; i < 40; ++i) Add<LoadedEmul>(record.get(), keys::kLoadedEmul)->wEmulation = 1;
    for (int i = 0; i < 40; ++i) Add<LoadedFont>(record.get(), keys::kLoadedFont)->wFont = 1;
    PrnInfo flat;
    ASSERT_EQ(Flatten(record.get(), &flat, 0xFFFFFFFF), 0u);
    EXPECT_EQ(flat.dwTrayCount, 64u);
    EXPECT_EQ(flat.dwTrayCount2, 16u);
    EXPECT_EQ(flat.aTrayPaper[63].dwCode * 1000 + flat.aTrayPaper[63].dwValue, 64164u);
    EXPECT_EQ(flat.aTrayMedia[63].dwCode * 1000 + flat.aTrayMedia[63].dwValue, 64364u);
    EXPECT_EQ(flat.aTrayLevel[15].dwCode * 1000 + flat.aTrayLevel[15].dwValue, 16216u);
    EXPECT_EQ(flat.dwBinCount, 16u);
    EXPECT_EQ(flat.dwEmulationCount, 32u);
    EXPECT_EQ(flat.dwFontCount, 32u);
    EXPECT_EQ(flat.dwHasDevice1, 0u);
    for (uint8_t byte : flat.bReserved2376) EXPECT_EQ(byte, 0);
}

TEST(RecordConversions, TextsLongerThanTheirFieldAreCutAndTerminated) {
    std::string x300(300, 'x'), x40(40, 'n'), x20(20, 'v');
    PMEmulationRecord emulation = {0, x20.c_str(), "VORD"};
    HostList emulations({&emulation});
    PMEngineStatusRecord status = {0, 1, x300.c_str(), 0};
    HostList statuses({&status});
    PMInfoStatus statusBlock = {nullptr, nullptr, emulations.get(), {}, statuses.get(), {}, nullptr};
    PMPackageRecord pkg = {x40.c_str(), x300.c_str(), 0};
    PMPackageRecord *pkgs[] = {&pkg};
    PMPackageBlock packages = {1, pkgs, 1, pkgs};
    PMModelRecord model = {x300.c_str(), x20.c_str(), 0, 0, x20.c_str()};
    PMInfoConfig configBlock = {};
    configBlock.pModel = &model;
    configBlock.pPackages = &packages;

    HostRecord record;
    ASSERT_EQ(ConvertStatus(statusBlock, 0x6, record.get()), 0u);
    ASSERT_EQ(ConvertConfig(configBlock, 0x1801, record.get()), 0u);
    SetString(record.get(), keys::kDescription, x300.substr(0, 255).c_str());
    EXPECT_EQ(std::string(record->pEngineStatus->szText), x300.substr(0, 255));
    EXPECT_EQ(std::string(record->pLoadedEmul->szVersion), x20.substr(0, 17));
    EXPECT_EQ(std::string(record->pMainProgVersion), x20) << "strings are kept whole";
    for (FuncpkgInfo *item : {record->pFuncpkgInfo, record->pSalespkgInfo}) {
        EXPECT_EQ(std::string(item->szName), x40.substr(0, 32));
        EXPECT_EQ(std::string(item->szText), x300.substr(0, 256));
        EXPECT_EQ(item->dwState, 0u);
    }
    PrnInfo flat;
    memset(&flat, 0xAB, sizeof flat);
    ASSERT_EQ(Flatten(record.get(), &flat, 0xFFFFFFFF), 0u);
    EXPECT_EQ(std::string(flat.szModelName), x300.substr(0, 255));
    EXPECT_EQ(std::string(flat.szDescription), x300.substr(0, 255));
    EXPECT_EQ(std::string(flat.szMakerName), x20.substr(0, 15));
    EXPECT_EQ(std::string(flat.szSysVersion), x20.substr(0, 15));
    EXPECT_EQ(std::string(flat.szMainProgVersion), x20.substr(0, 15));
}

TEST(PrnInfoFlat, AllocatesNothing) {
    HostRecord record;
    AddTrays(record.get(), 64);
    AddEngineStatuses(record.get(), {1, 2});
    SetString(record.get(), keys::kModelName, "M");
    PrnInfo flat;
    portable::HeapFailNthAllocation(0xFFFFFFFF);
    ASSERT_EQ(Flatten(record.get(), &flat, 0xFFFFFFFF), 0u);
    EXPECT_EQ(portable::HeapAllocationsSinceArmed(), 0u);
}

}  // namespace
}  // namespace pat::test
