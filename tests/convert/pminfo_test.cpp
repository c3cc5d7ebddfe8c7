// PatPMInfoToPrnInfoEx: dispatch, status block, configuration block, absent
// marks and running out of memory.
#include <gtest/gtest.h>

#include "convert/pminfo_host.h"
#include "platform/portable/test_hooks.h"

namespace pat::test {
namespace {

TEST(PMInfo, DispatchByClassRevisionAndRecordSize) {
    struct {
        uint32_t deviceClass, revision, size, error;
    } cases[] = {{0x10001, 'd', 1172, 0}, {0x80000001, 0x164, 1172, 0}, {0xFFFF8000, 0x768, 1172, 0},
                 {1, 'h', 1172, PAT_ERROR_INVALID_PARAMETER},      {0x8000, 'd', 1172, PAT_ERROR_INVALID_PARAMETER},       {0x8001, 'd', 1172, PAT_ERROR_INVALID_PARAMETER},
                 {1, 'd', 1171, PAT_ERROR_INVALID_PARAMETER},      {0x8000, 'h', 1171, PAT_ERROR_INVALID_PARAMETER}};
    PMInfoStatus block = {};
    for (auto &c : cases) {
        HostRecord record;
        record->dwSize = c.size;
        SetLastError(0);
        EXPECT_EQ(PatPMInfoToPrnInfoEx(c.deviceClass, &block, c.revision, 0x2, record.get()), c.error == 0);
        EXPECT_EQ(GetLastError(), c.error) << std::hex << c.deviceClass;
        // Only an accepted status block gets the "no engine status" status.
        EXPECT_EQ(record->dwEngineStatusCount, c.error == 0 && (c.deviceClass & 0xFFFF) == 1 ? 1u : 0u);
    }
}

// A status block as a host reports it, with holes in its lists.
struct StatusBlock {
    PMEmulationRecord vord = {0, "V1", "VORD"}, ps = {0, "3011", "Adobe PostScript 3"}, other = {0, "9", Absent<char>()};
    PMEngineStatusRecord jam = {0, 0x12345, "Jam", 5}, silent = {0, A, Absent<char>(), 0};
    PMFontRecord font = {"Courier"};
    List emulations{&vord, nullptr, &ps, Absent(), &other}, statuses{&jam, &silent}, fonts{&font};
    PMInfoStatus block = {nullptr, &fonts.list, &emulations.list, {}, &statuses.list, {}, nullptr};
};

TEST(PMInfo, StatusBlockListsSkipHolesAndKeepVersions) {
    StatusBlock host;
    const PMInfoStatus &block = host.block;
    HostRecord record;
    record->dwEmulValue = 9;
    ASSERT_EQ(Convert(1, &block, 0x40F, record.get()), 0u);
    auto emuls = Items(record->pLoadedEmul);
    ASSERT_EQ(emuls.size(), 3u);
    EXPECT_EQ(emuls[0]->wEmulation * 100 + emuls[1]->wEmulation * 10 + emuls[2]->wEmulation, 120);
    EXPECT_STREQ(emuls[2]->szVersion, "9");
    EXPECT_STREQ(record->pMainProgVersion, "V1");
    EXPECT_STREQ(record->pKVNVersion, "3011");
    EXPECT_EQ(record->dwEmulValue, 0u);
    EXPECT_EQ(record->dwLoadedFontCount, 1u);
    auto engine = Items(record->pEngineStatus);
    ASSERT_EQ(engine.size(), 2u);
    EXPECT_EQ(engine[0]->wStatus + engine[0]->dwStatus, 0x2345u + 0x12345u);
    EXPECT_STREQ(engine[0]->szText, "Jam");
    EXPECT_EQ(engine[1]->wStatus, 0xFFFFu) << "an unreported code is copied as given";
    EXPECT_EQ(engine[1]->dwStatus, 0xFFFFFFFFu);
}

// Status-word rows fire on their mask when bit 0 of their group is set; a
// conditional row only without the suppress flag. Engine statuses follow.
TEST(PMInfo, StatusWordEngineFlagAndCopyGuard) {
    const StatusBitRow rows[] = {{1, 0x1, 500, 0}, {3, 0x08000000, 2000, 1}, {2, 0x1, 9000, 0}, {A, 0, 0, 0}};
    ModuleConfig config = ShippedConfig();
    config.convert.statusBitTable = rows;
    ScopedConfig scoped(config);
    struct {
        uint32_t word, suppress, kind, guard;
        uint8_t bytes[4], flag, copyGuard;  // bStatus, bStatusNotOne, bStatusBit22, bStatusBit27
        uint32_t codeSum;
    } cases[] = {{0x08400001, 0, 3, 2, {1, 0, 1, 1}, 1, 1, 2507},
                 {0x08400001, PAT_CLASS_SUPPRESS, 5, 1, {1, 0, 1, 1}, 0, 0, 507},
                 {0, 0, 0, 0xFFFFFFFE, {0, 1, 0, 0}, 0, 1, 7},
                 {A, 0, A, A, {7, 7, 7, 7}, 1, 0, 7}};
    for (auto &c : cases) {
        PMStatusWord word = {c.word};
        PMEngineStatusRecord status = {0, 7, "", c.kind};
        PMCopyGuardRecord guard = {0, c.guard};
        List statuses{&status};
        PMInfoStatus block = {&word, nullptr, nullptr, {}, &statuses.list, {}, &guard};
        HostRecord record;
        record->bStatus = record->bStatusNotOne = record->bStatusBit22 = record->bStatusBit27 = 7;
        ASSERT_EQ(Convert(1 | c.suppress, &block, 0x403, record.get()), 0u);
        uint8_t bytes[4] = {record->bStatus, record->bStatusNotOne, record->bStatusBit22, record->bStatusBit27};
        EXPECT_EQ(memcmp(bytes, c.bytes, 4), 0) << std::hex << c.word;
        EXPECT_EQ(record->bEngineFlag, c.flag);
        EXPECT_EQ(record->bCopyGuard, c.copyGuard);
        uint32_t sum = 0;
        for (EngineStatus *s : Items(record->pEngineStatus)) sum += s->dwStatus;
        EXPECT_EQ(sum, c.codeSum);
    }
}

// One tray through the main or the extended list.
TrayInfo ConvertTray(const PMTrayRecord &t, bool extended) {
    PMTrayRecordEx ex = {t.pszName, t.dwLevel, {}, t.dwWidth, t.dwHeight, t.pszMediaName, {}, t.dwMedia,
                         t.dwSizeSelect, t.dwAttributes};
    List trays{extended ? static_cast<const void *>(&ex) : &t};
    PMInfoConfig block = {};
    (extended ? block.pTraysEx : block.pTrays) = &trays.list;
    HostRecord record;
    EXPECT_EQ(Convert(0x8000, &block, 0x402, record.get()), 0u);
    return record->dwTrayInfoCount == 1 ? *record->pTrayInfo : TrayInfo{};
}

// How a tray's paper size is found; the lookups themselves are tested with
// the tables.
TEST(PMInfo, PaperSizeMatrix) {
    struct {
        uint32_t width, height, sizeSelect, attributes;
        uint16_t paper;
    } cases[] = {
        {210, 297, 0, 0, 8},       {210, 297, 0, 0x100, 2},   {A, 914, A, 0x100, 2},      {210, A, 0, 0, 41},
        {A, 914, 0, 0, 284},       {120, 235, 0, 0, 117},     {235, 120, 0x100, 0, 100},  {210, 297, 0x400, 0, 2},
        {235, A, 0x400, 0, 41},    {235, 120, 0x400, 0, 133}, {235, 120, 0x800, 0, 100},  {235, 120, 0x401, A, 100},
        {235, 120, 0xC00, 0, 133}, {120, 235, 0x400, 0x400, 2}, {235, 120, A, 0x400, 100}, {235, 120, A, 0, 133},
        {235, 120, A, 0x800, 100}, {235, 120, A, A, 100},     {235, A, A, 0, 41},         {A, 914, A, 0, 284},
    };
    for (auto &c : cases) {
        PMTrayRecord tray = {"Tray 2", 0, {}, c.width, c.height, {}, nullptr, {}, 1, nullptr, c.sizeSelect, c.attributes};
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << std::hex << " " << c.sizeSelect << " " << c.attributes);
        EXPECT_EQ(ConvertTray(tray, false).wPaperSize, c.paper);
        EXPECT_EQ(ConvertTray(tray, true).wPaperSize, c.paper);
    }
}

TEST(PMInfo, TrayNameLevelMediaAndAttributes) {
    uint32_t bit32[] = {0, 1};
    struct {
        const char *name;
        uint32_t level, media;
        uint32_t *mask;
        const char *mediaName;
        uint32_t attributes;
        bool extended;
        uint16_t tray, percent, code;
        uint32_t itemAttributes;
    } cases[] = {
        {"Tray 2", 0x200, 0x1, nullptr, nullptr, 0, false, 4, 25, 1, 0},
        {"Tray 3 -Small Paper", 0x12, 0x3, nullptr, nullptr, 0x100, false, 5, 0, 0, 0},
        {"Tray 3 -Small Paper", 0x12, 0x3, nullptr, nullptr, 0x100, true, 5, 0, 0, 0x100},
        {"Bypass Tray", 0x300, 0x400, nullptr, nullptr, 0xD00, false, 1, 10, 8, 0xC00},
        {"Nowhere", 0x1000, 0x800000, bit32, nullptr, A, false, 0, 100, 53, A},
        {nullptr, 0x400, 0x800000, bit32, nullptr, 0, true, 0, 50, 0, 0},
        {Absent<char>(), 0x800, 0x800000, Absent<uint32_t>(), nullptr, 0, false, 0, 75, 0, 0},
        {"LCT", A, A, nullptr, "Recycled", 0, false, 11, 100, 9, 0},
        {"LCT", 0x20, A, nullptr, Absent<char>(), 0, true, 11, 100, 0, 0},
    };
    const NameCodeRow mediaNames[] = {{"Recycled", 9}, {nullptr, 0}};
    ModuleConfig config = ShippedConfig();
    config.convert.mediaNameTable = mediaNames;
    ScopedConfig scoped(config);
    for (auto &c : cases) {
        PMTrayRecord t = {c.name, c.level, {}, 210, 297, {}, c.mediaName, {}, c.media, c.mask, 0, c.attributes};
        TrayInfo item = ConvertTray(t, c.extended);
        SCOPED_TRACE(testing::Message() << std::hex << c.level << " " << c.media << " " << c.extended);
        EXPECT_EQ(item.wTray, c.tray);
        EXPECT_EQ(item.wLevel, c.percent);
        EXPECT_EQ(item.wMedia, c.code);
        EXPECT_EQ(item.dwAttributes, c.itemAttributes);
    }
}

// A configuration block as a host reports it.
struct ConfigBlock {
    PMModelRecord model = {"M9", "1.0", 1048575, 0, "Maker"};
    PMTrayRecord tray = {"Tray 1"};
    PMTrayRecordEx trayEx = {"Tray 2"};
    PMBinRecord full = {"Finisher Tray", 0x1}, unnamed = {nullptr, A};
    PMOptionRecord option = {5}, silent = {A};
    uint32_t five = 5, f2008 = 2008;
    PMPackageRecord active = {"604271958-X", "text", 1}, idle = {"604271958", nullptr, A};
    PMPackageRecord *funcs[2] = {&active, &idle}, *sales[1] = {&active};
    PMPackageBlock packages = {1, sales, 2, funcs};
    List trays{&tray}, traysEx{&trayEx}, bins{&full, &unnamed}, options{&option, &silent}, functions{&five, &f2008};
    PMInfoConfig block = {&model, &trays.list, &bins.list, {}, &options.list, &functions.list, {}, &traysEx.list,
                          &packages};
};

TEST(PMInfo, ConfigBlockModelBinsOptionsFunctionsPackages) {
    ConfigBlock host;
    const PMInfoConfig &block = host.block;
    const KeyCodeRow optionRows[] = {{5, 77}, {kEndKey, 0}};
    const NameCodeRow models[] = {{"M9", 0x107}, {nullptr, 255}};
    ModuleConfig config = ShippedConfig();
    config.convert.deviceOptionTable = optionRows;
    config.convert.modelNameTable = models;
    ScopedConfig scoped(config);
    HostRecord record;
    SetString(record.get(), keys::kDescription, "old");
    ASSERT_EQ(Convert(0x8000, &block, 0x1CC7, record.get()), 0u);
    EXPECT_EQ(record->dwTrayInfoCount, 2u);
    EXPECT_EQ(std::string(record->pModelName) + record->pSYSVersion + record->pMakerName, "M91.0Maker");
    EXPECT_EQ(record->pDescription, nullptr);
    EXPECT_EQ(record->bModelCode, 7);
    EXPECT_EQ(record->dwMemoryKB, 1023u);
    ASSERT_EQ(record->dwOutBinInfoCount, 2u);
    OutBinInfo *full = record->pOutBinInfo, *unnamed = reinterpret_cast<OutBinInfo *>(full->header.next);
    EXPECT_EQ(full->wBin * 10000 + full->wState * 1000 + unnamed->wBin * 10 + unnamed->wState, 42000 + 2550);
    EXPECT_EQ(record->dwBinValue, 255u);
    std::vector<uint16_t> devices;
    for (DeviceInfo *d : Items(record->pDeviceInfo)) devices.push_back(d->wDevice);
    EXPECT_EQ(devices, (std::vector<uint16_t>{77, 0, 500})) << "options, then the active function package";
    EXPECT_EQ(record->dwFuncInfoCount, 2u);
    EXPECT_EQ(record->bFunc2008, 1);
    auto pkgs = Items(record->pFuncpkgInfo);
    ASSERT_EQ(pkgs.size(), 2u);
    EXPECT_EQ(std::string(pkgs[0]->szName) + pkgs[0]->szText + pkgs[1]->szName, "604271958-Xtext604271958");
    EXPECT_EQ(pkgs[0]->dwState, 1u);
    EXPECT_EQ(pkgs[1]->dwState, 0xFFFFFFFFu) << "an unreported state is copied as given, and is not active";
    EXPECT_EQ(record->dwSalespkgInfoCount, 1u);
}

TEST(PMInfo, AbsentPartsAreNeverFollowed) {
    // An unusable list is skipped and leaves its record list alone; the mask
    // alone clears the tray list, and asks for the "none" engine status.
    PMList absentCount = {A, nullptr}, nullItems = {2, nullptr}, absentItems = {2, Absent<void *>()};
    for (PMList *list : {static_cast<PMList *>(nullptr), Absent<PMList>(), &absentCount, &nullItems, &absentItems}) {
        HostRecord record;
        const char *kept[] = {keys::kLoadedEmul, keys::kLoadedFont, keys::kOutBinInfo, keys::kDeviceInfo,
                              keys::kFuncInfo,   keys::kFuncpkgInfo, keys::kTrayInfo};
        for (const char *key : kept) AddItem(record.get(), key, AllocateListItem(key));
        PMInfoStatus status = {Absent<PMStatusWord>(), list, list, {}, list, {}, Absent<PMCopyGuardRecord>()};
        PMInfoConfig config = {Absent<PMModelRecord>(), list, list, {}, list, list, {}, list, Absent<PMPackageBlock>()};
        ASSERT_EQ(Convert(1, &status, 0x40F, record.get()), 0u);
        ASSERT_EQ(Convert(0x8000, &config, 0x1CC7, record.get()), 0u);
        ASSERT_EQ(record->dwEngineStatusCount, 1u);
        EXPECT_EQ(record->pEngineStatus->dwStatus, 10001u);
        for (const char *key : kept) EXPECT_EQ(ListHead(record.get(), key) != nullptr, key != keys::kTrayInfo) << key;
    }
    // Records whose own fields are unreported leave the record's fields alone.
    {
        HostRecord record;
        SetString(record.get(), keys::kModelName, "kept");
        record->dwMemoryKB = 7;
        PMModelRecord model = {Absent<char>(), Absent<char>(), A, 0, nullptr};
        PMEmulationRecord emulation = {0, Absent<char>(), nullptr};
        PMFontRecord font = {Absent<char>()};
        uint32_t unreported = A;
        List emulations{&emulation}, fonts{&font}, functions{&unreported};
        PMInfoStatus status = {nullptr, &fonts.list, &emulations.list, {}, nullptr, {}, nullptr};
        PMInfoConfig config = {&model, nullptr, nullptr, {}, nullptr, &functions.list, {}, nullptr, nullptr};
        ASSERT_EQ(Convert(1, &status, 0x0C, record.get()), 0u);
        ASSERT_EQ(Convert(0x8000, &config, 0x81, record.get()), 0u);
        EXPECT_STREQ(record->pModelName, "kept");
        EXPECT_EQ(record->pSYSVersion, nullptr);
        EXPECT_EQ(record->dwMemoryKB, 7u);
        EXPECT_EQ(record->pLoadedEmul->wEmulation + record->pLoadedFont->wFont, 0);
        EXPECT_STREQ(record->pLoadedEmul->szVersion, "");
        EXPECT_EQ(record->pFuncInfo->dwFunction, 0xFFFFFFFFu) << "an unreported code is copied as given";
    }
    // Holes in a list give no item, except in a package array (an empty
    // item); the function list ends at its first. A package array without a
    // true count or a usable pointer is empty.
    PMTrayRecord tray = {"Tray 1"};
    PMBinRecord bin = {"Left Tray", 0};
    uint32_t code = 2008;
    PMPackageRecord pkg = {"604271958", "t", 1}, *holes[] = {nullptr, &pkg, Absent<PMPackageRecord>()};
    List trays{nullptr, &tray, Absent(), &tray}, bins{Absent(), &bin}, functions{&code, nullptr, &code};
    struct {
        PMPackageBlock packages;
        uint32_t items, devices;
    } cases[] = {{{3, holes, 3, holes}, 3, 1},
                 {{A, holes, A, holes}, 0, 0},
                 {{2, nullptr, 2, nullptr}, 0, 0},
                 {{2, Absent<PMPackageRecord *>(), 2, Absent<PMPackageRecord *>()}, 0, 0}};
    for (auto &c : cases) {
        HostRecord record;
        AddItem(record.get(), keys::kFuncpkgInfo, AllocateListItem(keys::kFuncpkgInfo));
        PMInfoConfig block = {nullptr, &trays.list, &bins.list, {}, nullptr, &functions.list, {}, &trays.list, &c.packages};
        ASSERT_EQ(Convert(0x8000, &block, 0x1C86, record.get()), 0u);
        EXPECT_EQ(record->dwTrayInfoCount * 100 + record->dwOutBinInfoCount * 10 + record->dwFuncInfoCount, 411u);
        EXPECT_EQ(record->dwFuncpkgInfoCount + record->dwSalespkgInfoCount, 2 * c.items);
        EXPECT_EQ(record->dwDeviceInfoCount, c.devices);
        if (c.items == 3) EXPECT_STREQ(record->pFuncpkgInfo->szName, "");
    }
}

// Items and strings the record holds.
uint32_t Held(PrnInfoEx *record) {
    uint32_t held = 0;
    ListRef list;
    for (uint32_t i = 0; i < ListKeyCount(); ++i) held += LocateList(record, ListKeyName(i), &list) ? *list.countField : 0;
    for (uint32_t i = 0; i < StringKeyCount(); ++i) held += *StringField(record, StringKeyName(i)) != nullptr;
    return held;
}

TEST(PMInfo, RunningOutOfMemoryAnywhereStopsWithNoMemory) {
    StatusBlock status;
    ConfigBlock config;
    // held[n - 1]: what the record holds when the n-th allocation fails. An
    // emulation whose version cannot be stored goes with it, and so does a
    // package whose device cannot be added; losing the system version or the
    // maker (allocations 2 and 3 of the configuration block) is no error.
    struct {
        uint32_t deviceClass;
        const void *block;
        uint32_t mask, ignored;
        std::vector<uint32_t> held;
    } runs[] = {{1, &status.block, 0x40F, 0, {0, 0, 2, 2, 4, 5, 6, 7}},
                {0x8000, &config.block, 0x1CC7, 1u << 2 | 1u << 3, {0, 14, 14, 3, 4, 5, 6, 7, 8, 9, 10, 11, 11, 13, 14}}};
    for (auto &run : runs) {
        for (uint32_t n = 0; n <= run.held.size(); ++n) {
            SCOPED_TRACE(testing::Message() << run.deviceClass << " allocation " << n);
            HostRecord record;
            portable::HeapFailNthAllocation(n == 0 ? 0xFFFFFFFF : n);
            uint32_t error = Convert(run.deviceClass, run.block, run.mask, record.get());
            uint32_t allocations = portable::HeapAllocationsSinceArmed();
            portable::HeapFailNthAllocation(0);
            if (n == 0) EXPECT_EQ(allocations, run.held.size());
            EXPECT_EQ(error, n == 0 || (run.ignored >> n & 1) != 0 ? 0u : PAT_ERROR_NOT_ENOUGH_MEMORY);
            EXPECT_EQ(Held(record.get()), n == 0 ? run.held.size() : run.held[n - 1]);
        }
    }
}

}  // namespace
}  // namespace pat::test
