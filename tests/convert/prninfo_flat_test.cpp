// PatPrnInfoExToPrnInfo, and the text limits of both record conversions.
#include <gtest/gtest.h>

#include <stddef.h>

#include <string>

#include "convert/pminfo_host.h"
#include "platform/portable/test_hooks.h"

namespace pat::test {
namespace {

// Tray i of count: tray code i, paper 100 + i, level 200 + i, media 300 + i.
void AddTrays(PrnInfoEx *record, uint16_t count) {
    for (uint16_t i = 1; i <= count; ++i) {
        TrayInfo *tray = NewItem<TrayInfo>();
        tray->wTray = i;
        tray->wPaperSize = 100 + i;
        tray->wLevel = 200 + i;
        tray->wMedia = 300 + i;
        AddItem(record, keys::kTrayInfo, &tray->header);
    }
}

// Adds count items of key's list whose first u16 field is code.
void AddCoded(PrnInfoEx *record, const char *key, uint16_t code, int count = 1) {
    for (int i = 0; i < count; ++i) {
        InfoItem *item = AllocateListItem(key);
        memcpy(item + 1, &code, 2);
        AddItem(record, key, item);
    }
}

uint32_t Flatten(PrnInfoEx *record, PrnInfo *flat, uint32_t mask) {
    SetLastError(0xBADC0DE);
    int ok = PatPrnInfoExToPrnInfo(record, flat, mask);
    uint32_t error = GetLastError();
    EXPECT_EQ(ok, error == 0 ? 1 : 0);
    return error;
}

// Each group lands in its own fields: a field holds its value with its mask
// bit alone and stays zero under every other bit.
TEST(PrnInfoFlat, EachMaskBitFillsItsOwnGroup) {
    HostRecord record;
    record->bStatus = record->bStatusNotOne = record->bStatusBit22 = record->bStatusBit27 = 1;
    SetString(record.get(), keys::kMakerName, "Mk");
    SetString(record.get(), keys::kSYSVersion, "Sy");
    SetString(record.get(), keys::kKVNVersion, "KV");
    record->bModelCode = 7;
    record->dwBinValue = 255;
    record->bEngineFlag = 1;
    AddTrays(record.get(), 2);
    AddCoded(record.get(), keys::kOutBinInfo, 4);
    AddCoded(record.get(), keys::kLoadedEmul, 17);
    AddCoded(record.get(), keys::kLoadedFont, 3);
    AddCoded(record.get(), keys::kDeviceInfo, 1);
    AddEngineStatus(record.get(), 3);
    AddEngineStatus(record.get(), 5);
    struct {
        uint32_t bit;
        size_t offset, width;
        uint32_t value;
    } cases[] = {
        {0x2, offsetof(PrnInfo, dwStatusValue), 4, 1},      {0x2, offsetof(PrnInfo, bStatusNotOne), 1, 1},
        {0x2, offsetof(PrnInfo, bStatusBit22), 1, 1},       {0x2, offsetof(PrnInfo, dwStatusBit27), 4, 1},
        {0x400, offsetof(PrnInfo, szMakerName), 3, 'M' | 'k' << 8}, {0x400, offsetof(PrnInfo, bModelCode), 1, 7},
        {0x4, offsetof(PrnInfo, szSysVersion), 3, 'S' | 'y' << 8},  {0x8, offsetof(PrnInfo, dwTrayCount), 4, 2},
        {0x8, offsetof(PrnInfo, aTrayPaper[1].dwValue), 4, 102},    {0x8, offsetof(PrnInfo, aTrayLevel[1].dwValue), 4, 202},
        {0x8, offsetof(PrnInfo, aTrayMedia[1]), 8, 2},      {0x8, offsetof(PrnInfo, aTrayMedia[1].dwValue), 4, 302},
        {0x8, offsetof(PrnInfo, dwTrayCount2), 4, 2},       {0x10, offsetof(PrnInfo, aBins[0].dwCode), 4, 4},
        {0x10, offsetof(PrnInfo, dwBinCount), 4, 1},        {0x10, offsetof(PrnInfo, dwBinValue), 4, 255},
        {0x100, offsetof(PrnInfo, szKVNVersion), 3, 'K' | 'V' << 8}, {0x100, offsetof(PrnInfo, adwEmulations), 4, 17},
        {0x100, offsetof(PrnInfo, dwEmulationCount), 4, 1}, {0x200, offsetof(PrnInfo, adwFonts), 4, 3},
        {0x200, offsetof(PrnInfo, dwFontCount), 4, 1},      {0x80000, offsetof(PrnInfo, dwEngineStatus), 4, 0x8006B},
        {0x80000, offsetof(PrnInfo, bEngineFlag), 1, 1},    {0x80000, offsetof(PrnInfo, dwEngineStatusCount), 4, 2},
        {0x20000, offsetof(PrnInfo, dwHasDevice1), 4, 1},
    };
    PrnInfo flat[2];
    for (auto &c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.bit << " at " << std::dec << c.offset);
        ASSERT_EQ(Flatten(record.get(), &flat[0], c.bit), 0u);
        ASSERT_EQ(Flatten(record.get(), &flat[1], ~c.bit), 0u);
        for (int i = 0; i < 2; ++i) {
            uint32_t value = 0;
            memcpy(&value, reinterpret_cast<uint8_t *>(&flat[i]) + c.offset, c.width < 4 ? c.width : 4);
            EXPECT_EQ(value, i == 0 ? c.value : 0);
            EXPECT_EQ(flat[i].dwSize, 2400u);
        }
    }
}

TEST(PrnInfoFlat, MaskZeroGivesZerosAndASmallRecordIsRefusedUntouched) {
    HostRecord record;
    AddTrays(record.get(), 3);
    PrnInfo flat, expected = {}, untouched;
    expected.dwSize = 2400;
    memset(&flat, 0xAB, sizeof flat);
    ASSERT_EQ(Flatten(record.get(), &flat, 0), 0u);
    EXPECT_EQ(memcmp(&flat, &expected, sizeof flat), 0);
    memset(&flat, 0xAB, sizeof flat);
    memset(&untouched, 0xAB, sizeof untouched);
    record->dwSize = 1171;
    EXPECT_EQ(Flatten(record.get(), &flat, 0xFFFFFFFF), PAT_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(memcmp(&flat, &untouched, sizeof flat), 0);
    record->dwSize = 1172;
}

TEST(PrnInfoFlat, EngineStatusSummary) {
    struct {
        std::vector<uint32_t> codes;
        uint32_t summary, count, first, second;
    } cases[] = {{{}, 107, 0, 0, 0},
                 {{0x12345}, 0x2345, 1, 0, 0},
                 {{3, 5}, 0x8006B, 2, 3, 5},
                 {{0xFFFF, 2}, 0x1006B, 2, 0xFFFF, 2},
                 {std::vector<uint32_t>(33, 0x10001), 0x20006B, 32, 0x10001, 0x10001}};
    for (auto &c : cases) {
        HostRecord record;
        for (uint32_t code : c.codes) AddEngineStatus(record.get(), code);
        PrnInfo flat;
        ASSERT_EQ(Flatten(record.get(), &flat, PAT_CAT_ENGINE_STATUS), 0u);
        EXPECT_EQ(flat.dwEngineStatus, c.summary) << c.codes.size();
        EXPECT_EQ(flat.dwEngineStatusCount, c.count);
        EXPECT_EQ(flat.adwEngineStatus[0], c.first);
        EXPECT_EQ(flat.adwEngineStatus[1], c.second);
    }
}

// Lists longer than their arrays: the counts say how many were copied; the
// 16-pair level array holds the first 16 trays and has a count of its own.
// Flattening allocates nothing.
TEST(PrnInfoFlat, ArraysStopAtTheirCapacityAndNothingIsAllocated) {
    HostRecord record;
    AddTrays(record.get(), 70);
    AddCoded(record.get(), keys::kOutBinInfo, 1, 20);
    AddCoded(record.get(), keys::kLoadedEmul, 1, 40);
    AddCoded(record.get(), keys::kLoadedFont, 1, 40);
    AddCoded(record.get(), keys::kDeviceInfo, 2);
    AddCoded(record.get(), keys::kDeviceInfo, 500);
    PrnInfo flat;
    portable::HeapFailNthAllocation(0xFFFFFFFF);
    ASSERT_EQ(Flatten(record.get(), &flat, 0xFFFFFFFF), 0u);
    EXPECT_EQ(portable::HeapAllocationsSinceArmed(), 0u);
    EXPECT_EQ(flat.dwTrayCount, 64u);
    EXPECT_EQ(flat.dwTrayCount2, 16u);
    EXPECT_EQ(flat.aTrayPaper[63].dwCode * 1000 + flat.aTrayPaper[63].dwValue, 64164u);
    EXPECT_EQ(flat.aTrayMedia[63].dwCode * 1000 + flat.aTrayMedia[63].dwValue, 64364u);
    EXPECT_EQ(flat.aTrayLevel[15].dwCode * 1000 + flat.aTrayLevel[15].dwValue, 16216u);
    EXPECT_EQ(flat.dwBinCount * 10000 + flat.dwEmulationCount * 100 + flat.dwFontCount, 163232u);
    EXPECT_EQ(flat.dwHasDevice1, 0u);
}

TEST(RecordConversions, TextsLongerThanTheirFieldAreCutAndTerminated) {
    std::string x300(300, 'x'), n40(40, 'n'), v20(20, 'v');
    PMEmulationRecord emulation = {0, v20.c_str(), "VORD"};
    PMEngineStatusRecord status = {0, 1, x300.c_str(), 0};
    List emulations{&emulation}, statuses{&status};
    PMInfoStatus statusBlock = {nullptr, nullptr, &emulations.list, {}, &statuses.list};
    PMPackageRecord pkg = {n40.c_str(), x300.c_str(), 0}, *pkgs[] = {&pkg};
    PMPackageBlock packages = {1, pkgs, 1, pkgs};
    PMModelRecord model = {x300.c_str(), v20.c_str(), 0, 0, v20.c_str()};
    PMInfoConfig configBlock = {&model};
    configBlock.pPackages = &packages;
    HostRecord record;
    ASSERT_EQ(Convert(1, &statusBlock, 0x6, record.get()), 0u);
    ASSERT_EQ(Convert(0x8000, &configBlock, 0x1801, record.get()), 0u);
    EXPECT_EQ(record->pEngineStatus->szText, x300.substr(0, 255));
    EXPECT_EQ(record->pLoadedEmul->szVersion, v20.substr(0, 17));
    EXPECT_EQ(record->pMainProgVersion, v20) << "strings are kept whole";
    for (FuncpkgInfo *item : {record->pFuncpkgInfo, record->pSalespkgInfo})
        EXPECT_EQ(item->szName + std::string("|") + item->szText, n40.substr(0, 32) + "|" + x300.substr(0, 256));
    PrnInfo flat;
    ASSERT_EQ(Flatten(record.get(), &flat, 0xFFFFFFFF), 0u);
    EXPECT_EQ(flat.szModelName, x300.substr(0, 255));
    EXPECT_EQ(flat.szMakerName, v20.substr(0, 15));
    EXPECT_EQ(flat.szSysVersion, v20.substr(0, 15));
    EXPECT_EQ(flat.szMainProgVersion, v20.substr(0, 15));
}

}  // namespace
}  // namespace pat::test
