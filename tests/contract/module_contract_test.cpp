// The contract a host relies on, held against both binaries with the same
// expectations: libpat.so through the dynamic loader, pat.dll through the PE
// loader. Every call goes through the stack probe (each export removes
// exactly its arguments); blocks are released with the binary's GlobalFree.
#include <gtest/gtest.h>

#include "contract/export_table.h"
#include "contract/host_side.h"
#include "platform/platform.h"  // Win32 error names

namespace pat::test {
namespace {

using Binary = const ModuleUnderTest &(*)();

class Contract : public testing::TestWithParam<Binary> {
protected:
    void SetUp() override {
        module_ = &GetParam()();
        ASSERT_TRUE(module_->Loaded()) << module_->Name() << ": " << module_->LoadError();
    }
    const ModuleUnderTest &m() const { return *module_; }

private:
    const ModuleUnderTest *module_ = nullptr;
};

TEST_P(Contract, EveryExportRemovesExactlyItsArgumentsAndRefusesNulls) {
    const uint32_t zeros[8] = {};
    for (const ExportRow &row : kExports) {
        uint32_t result = m().CallWords(row.name, zeros, row.arguments);
        EXPECT_EQ(result, 0u) << row.name;
        // PatCreateBitmapInfo leaves the last error alone.
        EXPECT_EQ(m().getLastError(), row.ordinal == 2 ? kLastErrorBeforeCall : PAT_ERROR_INVALID_PARAMETER) << row.name;
    }
}

TEST_P(Contract, APollRoundTripThroughTheExports) {
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    DataNode *query = reinterpret_cast<DataNode *>(m().Call("PatCreateQueryInfo", &record, 2, PAT_CAT_CONFIG));
    ASSERT_NE(query, nullptr);
    ASSERT_NE(query->firstChild, nullptr);
    EXPECT_EQ(query->firstChild->tag, 1000u);

    // The host builds its CentroData tree in the binary's heap, as on Windows.
    DataNode *root = HostNode(m(), 2, "");
    AppendChild(root, query);
    AppendChild(root, HostNode(m(), 1000, "@PJL INFO CONFIG\r\nIN TRAYS [1 ENUMERATED]\r\n\tINTRAY2\r\nMEMORY=1048576\r\n\f"));
    EXPECT_EQ(m().Call("PatSetCentroDataTo", root, 0, &record, 2), 1u) << m().getLastError();
    ASSERT_NE(record.pTrayInfo, nullptr);
    EXPECT_EQ(record.pTrayInfo->wTray, 4);
    EXPECT_EQ(record.dwMemoryKB, 1024u);

    // Everything is released with the binary's GlobalFree; a stranger is refused.
    FreeRecord(m(), &record);
    FreeTree(m(), root);
    int local = 0;
    EXPECT_EQ(m().globalFree(&local), &local);
    EXPECT_EQ(m().getLastError(), ERROR_INVALID_HANDLE);
}

TEST_P(Contract, AConfigurationBlockRoundThroughTheExports) {
    // The host's own block in its own memory, absent parts marked as hosts do.
    PMTrayRecord tray2 = {"Tray 2", 0x200, {}, 210, 297, {}, nullptr, {}, 0x1, nullptr, 0, 0};
    PMTrayRecord roll = {"Bypass Tray", PAT_PM_ABSENT, {}, PAT_PM_ABSENT, 914, {}, nullptr, {}, PAT_PM_ABSENT};
    PMBinRecord bin = {"Finisher Tray", 0x1};
    void *trayPointers[] = {&tray2, nullptr, &roll}, *binPointers[] = {&bin};
    PMList trays = {3, trayPointers}, bins = {1, binPointers};
    PMInfoConfig block = {reinterpret_cast<PMModelRecord *>(uintptr_t{PAT_PM_ABSENT}), &trays, &bins};
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    ASSERT_EQ(m().Call("PatPMInfoToPrnInfoEx", PAT_CLASS_CONFIG, &block, 'h',
                       PAT_PMCONFIG_MODEL | PAT_PMCONFIG_TRAYS | PAT_PMCONFIG_BINS, &record), 1u)
        << m().getLastError();
    PrnInfo flat;
    ASSERT_EQ(m().Call("PatPrnInfoExToPrnInfo", &record, &flat, PAT_CAT_INTRAYS | PAT_CAT_OUTBINS), 1u)
        << m().getLastError();
    EXPECT_EQ(flat.dwSize, 2400u);
    EXPECT_EQ(flat.dwTrayCount, 2u);
    const PatCodePair expected[] = {{4, 8}, {4, 25}, {4, 1}, {1, 284}, {1, 100}, {1, 0}, {4, 2}};
    const PatCodePair got[] = {flat.aTrayPaper[0], flat.aTrayLevel[0], flat.aTrayMedia[0], flat.aTrayPaper[1],
                               flat.aTrayLevel[1], flat.aTrayMedia[1], flat.aBins[0]};
    EXPECT_EQ(memcmp(got, expected, sizeof got), 0);
    EXPECT_EQ(flat.dwBinValue, 255u);
    EXPECT_EQ(record.dwTrayInfoCount, 2u);
    FreeRecord(m(), &record);
}

INSTANTIATE_TEST_SUITE_P(Binaries, Contract, testing::Values(&SharedObject, &Dll),
                         [](const testing::TestParamInfo<Binary> &info) {
                             return std::string(info.param == &SharedObject ? "libpat_so" : "pat_dll");
                         });

}  // namespace
}  // namespace pat::test
