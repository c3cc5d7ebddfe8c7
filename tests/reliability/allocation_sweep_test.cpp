// Every allocation of every export fails once in turn, over realistic inputs:
// each run ends in success or the documented failure, leaves the record
// consistent, and nothing stays allocated once the host has freed what it
// holds. Exports that allocate nothing are swept too, to show it.
#include <gtest/gtest.h>

#include <vector>

#include "core/record.h"
#include "platform/portable/test_hooks.h"
#include "support/allocation_sweep.h"
#include "support/host.h"
#include "support/host_inputs.h"
#include "text/current_language.h"
#include "text/status_text.h"
#include "text/text_test_config.h"

namespace pat::test {
namespace {

constexpr uint32_t kNoMemory = 8;
constexpr uint32_t kNotFound = PAT_ERROR_NOT_FOUND;

// The last error of an export that just returned ok (or a pointer).
uint32_t Result(bool ok) {
    uint32_t error = GetLastError();
    EXPECT_EQ(ok, error == 0);
    return error;
}

// The status-text configuration with rows, in English, for one run.
struct TextSetting {
    TextSetting() { CurrentLangId.store(kEnglish); }
    ScopedConfig config{TextTestConfig()};
    TextResources resources;
};

// A status tree over one record: the base record and the reported one.
DataNode *StatusTree(const PrnInfoEx *record) {
    DataNode *root = CreateNode(nullptr, kStatusRootTag, nullptr, 0);
    CreateNode(root, kBaseRecordTag, &record, sizeof record);
    CreateNode(root, kStatusRecordTag, &record, sizeof record);
    return root;
}

// A poll through the exports; with `again`, into a record that already holds
// the previous poll's answers, which the new ones replace.
uint32_t Poll(FailurePoint &at, bool again) {
    HostRecord record;
    ListEightTrays(record.get());
    HostTree tree(BuildCentroData(record.get(), PollAnswer(1), PollDeviceId()));
    if (again) PatSetCentroDataTo(tree.get(), 0, record.get(), 2);
    at.Arm();
    int ok = PatSetCentroDataTo(tree.get(), 0, record.get(), 2);
    at.Disarm();
    return Result(ok);
}

uint32_t ConvertPMInfo(FailurePoint &at, uint32_t deviceClass, const void *block, uint32_t mask) {
    HostRecord record;
    at.Arm();
    int ok = PatPMInfoToPrnInfoEx(deviceClass, block, deviceClass == 1 ? 'd' : 'h', mask, record.get());
    at.Disarm();
    return Result(ok);
}

uint32_t DeviceName(FailurePoint &at, uint32_t kind, const void *source, uint32_t revision) {
    TextSetting text;
    char name[256];
    uint32_t length = sizeof name;
    at.Arm();
    int ok = PatGetDeviceName(kind, source, revision, name, &length);
    at.Disarm();
    return Result(ok);
}

// A bitmap set as a configuration with images would hand it out: the block,
// its array of two single bitmaps and their data, all global-heap blocks.
BitmapInfo *BitmapSet() {
    auto *set = static_cast<BitmapInfo *>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, sizeof(BitmapInfo)));
    auto *entries = static_cast<BitmapInfo *>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, 2 * sizeof(BitmapInfo)));
    set->bMarker = PAT_BITMAP_SET;
    set->dwCount = 2;
    set->pData = entries;
    for (int i = 0; i < 2; ++i) {
        entries[i].bMarker = PAT_BITMAP_SINGLE;
        entries[i].pData = GlobalAlloc(GMEM_FIXED, 64);
    }
    return set;
}

struct Sweep {
    const char *exportName;
    std::set<uint32_t> documented;
    bool allocates;
    SweepScenario scenario;
};

TEST(AllocationSweep, EveryExportUnderEveryAllocationFailure) {
    const PMConfigBlock config(64);
    const PMStatusBlock status;
    const uint32_t deviceKey = 7;
    static const uint8_t kBitmap[40] = {40};
    const PatPaletteEntry palette[] = {{1, 2, 3, 0}, {4, 5, 6, 0}, {0, 0, 0, 0xFF}};
    const Sweep sweeps[] = {
        {"PatCreateQueryInfo", {kNoMemory}, true,
         [](FailurePoint &at) {
             HostRecord record;
             ListEightTrays(record.get());
             at.Arm();
             HostTree request(PatCreateQueryInfo(record.get(), 2, kEveryCategory));
             at.Disarm();
             return Result(request.get() != nullptr);
         }},
        {"PatCreateEmulUniqQueryInfo", {kNoMemory}, true,
         [](FailurePoint &at) {
             int context = 0;
             at.Arm();
             HostTree request(PatCreateEmulUniqQueryInfo(&context, 2, PAT_EMUL_QUERY_KIND, 0));
             at.Disarm();
             return Result(request.get() != nullptr);
         }},
        // Reply parsing is lenient: only the device ID parser's 8 is reported.
        {"PatSetCentroDataTo", {kNoMemory}, true, [](FailurePoint &at) { return Poll(at, false); }},
        {"PatSetCentroDataTo (again)", {kNoMemory}, true, [](FailurePoint &at) { return Poll(at, true); }},
        {"PatPMInfoToPrnInfoEx ('d')", {kNoMemory}, true,
         [&](FailurePoint &at) { return ConvertPMInfo(at, 1, status.get(), 0x40F); }},
        {"PatPMInfoToPrnInfoEx ('h')", {kNoMemory}, true,
         [&](FailurePoint &at) { return ConvertPMInfo(at, 0x8000, config.get(), 0x1CC7); }},
        {"PatPrnInfoExToPrnInfo", {}, false,
         [&](FailurePoint &at) {
             HostRecord record;
             PatPMInfoToPrnInfoEx(0x8000, config.get(), 'h', 0x1CC7, record.get());
             PatPMInfoToPrnInfoEx(1, status.get(), 'd', 0x40F, record.get());
             PrnInfo flat;
             at.Arm();
             int ok = PatPrnInfoExToPrnInfo(record.get(), &flat, kEveryCategory);
             at.Disarm();
             return Result(ok);
         }},
        // A failing slot only drops its text; collection failures are 8.
        {"PatGetStatusString", {kNoMemory, kNotFound}, true,
         [](FailurePoint &at) {
             TextSetting setting;
             HostRecord record;
             AddEngineStatus(record.get(), 303);
             record->bStatusBit27 = 1;
             HostTree tree(StatusTree(record.get()));
             char text[512];
             uint32_t length = sizeof text;
             at.Arm();
             int ok = PatGetStatusString(1, tree.get(), 3, 0, text, &length);
             at.Disarm();
             return Result(ok);
         }},
        {"PatGetDeviceName (tray)", {kNotFound}, true,
         [](FailurePoint &at) { return DeviceName(at, 1, "Tray 1", 0x97); }},
        {"PatGetDeviceName (key)", {kNotFound}, true,
         [&](FailurePoint &at) { return DeviceName(at, 3, &deviceKey, 0x96); }},
        {"PatGetStatusHelpFileName", {kNoMemory}, true,
         [](FailurePoint &at) {
             TextSetting setting;
             HostRecord record;
             AddEngineStatus(record.get(), 301);
             AddEngineStatus(record.get(), 302);
             char text[512];
             uint32_t length = sizeof text;
             at.Arm();
             int ok = PatGetStatusHelpFileName(1, record.get(), 0, text, &length);
             at.Disarm();
             return Result(ok);
         }},
        {"PatGetDllVersion", {kNoMemory}, true,
         [](FailurePoint &at) {
             DllVersion version = {sizeof version};
             at.Arm();
             int ok = PatGetDllVersion(&version);
             at.Disarm();
             return Result(ok);
         }},
        {"PatCreateBitmapInfo", {}, false,
         [](FailurePoint &at) {
             at.Arm();
             void *info = PatCreateBitmapInfo(1, 2, 3);
             at.Disarm();
             EXPECT_EQ(info, nullptr);
             return 0u;
         }},
        // The host's set is freed whole by the call: the live count says so.
        {"PatDisposeBitmapInfo", {}, false,
         [](FailurePoint &at) {
             BitmapInfo *set = BitmapSet();
             at.Arm();
             int ok = PatDisposeBitmapInfo(set);
             at.Disarm();
             return Result(ok);
         }},
        {"PatLoadBitmap", {}, false,
         [](FailurePoint &at) {
             portable::RegisterResource(RT_BITMAP, "LOGO", 0, kBitmap, sizeof kBitmap);
             at.Arm();
             void *bitmap = PatLoadBitmap("LOGO");
             at.Disarm();
             portable::ClearResources();
             return Result(bitmap != nullptr);
         }},
        {"PatLoadDIBitmap", {}, false,
         [](FailurePoint &at) {
             portable::RegisterResource(RT_BITMAP, "LOGO", 0, kBitmap, sizeof kBitmap);
             at.Arm();
             void *bitmap = PatLoadDIBitmap("LOGO");
             at.Disarm();
             portable::ClearResources();
             return Result(bitmap != nullptr);
         }},
        {"PatGetPalette", {}, false,
         [&](FailurePoint &at) {
             ModuleConfig withPalette = ShippedConfig();
             withPalette.paletteTable = palette;
             ScopedConfig scoped(withPalette);
             uint32_t out[3], length = sizeof out;
             at.Arm();
             int ok = PatGetPalette(reinterpret_cast<PatPalette *>(out), &length);
             at.Disarm();
             return Result(ok);
         }},
        {"PatGetPeripheralProfile", {}, false,
         [](FailurePoint &at) {
             PeripheralProfile profile;
             uint32_t length = sizeof profile;
             at.Arm();
             int ok = PatGetPeripheralProfile(1, &profile, &length);
             at.Disarm();
             return Result(ok);
         }},
        {"PatSetLocale", {}, false,
         [](FailurePoint &at) {
             TextSetting setting;
             at.Arm();
             int ok = PatSetLocale("japanese");
             at.Disarm();
             return Result(ok);
         }},
    };
    for (const Sweep &sweep : sweeps) {
        SweepOutcome outcome = SweepAllocationFailures(sweep.exportName, sweep.documented, sweep.scenario);
        EXPECT_EQ(outcome.failurePoints > 0, sweep.allocates) << sweep.exportName;
    }
}

}  // namespace
}  // namespace pat::test
