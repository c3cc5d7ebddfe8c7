// The name, key and mask lookups over the shipped code tables, and the same
// code running against tables of another configuration.
#include <gtest/gtest.h>

#include "convert/code_lookups.h"
#include "api/module_config.h"
#include "api/module_config.h"
#include "support/host.h"

namespace pat {
namespace {

struct NameCase {
    const char *name;
    uint32_t code;
};

TEST(CodeLookups, TrayNames) {
    const NameCase cases[] = {
        {"Tray 3", 5},           {"Tray 3 -Small Paper", 5}, {"Interposer Tray", 101},
        {"Interposer Upper Tray", 101}, {"Interposer Lower Tray", 102}, {"Bypass Tray", 1},
        {"Tray 3 (LCT)", 13},    {"LCT", 11},                {"Tray 7 -Small Paper", 9},
        {"tray 3", 0},           {"Tray 8", 0},              {"", 0},
    };
    for (const NameCase &c : cases) {
        const NamedDeviceRow *row = FindNamedDevice(c.name, Config().convert.trayNameTable);
        EXPECT_EQ(row->code, c.code) << '"' << c.name << '"';
        EXPECT_EQ(row->stringId, 0u);
    }
}

TEST(CodeLookups, BinNames) {
    const NameCase cases[] = {
        {"Finisher Booklet Tray", 27}, {"Standard Tray", 1}, {"Internal Tray 2", 2},
        {"Finisher Shift Tray 1", 5},  {"Finisher Shift Tray", 4}, {"Mailbox Tray 9", 15},
        {"Left Tray", 34},             {"Finisher Tray ", 255},     {"Nowhere", 255},
    };
    for (const NameCase &c : cases)
        EXPECT_EQ(FindNamedDevice(c.name, Config().convert.binNameTable)->code, c.code) << '"' << c.name << '"';
}

TEST(CodeLookups, UnlistedOrMissingNameEndsOnTheTerminator) {
    const NamedDeviceRow *row = FindNamedDevice("Nowhere", Config().convert.binNameTable);
    EXPECT_EQ(row->name, nullptr);
    EXPECT_EQ(row->code, 255u);
    EXPECT_EQ(FindNamedDevice(nullptr, Config().convert.trayNameTable)->name, nullptr);
}

TEST(CodeLookups, EmulationNames) {
    const NameCase cases[] = {
        {"PCL XL Emulation", 17}, {"PCL 6 Emulation", 17}, {"PCL5c", 18},
        {"PCL 5c Emulation", 18}, {"VORD", 1},             {"Adobe PostScript 3", 2},
        {"ESC/P", 4},             {"pcl5c", 0},            {"PostScript", 0},
    };
    for (const NameCase &c : cases)
        EXPECT_EQ(NameToCode(c.name, Config().convert.emulationTable), static_cast<int32_t>(c.code)) << '"' << c.name << '"';
}

TEST(CodeLookups, EmptyShippedNameTablesYieldTheirTerminatorCodes) {
    EXPECT_EQ(NameToCode("Any Model", Config().convert.modelNameTable), 255);
    EXPECT_EQ(NameToCode("Plain", Config().convert.mediaNameTable), 0);
    EXPECT_EQ(NameToCode("Courier", Config().convert.fontNameTable), 0);
    EXPECT_EQ(KeyToCode(7, Config().convert.deviceOptionTable), 0u);
    EXPECT_EQ(NameToCode("CUSTOM", Config().reply.paperKeywordTable), 2);
    EXPECT_EQ(NameToCode("B5", Config().reply.paperKeywordTable), 0);
}

struct KeyCase {
    uint32_t key;
    uint32_t code;
};

TEST(CodeLookups, MediaWords) {
    const KeyCase cases[] = {
        {0x1, 1}, {0x400, 8}, {0x800, 3}, {0x20000, 4}, {0x400000, 25},
        {0x3, 0}, {0x800000, 0}, {0, 0}, {kEndKey, 0},
    };
    for (const KeyCase &c : cases)
        EXPECT_EQ(KeyToCode(c.key, Config().convert.mediaBitTable), c.code) << "word 0x" << std::hex << c.key;
}

TEST(CodeLookups, MediaMasks) {
    struct MaskCase {
        uint64_t mask;
        uint32_t code;
    };
    const MaskCase cases[] = {
        {1ull << 23, 1},  {1ull << 1, 26}, {1ull << 31, 52}, {1ull << 32, 53}, {1ull << 38, 59},
        {1ull << 25, 0},  {1ull << 0, 0},  {1ull << 39, 0},  {1ull << 63, 0},
        {(1ull << 1) | (1ull << 2), 0},     // two bits
        {(1ull << 33) | (1ull << 1), 0},    // a bit in each word
        {0, 0},           {0xFFFFFFFFull, 0},
    };
    for (const MaskCase &c : cases)
        EXPECT_EQ(MediaMaskToCode(c.mask, Config().convert.mediaMaskTable), c.code) << "mask 0x" << std::hex << c.mask;
}

TEST(CodeLookups, MaskSearchStopsAtTheFirstRowWithAnAllOnesLowWord) {
    const MediaMaskRow table[] = {{0, 0x1, 5}, {0, 0xFFFFFFFFu, 77}, {0, 0x2, 6}, {0xFFFFFFFFu, 0xFFFFFFFFu, 0}};
    EXPECT_EQ(MediaMaskToCode(0x1, table), 5u);
    EXPECT_EQ(MediaMaskToCode(0x2, table), 77u);
}

template <typename Row, typename IsEnd>
int RowCount(const Row *table, IsEnd isEnd) {
    int count = 0;
    while (!isEnd(table[count])) ++count;
    return count;
}

TEST(CodeTables, ShippedRowCounts) {
    const ModuleConfig &c = ShippedConfig();
    auto dimensionEnd = [](const auto &r) { return r.width == kAbsent && r.height == 0; };
    auto nameEnd = [](const auto &r) { return r.name == nullptr; };
    auto keyEnd = [](const KeyCodeRow &r) { return r.key == kEndKey; };
    EXPECT_EQ(RowCount(c.convert.paperSizeTable, dimensionEnd), 109);
    EXPECT_EQ(RowCount(c.convert.paperSizeAttrTable, dimensionEnd), 3);
    EXPECT_EQ(RowCount(c.reply.paperKeywordTable, nameEnd), 41);
    EXPECT_EQ(RowCount(c.convert.mediaBitTable, keyEnd), 23);
    EXPECT_EQ(RowCount(c.convert.mediaMaskTable, [](const MediaMaskRow &r) { return r.low == 0xFFFFFFFFu; }), 36);
    EXPECT_EQ(RowCount(c.convert.trayNameTable, nameEnd), 20);
    EXPECT_EQ(RowCount(c.convert.binNameTable, nameEnd), 27);
    EXPECT_EQ(RowCount(c.convert.emulationTable, nameEnd), 13);
    EXPECT_EQ(RowCount(c.convert.mediaNameTable, nameEnd), 0);
    EXPECT_EQ(RowCount(c.convert.modelNameTable, nameEnd), 0);
    EXPECT_EQ(RowCount(c.convert.fontNameTable, nameEnd), 0);
    EXPECT_EQ(RowCount(c.convert.deviceOptionTable, keyEnd), 0);
    EXPECT_EQ(RowCount(c.convert.funcpkgTable, [](const PackageRow &r) { return r.prefix == nullptr; }), 1);
    EXPECT_EQ(RowCount(c.convert.salespkgTable, [](const PackageRow &r) { return r.prefix == nullptr; }), 0);
    EXPECT_EQ(RowCount(c.convert.statusBitTable, [](const StatusBitRow &r) { return r.group == 0xFFFFFFFFu; }), 0);
    // The roll rows are the last twenty.
    for (int i = 0; i < 109; ++i) EXPECT_EQ(c.convert.paperSizeTable[i].width == kAbsent, i >= 89) << "row " << i + 1;
}

TEST(CodeTables, EveryMediaKeyHasExactlyOneBit) {
    for (const KeyCodeRow *r = ShippedConfig().convert.mediaBitTable; r->key != kEndKey; ++r)
        EXPECT_EQ(__builtin_popcount(r->key), 1) << "word 0x" << std::hex << r->key;
    for (const MediaMaskRow *r = ShippedConfig().convert.mediaMaskTable; r->low != 0xFFFFFFFFu; ++r)
        EXPECT_EQ(__builtin_popcount(r->low) + __builtin_popcount(r->high), 1) << "code " << r->code;
}

TEST(CodeTables, PaperKeywordsNameTheSizesOfTheDimensionTable) {
    // Keyword and dimensions of the same paper must give the same code.
    const struct {
        const char *keyword;
        uint32_t width, height;
    } sizes[] = {
        {"A0SRT", 1189, 841}, {"A3", 420, 297},      {"A4SRT", 297, 210},     {"A4LONG", 210, 297},
        {"JISB4", 364, 257},  {"JISB5LONG", 182, 257}, {"JPOST", 148, 100},   {"LEDGER", 431, 279},
        {"LEGAL", 355, 215},  {"LETTERLONG", 215, 279}, {"HALFLETTERL", 139, 215}, {"A3WIDE", 457, 304},
        {"JPOSTDSRT", 200, 148}, {"ANSICLONG", 431, 558},
    };
    for (const auto &s : sizes)
        EXPECT_EQ(NameToCode(s.keyword, Config().reply.paperKeywordTable),
                  static_cast<int32_t>(FindPaperSize(s.width, s.height, Config().convert.paperSizeTable)->code))
            << s.keyword;
}

TEST(CodeTables, LookupsReadTheConfigurationInForce) {
    const NameCodeRow models[] = {{"Model X", 17}, {"Model Y", 18}, {nullptr, 200}};
    const NamedDeviceRow trays[] = {{"Drawer", 42, 3100}, {nullptr, 7, 0}};
    const KeyCodeRow options[] = {{0x10, 301}, {kEndKey, 9}};
    ModuleConfig custom = ShippedConfig();
    custom.convert.modelNameTable = models;
    custom.convert.trayNameTable = trays;
    custom.convert.deviceOptionTable = options;
    {
        test::ScopedConfig scoped(custom);
        EXPECT_EQ(NameToCode("Model Y", Config().convert.modelNameTable), 18);
        EXPECT_EQ(NameToCode("Model Z", Config().convert.modelNameTable), 200);
        const NamedDeviceRow *drawer = FindNamedDevice("Drawer", Config().convert.trayNameTable);
        EXPECT_EQ(drawer->code, 42u);
        EXPECT_EQ(drawer->stringId, 3100u);
        EXPECT_EQ(FindNamedDevice("Tray 1", Config().convert.trayNameTable)->code, 7u);
        EXPECT_EQ(KeyToCode(0x10, Config().convert.deviceOptionTable), 301u);
        EXPECT_EQ(KeyToCode(0x11, Config().convert.deviceOptionTable), 9u);
    }
    EXPECT_EQ(NameToCode("Model Y", Config().convert.modelNameTable), 255);
    EXPECT_EQ(FindNamedDevice("Tray 1", Config().convert.trayNameTable)->code, 3u);
}

}  // namespace
}  // namespace pat
