// The export frames: argument checks in their order, the last-error
// convention, and the outcomes of the shipped configuration.
#include <gtest/gtest.h>

#include <functional>

#include "platform/portable/test_hooks.h"
#include "support/host.h"

namespace pat::test {
namespace {

struct FrameCase {
    const char *name;
    std::function<int()> call;  // 1 for success or a non-null result
    uint32_t lastError;
};

TEST(Frames, ArgumentChecksAndShippedOutcomes) {
    HostRecord record;
    PrnInfoEx *recordPointer = record.get();
    HostTree status(CreateNode(nullptr, 10, nullptr, 0));
    CreateNode(status.get(), 2, &recordPointer, 4);
    CreateNode(status.get(), 1, &recordPointer, 4);
    const uint32_t deviceKey = 7;
    HostTree centro(CreateNode(nullptr, 2, nullptr, 0));
    HostTree wrongRoot(CreateNode(nullptr, 1, nullptr, 0));
    HostTree tree(CreateNode(nullptr, 1, nullptr, 0));
    PrnInfo flat;
    char text[16];
    uint32_t length = sizeof text;
    int pm = 0;
    PrnInfoEx small = {};
    small.dwSize = PAT_PRNINFOEX_MIN_SIZE - 1;
    const FrameCase cases[] = {
        {"status string: null tree", [&] { return PatGetStatusString(1, nullptr, 3, 0, text, &length); }, PAT_ERROR_INVALID_PARAMETER},
        {"status string: null length", [&] { return PatGetStatusString(1, tree.get(), 3, 0, text, nullptr); }, PAT_ERROR_INVALID_PARAMETER},
        {"status string: revision", [&] { return PatGetStatusString(1, tree.get(), 2, 0, text, &length); }, PAT_ERROR_INVALID_PARAMETER},
        {"status string: class", [&] { return PatGetStatusString(2, tree.get(), 3, 0, text, &length); }, PAT_ERROR_INVALID_PARAMETER},
        {"device name: null length", [&] { return PatGetDeviceName(1, &pm, 0x97, text, nullptr); }, PAT_ERROR_INVALID_PARAMETER},
        {"PMInfo: null block", [&] { return PatPMInfoToPrnInfoEx(1, nullptr, 'd', 0, record.get()); }, PAT_ERROR_INVALID_PARAMETER},
        {"PMInfo: null record", [&] { return PatPMInfoToPrnInfoEx(1, &pm, 'd', 0, nullptr); }, PAT_ERROR_INVALID_PARAMETER},
        {"PrnInfo: null record", [&] { return PatPrnInfoExToPrnInfo(nullptr, &flat, 0); }, PAT_ERROR_INVALID_PARAMETER},
        {"PMInfo: class", [&] { return PatPMInfoToPrnInfoEx(0x8001, &pm, 'h', 0, record.get()); }, PAT_ERROR_INVALID_PARAMETER},
        {"PMInfo: revision", [&] { return PatPMInfoToPrnInfoEx(0x8000, &pm, 'd', 0, record.get()); }, PAT_ERROR_INVALID_PARAMETER},
        {"PMInfo: record size", [&] { return PatPMInfoToPrnInfoEx(1, &pm, 'd', 0, &small); }, PAT_ERROR_INVALID_PARAMETER},
        {"PrnInfo: null output", [&] { return PatPrnInfoExToPrnInfo(record.get(), nullptr, 0); }, PAT_ERROR_INVALID_PARAMETER},
        {"PrnInfo: record size", [&] { return PatPrnInfoExToPrnInfo(&small, &flat, 0); }, PAT_ERROR_INVALID_PARAMETER},
        {"centro: null root", [&] { return PatSetCentroDataTo(nullptr, 0, record.get(), 2); }, PAT_ERROR_INVALID_PARAMETER},
        {"centro: null record", [&] { return PatSetCentroDataTo(centro.get(), 0, nullptr, 2); }, PAT_ERROR_INVALID_PARAMETER},
        {"centro: revision", [&] { return PatSetCentroDataTo(centro.get(), 0, record.get(), 3); }, PAT_ERROR_INVALID_PARAMETER},
        {"centro: root tag 1", [&] { return PatSetCentroDataTo(wrongRoot.get(), 0xDEAD, record.get(), 2); }, PAT_ERROR_INVALID_PARAMETER},
        {"locale: null name", [&] { return PatSetLocale(nullptr); }, PAT_ERROR_INVALID_PARAMETER},
        {"help file: null length", [&] { return PatGetStatusHelpFileName(1, record.get(), 0, text, nullptr); }, PAT_ERROR_INVALID_PARAMETER},
        {"help file: class", [&] { return PatGetStatusHelpFileName(0x8001, record.get(), 0, text, &length); }, PAT_ERROR_INVALID_PARAMETER},
        {"load bitmap: null name", [&] { return PatLoadBitmap(nullptr) != nullptr; }, PAT_ERROR_INVALID_PARAMETER},
        {"load DIB: null name", [&] { return PatLoadDIBitmap(nullptr) != nullptr; }, PAT_ERROR_INVALID_PARAMETER},
        {"dispose: null block", [&] { return PatDisposeBitmapInfo(nullptr); }, PAT_ERROR_INVALID_PARAMETER},
        {"status string: root tag 1", [&] { return PatGetStatusString(1, tree.get(), 3, 0, text, &length); }, PAT_ERROR_INVALID_PARAMETER},
        {"help file: null record", [&] { return PatGetStatusHelpFileName(1, nullptr, 0, text, &length); }, PAT_ERROR_INVALID_PARAMETER},
        // What the shipped tables give once the arguments pass: no device
        // class has priorities, no name has a string, no locale is known.
        {"status string: shipped",
         [&] { return PatGetStatusString(0x10001, status.get(), 0x103, 0, text, &length); }, PAT_ERROR_NOT_ENOUGH_MEMORY},
        {"device name: tray", [&] { return PatGetDeviceName(1, "Tray 1", 0x97, text, &length); }, PAT_ERROR_INVALID_PARAMETER},
        {"device name: bin", [&] { return PatGetDeviceName(2, "Finisher Shift Tray", 0x197, text, &length); }, PAT_ERROR_INVALID_PARAMETER},
        {"device name: key", [&] { return PatGetDeviceName(3, &deviceKey, 0x96, text, &length); }, PAT_ERROR_NOT_FOUND},
        {"device name: kind 0", [&] { return PatGetDeviceName(0, "Tray 1", 0x97, text, &length); }, PAT_ERROR_INVALID_PARAMETER},
        {"device name: kind 4", [&] { return PatGetDeviceName(4, &deviceKey, 0x96, text, &length); }, PAT_ERROR_INVALID_PARAMETER},
        {"device name: kind 1 | bit 16", [&] { return PatGetDeviceName(0x10001, "Tray 1", 0x97, text, &length); }, PAT_ERROR_INVALID_PARAMETER},
        {"device name: tray with 0x96", [&] { return PatGetDeviceName(1, "Tray 1", 0x96, text, &length); }, PAT_ERROR_INVALID_PARAMETER},
        {"device name: key with 0x97", [&] { return PatGetDeviceName(3, &deviceKey, 0x97, text, &length); }, PAT_ERROR_INVALID_PARAMETER},
        {"device name: null key", [&] { return PatGetDeviceName(3, nullptr, 0x96, text, &length); }, PAT_ERROR_INVALID_PARAMETER},
        {"locale: shipped", [&] { return PatSetLocale("en-US"); }, PAT_ERROR_LOCALE_NOT_FOUND},
        {"locale: empty", [&] { return PatSetLocale(""); }, PAT_ERROR_LOCALE_NOT_FOUND},
        {"help file: shipped",
         [&] { return PatGetStatusHelpFileName(0x8000, record.get(), 0, text, &length); }, PAT_ERROR_NOT_FOUND},
    };
    for (const FrameCase &c : cases) {
        SCOPED_TRACE(c.name);
        SetLastError(0xBADF00D);
        length = sizeof text;
        EXPECT_EQ(c.call(), 0);
        EXPECT_EQ(GetLastError(), c.lastError);
        EXPECT_EQ(length, sizeof text) << "a failing composition must leave the length as passed";
    }
}

TEST(Frames, CreateBitmapInfoReturnsNullAndLeavesTheLastError) {
    SetLastError(5);
    EXPECT_EQ(PatCreateBitmapInfo(1, 2, 3), nullptr);
    EXPECT_EQ(GetLastError(), 5u);
}

TEST(PeripheralProfile, WordsDependOnTheDeviceClassOnlyAtOffset12) {
    struct Case {
        uint32_t deviceClass;
        uint32_t word12;
    } cases[] = {{1, 2}, {0x8000, 0}, {0x00018000, 0}, {0xFFFF0001, 2}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.deviceClass);
        PeripheralProfile profile;
        memset(&profile, 0xAA, sizeof profile);
        uint32_t length = 20;
        ASSERT_EQ(PatGetPeripheralProfile(c.deviceClass, &profile, &length), 1);
        EXPECT_EQ(GetLastError(), 0u);
        EXPECT_EQ(length, 20u);
        const uint32_t expected[5] = {0x00020000, 3, 0, c.word12, 0};
        EXPECT_EQ(memcmp(profile.dwWord, expected, sizeof expected), 0);
    }
}

TEST(PeripheralProfile, FailuresReportTheNeededLengthAndWriteNoBlock) {
    PeripheralProfile profile, untouched;
    memset(&profile, 0xEE, sizeof profile);
    memcpy(&untouched, &profile, sizeof profile);
    uint32_t length = 100;
    EXPECT_EQ(PatGetPeripheralProfile(1, &profile, nullptr), 0);
    EXPECT_EQ(GetLastError(), PAT_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(PatGetPeripheralProfile(2, &profile, &length), 0);
    EXPECT_EQ(GetLastError(), PAT_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(length, 20u);
    length = 19;
    EXPECT_EQ(PatGetPeripheralProfile(1, &profile, &length), 0);
    EXPECT_EQ(GetLastError(), PAT_ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(length, 20u);
    EXPECT_EQ(memcmp(&profile, &untouched, sizeof profile), 0);
    length = 20;  // enough room, but nowhere to write it
    EXPECT_EQ(PatGetPeripheralProfile(1, nullptr, &length), 0);
    EXPECT_EQ(GetLastError(), PAT_ERROR_INSUFFICIENT_BUFFER);
}

TEST(Palette, TheShippedPaletteIsEmpty) {
    uint32_t length = 0;
    EXPECT_EQ(PatGetPalette(nullptr, &length), 0);
    EXPECT_EQ(GetLastError(), PAT_ERROR_NO_PALETTE);
    EXPECT_EQ(PatGetPalette(nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), PAT_ERROR_INVALID_PARAMETER);
    length = 8;
    EXPECT_EQ(PatGetPalette(nullptr, &length), 0);
    EXPECT_EQ(GetLastError(), PAT_ERROR_INVALID_PARAMETER);
}

TEST(Palette, AConfiguredPaletteIsSizedThenCopied) {
    const PatPaletteEntry entries[] = {{1, 2, 3, 0}, {4, 5, 6, 1}, {0, 0, 0, 0xFF}};
    ModuleConfig config = ShippedConfig();
    config.paletteTable = entries;
    ScopedConfig scoped(config);
    uint32_t length = 0;
    EXPECT_EQ(PatGetPalette(nullptr, &length), 0);
    EXPECT_EQ(GetLastError(), PAT_ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(length, 12u);
    uint8_t out[16];
    memset(out, 0xEE, sizeof out);
    ASSERT_EQ(PatGetPalette(reinterpret_cast<PatPalette *>(out), &length), 1);
    EXPECT_EQ(length, 12u);
    const uint8_t expected[16] = {0x00, 0x03, 2, 0, 1, 2, 3, 0, 4, 5, 6, 1, 0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(memcmp(out, expected, 16), 0);
}

BitmapInfo *NewBitmapInfo(uint8_t marker, uint32_t count, void *data) {
    BitmapInfo *info = static_cast<BitmapInfo *>(GlobalAlloc(GPTR, sizeof(BitmapInfo)));
    info->bMarker = marker;
    info->dwCount = count;
    info->pData = data;
    return info;
}

TEST(BitmapInfoRelease, FreesTheBlocksOfSinglesAndSets) {
    uint32_t before = portable::HeapLiveBlocks();
    EXPECT_EQ(PatDisposeBitmapInfo(NewBitmapInfo(0xC8, 0, nullptr)), 1);
    EXPECT_EQ(PatDisposeBitmapInfo(NewBitmapInfo(0xC8, 0, GlobalAlloc(GPTR, 40))), 1);
    EXPECT_EQ(PatDisposeBitmapInfo(NewBitmapInfo(0xC9, 0, GlobalAlloc(GPTR, 16))), 1);
    BitmapInfo *entries = static_cast<BitmapInfo *>(GlobalAlloc(GPTR, 2 * sizeof(BitmapInfo)));
    entries[0].bMarker = entries[1].bMarker = 0xC8;
    entries[0].pData = GlobalAlloc(GPTR, 8);
    EXPECT_EQ(PatDisposeBitmapInfo(NewBitmapInfo(0xC9, 2, entries)), 1);
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_EQ(portable::HeapLiveBlocks(), before);
}

TEST(BitmapInfoRelease, ASetWithABadEntryIsRefusedWhole) {
    BitmapInfo wrong = {};
    wrong.bMarker = 0x12;
    EXPECT_EQ(PatDisposeBitmapInfo(&wrong), 0);
    EXPECT_EQ(GetLastError(), PAT_ERROR_INVALID_PARAMETER);

    for (uint32_t bad : {1u, 2u}) {  // in the middle, last
        SCOPED_TRACE(bad);
        BitmapInfo *entries = static_cast<BitmapInfo *>(GlobalAlloc(GPTR, 3 * sizeof(BitmapInfo)));
        for (uint32_t i = 0; i < 3; ++i) {
            entries[i].bMarker = i == bad ? 0x01 : 0xC8;
            entries[i].pData = GlobalAlloc(GPTR, 8);
        }
        BitmapInfo *set = NewBitmapInfo(0xC9, 3, entries);
        uint32_t before = portable::HeapLiveBlocks();
        EXPECT_EQ(PatDisposeBitmapInfo(set), 0);
        EXPECT_EQ(GetLastError(), PAT_ERROR_INVALID_PARAMETER);
        EXPECT_EQ(portable::HeapLiveBlocks(), before);  // nothing freed
        entries[bad].bMarker = 0xC8;
        EXPECT_EQ(PatDisposeBitmapInfo(set), 1);  // the host's next release frees each block once
    }
}

TEST(Bitmaps, NoBitmapShipsAndRegisteredOnesLoad) {
    SetLastError(0);
    EXPECT_EQ(PatLoadBitmap("LOGO"), nullptr);
    EXPECT_EQ(GetLastError(), 1813u);  // the loader's own error stands
    EXPECT_EQ(PatLoadDIBitmap("LOGO"), nullptr);
    EXPECT_EQ(GetLastError(), 1813u);

    static const uint8_t dib[] = {40, 0, 0, 0, 1, 0, 0, 0};
    portable::RegisterResource(MAKEINTRESOURCEA(2), "LOGO", 0, dib, sizeof dib);
    EXPECT_EQ(PatLoadDIBitmap("logo"), dib);  // resource names ignore case
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_EQ(PatLoadBitmap("LOGO"), dib);
    EXPECT_EQ(PatLoadDIBitmap("OTHER"), nullptr);
    EXPECT_EQ(GetLastError(), 1814u);
    portable::ClearResources();
}

}  // namespace
}  // namespace pat::test
