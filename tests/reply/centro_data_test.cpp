// PatSetCentroDataTo end to end: a host's request copy and the printer's
// answers into the record.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/record.h"
#include "platform/portable/test_hooks.h"
#include "reply/centro_data_support.h"

namespace pat::test {
namespace {

std::vector<uint16_t> TrayCodes(PrnInfoEx *record) {
    std::vector<uint16_t> codes;
    for (TrayInfo *t : Items(record->pTrayInfo)) codes.push_back(t->wTray);
    return codes;
}

std::vector<uint16_t> DeviceCodes(PrnInfoEx *record) {
    std::vector<uint16_t> codes;
    for (DeviceInfo *d : Items(record->pDeviceInfo)) codes.push_back(d->wDevice);
    return codes;
}

const std::string kConfigAnswer = Answer({
    "@PJL INFO CONFIG",
    "IN TRAYS [2 ENUMERATED]",
    "\tINTRAY1",
    "\tINTRAY2",
    "MEMORY=8388608",
    "\f",
});

TEST(CentroData, TheWholeCallOfAPoll) {
    // The host's request: INFO CONFIG and the paper size of tray 1, as the
    // module builds it for a family whose tray 1 query is its size only.
    const TrayQueryRow sizeOnly[] = {{3, 0, "@PJL INQUIRE INTRAY1SIZE\r\n"}, {0xFFFF, 0, ""}};
    ModuleConfig config = ShippedConfig();
    config.query.trayQueryTable = sizeOnly;
    HostRecord record;
    DataNode *query;
    {
        ScopedConfig scoped(config);
        query = PatCreateQueryInfo(record.get(), 2, PAT_CAT_CONFIG | PAT_CAT_INTRAYS);
    }
    ASSERT_NE(query, nullptr);
    CentroData tree;
    tree.Request(query).Pjl(kConfigAnswer + Answer({"@PJL INQUIRE INTRAY1SIZE", "A4SRT", "\f"}));
    ASSERT_EQ(Apply(tree, record.get()), 0u);
    EXPECT_EQ(TrayCodes(record.get()), (std::vector<uint16_t>{3, 4}));
    EXPECT_EQ(record->pTrayInfo->wPaperSize, 9);
    EXPECT_EQ(record->dwMemoryKB, 8192u);
    EXPECT_EQ(record->dwDeviceInfoCount, 0u);
}

TEST(CentroData, AFullConfigurationAnswer) {
    HostRecord record;
    CentroData tree;
    tree.Pjl(Answer({
        "\x1B%-12345X@PJL INFO CONFIG",
        "IN TRAYS [4 ENUMERATED]",
        "\tINTRAY1",
        "\tINTRAY2",
        "\tINTRAYMANUAL",
        "\tINTRAYINSERTER",
        "IN TRAYS ATTRIBUTE [3 ENUMERATED]",
        "\tINTRAY3 TANDEM",
        "\tINTRAY1 SMALL",
        "\tINTRAYLCT STANDARD",
        "VERSION [3 ENUMERATED]",
        "\tFIRMWARE 1.10",
        "\tVORD 2.00",
        "\tZOLT 3.00",
        "MEMORY=16777216",
        "DISPLAY=\"00 READY\"",
        "\f",
    }));
    ASSERT_EQ(Apply(tree, record.get()), 0u);
    // Tray 1001 (tandem tray 3) is gone after the parse; device 1002 reports it.
    EXPECT_EQ(TrayCodes(record.get()), (std::vector<uint16_t>{3, 4, 1, 101, 11}));
    EXPECT_EQ(DeviceCodes(record.get()), (std::vector<uint16_t>{1002, 121, 104}));
    EXPECT_EQ(record->dwMemoryKB, 16384u);
    EXPECT_STREQ(record->pSYSVersion, "1.10");
    EXPECT_STREQ(record->pMainProgVersion, "2.00");
    auto emulations = Items(record->pLoadedEmul);
    ASSERT_EQ(emulations.size(), 2u);
    EXPECT_EQ(emulations[0]->wEmulation, 1);
    EXPECT_EQ(emulations[1]->wEmulation, 15);
    EXPECT_STREQ(emulations[1]->szVersion, "3.00");
}

TEST(CentroData, TandemTraysAreRenumberedOnceAllAnswersAreIn) {
    struct Case {
        const char *name;
        std::vector<const char *> attributes;
        std::vector<uint16_t> trays;
    } cases[] = {
        {"tandem tray 3 becomes tray 3 (LCT)", {"\tINTRAY3 STANDARD", "\tINTRAY3 TANDEM"}, {13}},
        {"tandem LCT replaces the LCT", {"\tINTRAYLCT STANDARD", "\tINTRAYLCT TANDEM"}, {13}},
        {"both devices: only the first step runs",
         {"\tINTRAY3 TANDEM", "\tINTRAYLCT TANDEM", "\tINTRAYLCT STANDARD"}, {13, 11}},
        {"tandem device without its tray changes nothing", {"\tINTRAY3 SMALL", "\tINTRAYLCT STANDARD"}, {5, 11}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = Answer({"@PJL INFO CONFIG"}) + "IN TRAYS ATTRIBUTE [" +
                           std::to_string(c.attributes.size()) + " ENUMERATED]\r\n";
        for (const char *line : c.attributes) text += std::string(line) + "\r\n";
        text += "\f";
        HostRecord record;
        ASSERT_EQ(Apply(CentroData().Pjl(text), record.get()), 0u);
        EXPECT_EQ(TrayCodes(record.get()), c.trays);
    }
}

TEST(CentroData, EveryTrayInquiryLandsOnItsTray) {
    HostRecord record;
    CentroData tree;
    std::string text;
    const char *trays[] = {"1", "2", "3", "4", "5", "6", "7", "LCT"};
    for (const char *t : trays) {
        text += Answer({("@PJL INQUIRE INTRAY" + std::string(t) + "SIZE").c_str(), "A4LONG", "\f"});
        text += Answer({("@PJL INQUIRE INTRAY" + std::string(t) + "QUANT").c_str(), "2/5", "\f"});
        text += Answer({("@PJL INQUIRE INTRAY" + std::string(t)).c_str(), "LOCKED", "\f"});
    }
    text += Answer({"@PJL INQUIRE INTRAYMSIZE", "LEGAL", "\f", "@PJL INQUIRE INTRAYMULTI", "UNLOCKED", "\f"});
    text += Answer({"@PJL INQUIRE INTRAYINSERTERSIZE", "A5SRT", "\f", "@PJL INQUIRE INTRAYINSERTER2SIZE", "JPOST", "\f"});
    ASSERT_EQ(Apply(tree.Pjl(text), record.get()), 0u);
    EXPECT_EQ(TrayCodes(record.get()), (std::vector<uint16_t>{3, 4, 5, 6, 7, 8, 9, 11, 1, 101, 102}));
    for (TrayInfo *tray : Items(record->pTrayInfo)) {
        SCOPED_TRACE(tray->wTray);
        if (tray->wTray >= 3 && tray->wTray <= 11) {
            EXPECT_EQ(tray->wPaperSize, 8);
            EXPECT_EQ(tray->wLevel, 40);
            EXPECT_EQ(tray->dwAttributes, PAT_TRAY_LOCKED);
        }
    }
    auto all = Items(record->pTrayInfo);
    EXPECT_EQ(all[8]->wPaperSize, 21);
    EXPECT_EQ(all[8]->dwAttributes, 0u);
    EXPECT_EQ(all[9]->wPaperSize, 13);
    EXPECT_EQ(all[10]->wPaperSize, 34);
}

TEST(CentroData, OutputBinsAndMarkingAndPackages) {
    HostRecord record;
    std::string text = Answer({"@PJL INFO OUTBINSTATUS", "UPPER=PAPEREXIST", "LOWER=FULL", "FINISHERBOOKLET=READY",
                               "MYSTERYBIN=FULL", "\f", "@PJL INQUIRE PRINTERMARKINGTYPE", "COPYGUARD", "\f",
                               "@PJL INQUIRE REFRESHCOPYPLUGINSTATUS", "ACTIVATE", "\f"});
    ASSERT_EQ(Apply(CentroData().Pjl(text), record.get()), 0u);
    std::vector<std::pair<uint16_t, uint16_t>> bins;
    for (OutBinInfo *b : Items(record->pOutBinInfo)) bins.emplace_back(b->wBin, b->wState);
    EXPECT_EQ(bins, (std::vector<std::pair<uint16_t, uint16_t>>{{1, 1}, {34, 2}, {27, 0}}));
    EXPECT_EQ(record->dwBinValue, 255u);
    EXPECT_EQ(record->bCopyGuard, 1);
    ASSERT_EQ(record->dwFuncpkgInfoCount, 1u);
    EXPECT_STREQ(record->pFuncpkgInfo->szName, "604271958");
    EXPECT_EQ(DeviceCodes(record.get()), (std::vector<uint16_t>{500}));
}

TEST(CentroData, PollingTwiceRebuildsListsInsteadOfDuplicating) {
    HostRecord record;
    std::string text = kConfigAnswer +
                       Answer({"@PJL INFO OUTBINSTATUS", "UPPER=READY", "\f", "@PJL INQUIRE INTRAY2QUANT", "FULL", "\f",
                               "@PJL INFO CONFIG", "IN TRAYS ATTRIBUTE [1 ENUMERATED]", "\tINTRAY1 SMALL", "\f"});
    CentroData tree;
    tree.Pjl(text).DeviceId("MFG:Maker;MDL:Model 9;STS:10001/20002,1,Ready;RIJ:42/1;");
    for (int poll = 0; poll < 2; ++poll) {
        SCOPED_TRACE(poll);
        ASSERT_EQ(Apply(tree, record.get()), 0u);
        EXPECT_EQ(TrayCodes(record.get()), (std::vector<uint16_t>{3, 4}));
        EXPECT_EQ(Items(record->pTrayInfo)[1]->wLevel, 100);
        EXPECT_EQ(record->dwOutBinInfoCount, 1u);
        EXPECT_EQ(DeviceCodes(record.get()), (std::vector<uint16_t>{121}));
        EXPECT_EQ(record->dwEngineStatusCount, 2u);
        EXPECT_EQ(record->dwCounterInfoCount, 1u);
        EXPECT_STREQ(record->pModelName, "Model 9");
    }
}

TEST(CentroData, TheZoltAnswerComesWithATag3Root) {
    uint32_t kind = 15;
    int context = 0;
    HostRecord record;
    CentroData tree(3, &kind, 4);
    tree.Request(PatCreateEmulUniqQueryInfo(&context, 2, 15, 0))
        .Pjl(Answer({"\x1B%-12345X@PJL INFO ZOLT", "MEMORYUSAGE=USER", "OTHER=\"A B C\"", "IMAGEROTATION=POSSIBLE", "\f"}));
    ASSERT_EQ(Apply(tree, record.get()), 0u);
    ASSERT_EQ(record->dwEmulUniqInfoCount, 1u);
    EXPECT_EQ(record->pEmulUniqInfo->wEmulation, 15);
    EXPECT_EQ(record->pEmulUniqInfo->dwMemoryUsage, 2u);
    EXPECT_STREQ(record->pEmulUniqInfo->szOther, "A B C");
    EXPECT_EQ(record->pEmulUniqInfo->dwImageRotation, 1u);

    uint16_t shortKind = 15;
    EXPECT_EQ(Apply(CentroData(3, &shortKind, 2).Pjl(Answer({"@PJL INFO ZOLT", "\f"})), record.get()), PAT_ERROR_INVALID_PARAMETER);
    kind = 14;
    EXPECT_EQ(Apply(CentroData(3, &kind, 4).Pjl(Answer({"@PJL INFO ZOLT", "\f"})), record.get()), PAT_ERROR_INVALID_PARAMETER);
}

TEST(CentroData, AnswersThatDoNotAnswerTheRequestLeaveTheRecordUntouched) {
    HostRecord base;
    ASSERT_EQ(Apply(CentroData().Pjl(kConfigAnswer).DeviceId("MFG:M;"), base.get()), 0u);
    struct Case {
        const char *name;
        uint32_t mask;
        std::string answer;  // empty: no PJL child
        bool deviceId;
        uint32_t error;
    } cases[] = {
        {"no CONFIG category word", 0x4, Answer({"@PJL INFO STATUS", "CODE=10001", "\f"}), false, PAT_ERROR_REPLY_MISMATCH},
        {"no form feed after the category", 0x4, Answer({"@PJL INFO CONFIG", "MEMORY=1"}), false, PAT_ERROR_REPLY_MISMATCH},
        {"the only form feed past the terminator", 0x4,
         Answer({"@PJL INFO CONFIG", "MEMORY=1"}) + std::string("\0\f", 2), false, PAT_ERROR_REPLY_MISMATCH},
        {"a syntax error before the category", 0x4, Answer({"@PJL INFO ID", "\tX", "@PJL INFO CONFIG", "\f"}), false,
         PAT_ERROR_REPLY_MISMATCH},
        {"PJL asked, no answer", 0x4, "", true, PAT_ERROR_REPLY_MISMATCH},
        {"device ID asked, none given", 0x6, kConfigAnswer, false, PAT_ERROR_REPLY_MISMATCH},
        {"one tray variable missing", 0x8, Answer({"@PJL INQUIRE INTRAY1SIZE", "A4SRT", "\f"}), false, PAT_ERROR_REPLY_MISMATCH},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        HostRecord record;
        Apply(CentroData().Pjl(kConfigAnswer).DeviceId("MFG:M;"), record.get());
        PrnInfoEx before = *record.get();
        CentroData tree;
        tree.Request(PatCreateQueryInfo(record.get(), 2, c.mask));
        if (!c.answer.empty()) tree.Pjl(c.answer);
        if (c.deviceId) tree.DeviceId("MFG:Other;");
        EXPECT_EQ(Apply(tree, record.get()), c.error);
        EXPECT_EQ(memcmp(&before, record.get(), sizeof before), 0);
        EXPECT_EQ(TrayCodes(record.get()), (std::vector<uint16_t>{3, 4}));
        EXPECT_STREQ(record->pMakerName, "M");
    }
}

TEST(CentroData, ErrorsAriseWhereTheFailureTableSays) {
    HostRecord record;
    record->dwSize = 1171;
    EXPECT_EQ(Apply(CentroData().Pjl(kConfigAnswer), record.get()), PAT_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(record->pTrayInfo, nullptr);
    record->dwSize = 1172;

    // A request whose own text does not scan.
    DataNode *badRequest = CreateNode(nullptr, 1, nullptr, 0);
    std::string broken = "@PJL INFO CONFIG\r\n\tX\r\n";
    CreateNode(badRequest, 1000, broken.c_str(), static_cast<uint32_t>(broken.size() + 1));
    EXPECT_EQ(Apply(CentroData().Request(badRequest).Pjl(kConfigAnswer), record.get()), 13u);
    EXPECT_EQ(record->pTrayInfo, nullptr);

    // An empty answer child ends the walk; earlier answers stay, no renumbering.
    std::string tandem = Answer({"@PJL INFO CONFIG", "IN TRAYS ATTRIBUTE [1 ENUMERATED]", "\tINTRAY3 TANDEM", "\f"});
    EXPECT_EQ(Apply(CentroData().Pjl(tandem).Child(1000, nullptr, 0).Pjl(kConfigAnswer), record.get()), PAT_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(TrayCodes(record.get()), (std::vector<uint16_t>{1001}));
    EXPECT_EQ(Apply(CentroData().Child(1002, nullptr, 0), record.get()), PAT_ERROR_INVALID_PARAMETER);

    // The device ID parser's out-of-memory stops the walk with 8.
    CentroData tree;
    tree.DeviceId("MFG:Maker;").Pjl(kConfigAnswer);
    portable::HeapFailNthAllocation(1);
    EXPECT_EQ(Apply(tree, record.get()), PAT_ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(record->pMakerName, nullptr);
    EXPECT_EQ(TrayCodes(record.get()), (std::vector<uint16_t>{1001}));

    // Other children are ignored; a root without request copy is not checked.
    uint32_t junk = 7;
    EXPECT_EQ(Apply(CentroData().Child(77, &junk, 4).Pjl(kConfigAnswer), record.get()), 0u);
    EXPECT_EQ(TrayCodes(record.get()), (std::vector<uint16_t>{3, 4}));
}

TEST(CentroData, SyntaxErrorsInAnAnswerAreNotReported) {
    HostRecord record;
    std::string text = Answer({"@PJL INFO CONFIG", "IN TRAYS=2", "\tINTRAY1", "MEMORY=2048", "\f",
                               "@PJL INQUIRE INTRAY2SIZE", "LEGAL", "\f"});
    ASSERT_EQ(Apply(CentroData().Pjl(text), record.get()), 0u);
    EXPECT_EQ(record->dwMemoryKB, 2u);
    EXPECT_EQ(TrayCodes(record.get()), (std::vector<uint16_t>{3, 4}));
    // The dispatcher's own syntax error costs the rest of its block only.
    std::string bad = Answer({"@PJL INFO CONFIG", "\tINTRAY1", "MEMORY=4096", "\f"});
    ASSERT_EQ(Apply(CentroData().Pjl(bad).Pjl(Answer({"@PJL INQUIRE INTRAY1SIZE", "A3", "\f"})), record.get()), 0u);
    EXPECT_EQ(record->dwMemoryKB, 2u);
    EXPECT_EQ(Items(record->pTrayInfo)[0]->wPaperSize, 5);
}

TEST(CentroData, AnswersAfterAMalformedBlockInTheSameTextStillLand) {
    struct Case {
        const char *name;
        std::string text;
        std::vector<std::pair<uint16_t, uint16_t>> trays;  // {tray code, paper size}
    };
    const Case cases[] = {
        {"a syntax error in the first block",
         Answer({"@PJL INFO CONFIG", "\tINTRAY9", "MEMORY=1", "\f", "@PJL INFO CONFIG", "MEMORY=8192", "\f"}),
         {}},
        {"an inquiry answer with more on its command line",
         Answer({"@PJL INQUIRE INTRAY1SIZE EXTRA", "A3", "\f", "@PJL INQUIRE INTRAY2SIZE", "A4SRT", "\f",
                 "@PJL INFO CONFIG", "MEMORY=8192", "\f"}),
         {{3, 0}, {4, 9}}},  // tray 3 is listed before its malformed answer is read
        {"an echo block in front of the answers",
         Answer({"@PJL ECHO DELIMITER48213", "\f", "@PJL INQUIRE INTRAY2SIZE", "A4SRT", "\f", "@PJL INFO CONFIG",
                 "MEMORY=8192", "\f"}),
         {{4, 9}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        HostRecord record;
        ASSERT_EQ(Apply(CentroData().Pjl(c.text), record.get()), 0u);
        EXPECT_EQ(record->dwMemoryKB, 8u);
        std::vector<std::pair<uint16_t, uint16_t>> trays;
        for (TrayInfo *tray : Items(record->pTrayInfo)) trays.emplace_back(tray->wTray, tray->wPaperSize);
        EXPECT_EQ(trays, c.trays);
    }
}

TEST(CentroData, AShortListDoesNotSwallowTheAnswersAfterIt) {
    HostRecord record;
    std::string text = Answer({"@PJL INFO CONFIG", "VERSION [5 ENUMERATED]", "\tFIRMWARE 1.0", "\tVORD 2.0",
                               "MEMORY=4096", "PUNCH [4 ENUMERATED]", "\tA", "\f", "@PJL INQUIRE INTRAY1SIZE", "A4SRT",
                               "\f", "@PJL INFO CONFIG", "VERSION [2 ENUMERATED]", "\tFIRMWARE 1.0 extra", "\f",
                               "@PJL INQUIRE INTRAY2SIZE", "A3", "\f"});
    ASSERT_EQ(Apply(CentroData().Pjl(text), record.get()), 0u);
    EXPECT_EQ(record->dwMemoryKB, 4u);
    EXPECT_EQ(TrayCodes(record.get()), (std::vector<uint16_t>{3, 4}));
    EXPECT_EQ(Items(record->pTrayInfo)[0]->wPaperSize, 9);
    EXPECT_EQ(Items(record->pTrayInfo)[1]->wPaperSize, 5);
}

TEST(CentroData, AMalformedBracketCannotHangTheHost) {
    HostRecord record;
    std::string text = Answer({"@PJL INFO CONFIG", "IN TRAYS [2 A:B]", "\tINTRAY1", "\f"});
    CentroData tree;
    // The syntax error skips to the next block; the next answer is parsed.
    tree.Request(PatCreateQueryInfo(record.get(), 2, 0x4)).Pjl(text).Pjl(Answer({"@PJL INQUIRE INTRAY2SIZE", "A4SRT", "\f"}));
    ASSERT_EQ(Apply(tree, record.get()), 0u);
    EXPECT_EQ(TrayCodes(record.get()), (std::vector<uint16_t>{4}));
}

TEST(CentroData, PayloadsWithoutATerminatorAreReadUpToTheirLength) {
    HostRecord record;
    std::string text = Answer({"@PJL INQUIRE INTRAY1SIZE", "A4SRT", "\f"});
    std::string id = "MFG:M;MDL:X";
    CentroData tree;
    tree.Child(1000, text.data(), static_cast<uint32_t>(text.size()))
        .Child(1002, id.data(), static_cast<uint32_t>(id.size()));
    ASSERT_EQ(Apply(tree, record.get()), 0u);
    EXPECT_EQ(record->pTrayInfo->wPaperSize, 9);
    EXPECT_STREQ(record->pModelName, "X");
}

TEST(CentroData, RunningOutOfMemoryAnywhereKeepsTheRecordSound) {
    CentroData tree;
    tree.Pjl(Answer({"@PJL INFO CONFIG", "IN TRAYS [2 ENUMERATED]", "\tINTRAY1", "\tINTRAY2",
                     "IN TRAYS ATTRIBUTE [1 ENUMERATED]", "\tINTRAY3 TANDEM", "VERSION [2 ENUMERATED]",
                     "\tFIRMWARE 1", "\tVORD 2", "\f", "@PJL INFO OUTBINSTATUS", "UPPER=FULL", "\f",
                     "@PJL INQUIRE INTRAY3SIZE", "A4SRT", "\f", "@PJL INQUIRE REFRESHCOPYPLUGINSTATUS", "ACTIVATE",
                     "\f"}))
        .DeviceId("MFG:M;MDL:X;DES:D;STS:1/2,1,t;RIJ:5/6;");
    uint32_t allocations;
    {
        HostRecord record;
        portable::HeapFailNthAllocation(0xFFFFFFFF);
        ASSERT_EQ(Apply(tree, record.get()), 0u);
        allocations = portable::HeapAllocationsSinceArmed();
    }
    for (uint32_t n = 1; n <= allocations; ++n) {
        SCOPED_TRACE(n);
        HostRecord record;
        portable::HeapFailNthAllocation(n);
        uint32_t error = Apply(tree, record.get());
        portable::HeapFailNthAllocation(0);
        EXPECT_TRUE(error == 0 || error == PAT_ERROR_NOT_ENOUGH_MEMORY) << error;
    }
}

}  // namespace
}  // namespace pat::test
