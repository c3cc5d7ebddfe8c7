// The snapshot decodes the values the module writes as sentinels, in one place
// for every output: a record built by hand, one row per kind of value.
#include <gtest/gtest.h>

#include "snapshot/printer_snapshot.h"

namespace pathost {
namespace {

TEST(Snapshot, SentinelsAreDecodedOnce) {
    const struct Row {
        const char *what;
        uint32_t attributes;
        uint16_t level;
        std::vector<uint32_t> statuses;
        const char *model;  // null: never set
        bool reported, locked;
        unsigned percent;
        bool ready;
    } rows[] = {
        {"plain tray, ready", 0, 60, {10001}, "M", true, false, 60, true},
        {"locked, other bits kept", PAT_TRAY_LOCKED | PAT_TRAY_CUSTOM_PAPER, 100, {}, "", true, true, 100, true},
        {"attributes not reported", kNotReported, 0, {10001, 20002}, nullptr, false, false, 0, false},
        {"custom paper only", PAT_TRAY_CUSTOM_PAPER, 250, {20002}, nullptr, true, false, 100, false},
    };
    for (const Row &row : rows) {
        PrnInfoEx record{};
        TrayInfo tray{};
        tray.wTray = 3;
        tray.wLevel = row.level;
        tray.dwAttributes = row.attributes;
        record.pTrayInfo = &tray;
        std::vector<EngineStatus> statuses(row.statuses.size());
        for (size_t i = 0; i < statuses.size(); ++i) {
            statuses[i] = {};
            statuses[i].dwStatus = row.statuses[i];
            if (i > 0) statuses[i - 1].header.next = &statuses[i].header;
        }
        record.pEngineStatus = statuses.empty() ? nullptr : &statuses[0];
        record.pModelName = const_cast<char *>(row.model);
        record.dwMemoryKB = 262144;

        PrinterSnapshot s = SnapshotOf(record);
        ASSERT_EQ(s.trays.size(), 1u) << row.what;
        EXPECT_EQ(s.trays[0].attributesReported(), row.reported) << row.what;
        EXPECT_EQ(s.trays[0].locked(), row.locked) << row.what;
        EXPECT_EQ(s.trays[0].levelPercent(), row.percent) << row.what;
        EXPECT_EQ(s.engineReady(), row.ready) << row.what;
        EXPECT_EQ(s.modelName.has_value(), row.model != nullptr) << row.what << ": unset is not empty";
        EXPECT_EQ(s.memoryBytes(), 268435456u) << row.what;
    }
}

TEST(Snapshot, TheFlatRecordKeepsWhatItsCountsCover) {
    PrnInfo flat{};
    flat.dwEngineStatusCount = 1;  // one status is dwEngineStatus itself, not the array
    flat.adwEngineStatus[0] = 10001;
    flat.dwTrayCount = 20;  // the level array holds 16 of them, and says 16
    flat.dwTrayCount2 = 16;
    EXPECT_FALSE(ConversionOf(false, 0x20000001, flat).record) << "no record when the call failed";
    FlatSnapshot f = *ConversionOf(true, 0, flat).record;
    EXPECT_TRUE(f.engineStatuses.empty());
    EXPECT_EQ(f.trayPaper.size(), 20u);
    EXPECT_EQ(f.trayLevel.size(), 16u);
    EXPECT_NE(f.trayLevelOf(15), nullptr);
    EXPECT_EQ(f.trayLevelOf(16), nullptr);
}

}  // namespace
}  // namespace pathost
