// PatPMInfoToPrnInfoEx: the configuration block.
#include <gtest/gtest.h>

#include <string>

#include "convert/pminfo_host.h"
#include "platform/portable/test_hooks.h"

namespace pat::test {
namespace {

constexpr uint32_t A = PAT_PM_ABSENT;

// Converts one tray of the main or the extended list.
TrayInfo ConvertTray(const PMTrayRecord &main, bool extended) {
    PMTrayRecordEx ex = {main.pszName, main.dwLevel, {}, main.dwWidth, main.dwHeight, main.pszMediaName,
                         {},           main.dwMedia, main.dwSizeSelect, main.dwAttributes};
    HostList trays({extended ? static_cast<const void *>(&ex) : &main});
    PMInfoConfig block = {};
    (extended ? block.pTraysEx : block.pTrays) = trays.get();
    HostRecord record;
    EXPECT_EQ(ConvertConfig(block, PAT_PMCONFIG_TRAYS | PAT_PMCONFIG_TRAYS_EX, record.get()), 0u);
    EXPECT_EQ(record->dwTrayInfoCount, 1u);
    return record->pTrayInfo != nullptr ? *record->pTrayInfo : TrayInfo{};
}

TEST(PMInfoTrays, PaperSizeMatrix) {
    struct Case {
        uint32_t width, height, sizeSelect, attributes;
        uint16_t paper;
    } cases[] = {
        {210, 297, 0, 0, 8},        {211, 296, 0, 0, 8},        {210, 297, 0, 0x100, 2},    {210, A, 0, 0, 41},
        {A, 914, 0, 0, 284},        {A, 600, 0, 0, 2},          {210, 297, 0x400, 0, 2},    {297, 210, 0, 0, 9},
        {299, 212, 0, 0, 9},        {300, 210, 0, 0, 2},        {330, 210, 0, 0, 28},       {330, 212, 0, 0, 2},
        {182, 257, 0, 0, 10},       {257, 182, 0, 0, 11},       {235, 120, A, 0x400, 100},  {235, 120, A, 0, 133},
        {235, 120, A, 0x800, 100},  {235, 120, A, A, 100},      {235, A, A, 0, 41},         {235, 120, 0x400, 0, 133},
        {235, 120, 0x800, 0, 100},  {235, 120, 0x401, A, 100},  {120, 235, 0, 0, 117},      {120, 235, 0x400, 0x400, 2},
        {235, A, 0x400, 0, 41},     {235, 120, 0xC00, 0, 133},  {A, 914, A, 0x100, 2},      {235, 120, 0x100, 0, 100},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " select " << std::hex << c.sizeSelect
                                        << " attributes " << c.attributes);
        PMTrayRecord tray = Tray("Tray 2", c.width, c.height);
        tray.dwSizeSelect = c.sizeSelect;
        tray.dwAttributes = c.attributes;
        EXPECT_EQ(ConvertTray(tray, false).wPaperSize, c.paper);
        EXPECT_EQ(ConvertTray(tray, true).wPaperSize, c.paper);
    }
}

TEST(PMInfoTrays, NameLevelMediaAndAttributes) {
    uint32_t bit32[] = {0, 1}, bit23[] = {1u << 23, 0}, bit25[] = {1u << 25, 0};
    struct Case {
        const char *name;
        uint32_t level, media;
        const uint32_t *mask;
        const char *mediaName;
        uint32_t attributes;
        bool extended;
        uint16_t tray, levelPercent, mediaCode;
        uint32_t itemAttributes;
    } cases[] = {
        {"Tray 2", 0x200, 0x1, nullptr, nullptr, 0, false, 4, 25, 1, 0},
        {"Tray 3 -Small Paper", 0x12, 0x3, nullptr, nullptr, 0x100, false, 5, 0, 0, 0},
        {"Tray 3 -Small Paper", 0x12, 0x3, nullptr, nullptr, 0x100, true, 5, 0, 0, 0x100},
        {"Bypass Tray", 0x300, 0x400, nullptr, nullptr, 0xD00, false, 1, 10, 8, 0xC00},
        {"Nowhere", 0x1000, 0x800000, bit32, nullptr, A, false, 0, 100, 53, A},
        {nullptr, 0x400, 0x800000, bit32, nullptr, 0, true, 0, 50, 0, 0},
        {Absent<const char>(), 0x800, 0x800000, bit23, nullptr, 0, false, 0, 75, 1, 0},
        {"LCT", 0x10, 0x800000, bit25, nullptr, 0, false, 11, 0, 0, 0},
        {"LCT", A, 0x800000, Absent<const uint32_t>(), nullptr, 0, false, 11, 100, 0, 0},
        {"LCT", 0x20, A, nullptr, "Recycled", 0, false, 11, 100, 9, 0},
        {"LCT", 0x20, A, nullptr, Absent<const char>(), 0, true, 11, 100, 0, 0},
    };
    const NameCodeRow mediaNames[] = {{"Recycled", 9}, {nullptr, 0}};
    ModuleConfig config = ShippedConfig();
    config.mediaNameTable = mediaNames;
    ScopedConfig scoped(config);
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << (c.extended ? "extended " : "main ") << std::hex << c.level << " " << c.media);
        PMTrayRecord tray = Tray(c.name);
        tray.dwLevel = c.level;
        tray.dwMedia = c.media;
        tray.pMediaMask = const_cast<uint32_t *>(c.mask);
        tray.pszMediaName = c.mediaName;
        tray.dwAttributes = c.attributes;
        TrayInfo item = ConvertTray(tray, c.extended);
        EXPECT_EQ(item.wTray, c.tray);
        EXPECT_EQ(item.wLevel, c.levelPercent);
        EXPECT_EQ(item.wMedia, c.mediaCode);
        EXPECT_EQ(item.dwAttributes, c.itemAttributes);
    }
}

TEST(PMInfoConfig, ModelStringsMemoryAndModelCode) {
    const NameCodeRow models[] = {{"M9", 0x107}, {nullptr, 255}};
    ModuleConfig config = ShippedConfig();
    config.modelNameTable = models;
    ScopedConfig scoped(config);
    PMModelRecord known = {"M9", "1.0", 1048576, 0, "Maker"}, unknown = {"X", Absent<const char>(), 1023, 0, nullptr};
    PMModelRecord silent = {Absent<const char>(), nullptr, A, 0, Absent<const char>()};
    struct Case {
        PMModelRecord *model;
        const char *name, *sys, *maker;
        uint8_t code;
        uint32_t memoryKB;
    } cases[] = {{&known, "M9", "1.0", "Maker", 7, 1024},
                 {&unknown, "X", "old", "old", 255, 0},
                 {&silent, "old", "old", "old", 3, 5},
                 {Absent<PMModelRecord>(), "old", "old", "old", 3, 5}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        HostRecord record;
        for (const char *key : {keys::kModelName, keys::kSYSVersion, keys::kMakerName, keys::kDescription})
            SetString(record.get(), key, "old");
        record->bModelCode = 3;
        record->dwMemoryKB = 5;
        PMInfoConfig block = {};
        block.pModel = c.model;
        ASSERT_EQ(ConvertConfig(block, PAT_PMCONFIG_MODEL, record.get()), 0u);
        EXPECT_STREQ(record->pModelName, c.name);
        EXPECT_STREQ(record->pSYSVersion, c.sys);
        EXPECT_STREQ(record->pMakerName, c.maker);
        EXPECT_EQ(record->bModelCode, c.code);
        EXPECT_EQ(record->dwMemoryKB, c.memoryKB);
        EXPECT_EQ(record->pDescription == nullptr, c.model != Absent<PMModelRecord>());
    }
}

TEST(PMInfoConfig, BinsOptionsFunctionsAndPackages) {
    PMBinRecord full = {"Finisher Tray", 0x1}, unnamed = {nullptr, 0}, unreported = {"Standard Tray", A};
    HostList bins({&full, &unnamed, &unreported});
    PMOptionRecord option = {5}, silent = {A};
    HostList options({&option, &silent});
    uint32_t five = 5, f2008 = 2008;
    HostList functions({&five, &f2008});
    PMPackageRecord active = {"604271958-X", "text", 1}, idle = {"604271958", nullptr, 0};
    PMPackageRecord unstated = {"604271958", Absent<const char>(), A}, sold = {"S1", "t", 1};
    PMPackageRecord *funcs[] = {&active, &idle, &unstated}, *sales[] = {&sold};
    PMPackageBlock packages = {1, sales, 3, funcs};
    PMInfoConfig block = {};
    block.pBins = bins.get();
    block.pOptions = options.get();
    block.pFunctions = functions.get();
    block.pPackages = &packages;
    const KeyCodeRow optionRows[] = {{5, 77}, {kEndKey, 0}};
    ModuleConfig config = ShippedConfig();
    config.deviceOptionTable = optionRows;
    ScopedConfig scoped(config);

    HostRecord record;
    ASSERT_EQ(ConvertConfig(block, 0x18C4, record.get()), 0u);
    auto binItems = Items(record->pOutBinInfo);
    ASSERT_EQ(binItems.size(), 3u);
    EXPECT_EQ(binItems[0]->wBin * 10 + binItems[0]->wState, 42);
    EXPECT_EQ(binItems[1]->wBin * 10 + binItems[1]->wState, 2550);
    EXPECT_EQ(binItems[2]->wBin * 10 + binItems[2]->wState, 10);
    EXPECT_EQ(record->dwBinValue, 255u);
    std::vector<uint16_t> devices;
    for (DeviceInfo *d : Items(record->pDeviceInfo)) devices.push_back(d->wDevice);
    EXPECT_EQ(devices, (std::vector<uint16_t>{77, 0, 500})) << "options, then the active function package";
    auto funcItems = Items(record->pFuncInfo);
    ASSERT_EQ(funcItems.size(), 2u);
    EXPECT_EQ(funcItems[1]->dwFunction, 2008u);
    EXPECT_EQ(record->bFunc2008, 1);
    auto pkgs = Items(record->pFuncpkgInfo);
    ASSERT_EQ(pkgs.size(), 3u);
    EXPECT_STREQ(pkgs[0]->szName, "604271958-X");
    EXPECT_STREQ(pkgs[0]->szText, "text");
    EXPECT_EQ(pkgs[0]->dwState, 1u);
    EXPECT_EQ(pkgs[1]->dwState, 0u);
    EXPECT_EQ(pkgs[2]->dwState, 0u) << "an unreported state is not active";
    EXPECT_STREQ(pkgs[2]->szText, "");
    ASSERT_EQ(record->dwSalespkgInfoCount, 1u);
    EXPECT_STREQ(record->pSalespkgInfo->szName, "S1");
}

// Host blocks that hold absent marks where a careless reader would follow
// them. None of them is followed; what each yields is fixed here.
TEST(PMInfoConfig, UnusableEntriesAreNeverFollowed) {
    PMTrayRecord tray = Tray("Tray 1");
    HostList trays({nullptr, &tray, Absent(), &tray});
    PMBinRecord bin = {"Left Tray", 0};
    HostList bins({Absent(), &bin, nullptr});
    uint32_t code = 2008;
    HostList functions({&code, nullptr, &code});
    PMPackageRecord pkg = {"604271958", "t", 1};
    PMPackageRecord *withHoles[] = {nullptr, &pkg, Absent<PMPackageRecord>()};
    struct Case {
        const char *what;
        PMPackageBlock packages;
        uint32_t funcpkgs, devices;
    } cases[] = {
        {"holes give empty items", {3, withHoles, 3, withHoles}, 3, 1},
        {"count 0xFFFFFFFF", {A, withHoles, A, withHoles}, 0, 0},
        {"null array", {2, nullptr, 2, nullptr}, 0, 0},
        {"absent array", {2, Absent<PMPackageRecord *>(), 2, Absent<PMPackageRecord *>()}, 0, 0},
        {"no records", {0, Absent<PMPackageRecord *>(), 0, nullptr}, 0, 0},
    };
    for (Case &c : cases) {
        SCOPED_TRACE(c.what);
        HostRecord record;
        AddItem(record.get(), keys::kFuncpkgInfo, AllocateItem(sizeof(FuncpkgInfo)));
        AddItem(record.get(), keys::kSalespkgInfo, AllocateItem(sizeof(SalespkgInfo)));
        PMInfoConfig block = {};
        block.pTrays = block.pTraysEx = trays.get();
        block.pBins = bins.get();
        block.pFunctions = functions.get();
        block.pPackages = &c.packages;
        ASSERT_EQ(ConvertConfig(block, 0x1C86, record.get()), 0u);
        EXPECT_EQ(record->dwTrayInfoCount, 4u) << "two trays from each list";
        EXPECT_EQ(record->dwOutBinInfoCount, 1u);
        EXPECT_EQ(record->dwFuncInfoCount, 1u) << "the function list ends at its first hole";
        EXPECT_EQ(record->dwFuncpkgInfoCount, c.funcpkgs);
        EXPECT_EQ(record->dwSalespkgInfoCount, c.funcpkgs);
        EXPECT_EQ(record->dwDeviceInfoCount, c.devices);
        std::string names;
        for (FuncpkgInfo *item : Items(record->pFuncpkgInfo)) names += std::string(item->szName) + ";";
        EXPECT_EQ(names, c.funcpkgs == 3 ? ";604271958;;" : "");
    }
}

// Lists marked absent keep their items and values; only the tray list is
// cleared by the mask itself.
TEST(PMInfoConfig, AbsentListsLeaveTheirRecordPartsAlone) {
    PMList absentCount = {A, nullptr}, nullItems = {2, nullptr}, absentItems = {2, Absent<void *>()};
    PMList *lists[] = {nullptr, Absent<PMList>(), &absentCount, &nullItems, &absentItems};
    for (int i = 0; i < 5; ++i) {
        PMList *list = lists[i];
        SCOPED_TRACE(i);
        HostRecord record;
        for (const char *key : {keys::kTrayInfo, keys::kOutBinInfo, keys::kDeviceInfo, keys::kFuncInfo,
                                keys::kFuncpkgInfo})
            AddItem(record.get(), key, AllocateListItem(key));
        record->dwTrayValue = record->dwBinValue = 9;
        record->bFunc2008 = 9;
        PMInfoConfig block = {Absent<PMModelRecord>(), list, list, {}, list, list, {}, list, Absent<PMPackageBlock>()};
        ASSERT_EQ(ConvertConfig(block, 0x1CC7, record.get()), 0u);
        EXPECT_EQ(record->dwTrayInfoCount, 0u);
        EXPECT_EQ(record->dwTrayValue, 9u);
        EXPECT_EQ(record->dwOutBinInfoCount + record->dwDeviceInfoCount + record->dwFuncInfoCount +
                      record->dwFuncpkgInfoCount,
                  4u);
        EXPECT_EQ(record->dwBinValue + record->bFunc2008, 18u);
    }
}

TEST(PMInfoConfig, RunningOutOfMemoryAnywhereStopsWithNoMemory) {
    PMModelRecord model = {"M", "1.0", 0, 0, "Maker"};
    PMTrayRecord tray = Tray("Tray 1");
    PMTrayRecordEx trayEx = {"Tray 2", 0, {}, 210, 297, nullptr, {}, 1, 0, 0};
    HostList trays({&tray, &tray}), traysEx({&trayEx});
    PMBinRecord bin = {"Left Tray", 1};
    HostList bins({&bin, &bin});
    PMOptionRecord option = {1};
    HostList options({&option});
    uint32_t code = 2008;
    HostList functions({&code, &code});
    PMPackageRecord pkg = {"604271958", "t", 1};
    PMPackageRecord *pkgs[] = {&pkg};
    PMPackageBlock packages = {1, pkgs, 1, pkgs};
    PMInfoConfig block = {&model, trays.get(), bins.get(), {}, options.get(), functions.get(), {}, traysEx.get(),
                          &packages};
    auto kept = [](PrnInfoEx *r) {
        return (r->pModelName != nullptr) + (r->pSYSVersion != nullptr) + (r->pMakerName != nullptr) +
               r->dwTrayInfoCount + r->dwOutBinInfoCount + r->dwDeviceInfoCount + r->dwFuncInfoCount +
               r->dwFuncpkgInfoCount + r->dwSalespkgInfoCount;
    };
    uint32_t allocations;
    {
        HostRecord record;
        portable::HeapFailNthAllocation(0xFFFFFFFF);
        ASSERT_EQ(ConvertConfig(block, 0x1CC7, record.get()), 0u);
        allocations = portable::HeapAllocationsSinceArmed();
        EXPECT_EQ(kept(record.get()), allocations);
    }
    EXPECT_EQ(allocations, 14u);  // 3 strings, 3 trays, 2 bins, 1 option, 2 functions, 2 packages, 1 device
    for (uint32_t n = 1; n <= allocations; ++n) {
        SCOPED_TRACE(n);
        HostRecord record;
        portable::HeapFailNthAllocation(n);
        uint32_t error = ConvertConfig(block, 0x1CC7, record.get());
        portable::HeapFailNthAllocation(0);
        // The system version and maker are extras; a package whose device
        // cannot be stored is dropped with it (allocations 12 and 13).
        bool extra = n == 2 || n == 3;
        EXPECT_EQ(error, extra ? 0u : 8u);
        EXPECT_EQ(kept(record.get()), extra ? allocations - 1 : n == 13 ? n - 2 : n - 1);
        if (n == 1) EXPECT_EQ(record->bModelCode, 255);
    }
}

}  // namespace
}  // namespace pat::test
