// The INFO CONFIG and INFO ZOLT answer handlers, each called on its own with
// the cursor where the dispatcher would lend it: what they store, what they
// return and where they leave the cursor.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "api/module_config.h"
#include "core/record.h"
#include "platform/portable/test_hooks.h"
#include "reply/handler_test_support.h"
#include "support/host.h"

namespace {

using pat::test::HostRecord;
using pat::test::Items;
using pat::test::ScopedConfig;
using pat_test::AddDevice;
using pat_test::AddTray;
using pat_test::Answer;
using pat_test::Devices;
using pat_test::Fire;
using pat_test::ReadNext;

const std::string kConfig = "@PJL INFO CONFIG\r\n";

std::string Text(const char *s) { return s == nullptr ? "<null>" : s; }

void AddEmulation(PrnInfoEx *record, uint16_t code) {
    LoadedEmul *emulation = pat::NewItem<LoadedEmul>();
    emulation->wEmulation = code;
    pat::AddItem(record, pat::keys::kLoadedEmul, &emulation->header);
}

std::vector<std::pair<uint16_t, std::string>> Emulations(PrnInfoEx *record) {
    std::vector<std::pair<uint16_t, std::string>> emulations;
    for (LoadedEmul *item : Items(record->pLoadedEmul)) emulations.push_back({item->wEmulation, item->szVersion});
    return emulations;
}

// ---- Decimal values and MEMORY ---------------------------------------------

TEST(HandlerDecimalValue, ReadsUnsignedWithSignAndSaturation) {
    const std::pair<const char *, uint32_t> cases[] = {
        {"8388608", 8388608u},        {"  42", 42u},           {"\t 5", 5u},
        {"+7", 7u},                   {"-1", 0xFFFFFFFFu},     {"-2", 0xFFFFFFFEu},
        {"4294967295", 0xFFFFFFFFu},  {"4294967294", 0xFFFFFFFEu},
        {"4294967296", 0xFFFFFFFFu},  {"99999999999", 0xFFFFFFFFu},
        {"", 0u},                     {"abc", 0u},             {"-", 0u},
        {"12abc", 12u},               {"007", 7u},
    };
    for (const auto &[text, value] : cases) EXPECT_EQ(pat::DecimalValue(text), value) << '"' << text << '"';
}

TEST(OnConfigMemory, StoresKilobytesOfAnEqualsValueOnly) {
    struct Case {
        const char *line;
        uint32_t kilobytes;  // the record starts at 77
        uint32_t next;       // the token the dispatcher reads after the handler
    };
    const Case cases[] = {
        {"MEMORY=8388608", 8192, pat::TOKEN_EOL},
        {"MEMORY=1023", 0, pat::TOKEN_EOL},
        {"MEMORY=1024", 1, pat::TOKEN_EOL},
        {"MEMORY", 77, pat::TOKEN_TAB},               // the handler read the line end
        {"MEMORY [8388608 BYTES]", 77, pat::TOKEN_TYPE},
    };
    for (const Case &c : cases) {
        HostRecord record;
        record->dwMemoryKB = 77;
        Answer answer(kConfig + c.line + "\r\n\tX\r\n\f", pat::TOKEN_KEY, "MEMORY");
        EXPECT_EQ(Fire(pat::OnConfigMemory, record.get(), answer), pat::kOk) << c.line;
        EXPECT_EQ(record->dwMemoryKB, c.kilobytes) << c.line;
        EXPECT_EQ(ReadNext(&answer.cursor).kind, c.next) << c.line;
    }
}

// ---- VERSION ---------------------------------------------------------------

TEST(OnConfigVersion, FirmwareAndEmulationsInLineOrder) {
    HostRecord record;
    AddEmulation(record.get(), 7);  // an earlier answer's list is replaced
    Answer answer(kConfig +
                      "VERSION [3 ENUMERATED]\r\n\tFIRMWARE 1.10\r\n\tVORD 2.00\r\n\tZOLT 3.00\r\n"
                      "MEMORY=8388608\r\n\f",
                  pat::TOKEN_KEY, "VERSION");
    EXPECT_EQ(Fire(pat::OnConfigVersion, record.get(), answer), pat::kOk);
    EXPECT_EQ(Text(record->pSYSVersion), "1.10");
    EXPECT_EQ(Emulations(record.get()), (std::vector<std::pair<uint16_t, std::string>>{{1, "2.00"}, {15, "3.00"}}));
    EXPECT_EQ(Text(record->pMainProgVersion), "2.00");
    EXPECT_EQ(record->pKVNVersion, nullptr);
    // The handler stopped after its third line: the dispatcher meets MEMORY.
    EXPECT_EQ(ReadNext(&answer.cursor).kind, pat::TOKEN_EOL);
    pat_test::NextToken key = ReadNext(&answer.cursor);
    EXPECT_EQ(key.kind, pat::TOKEN_KEY);
    EXPECT_EQ(key.text, "MEMORY");
}

TEST(OnConfigVersion, CutsVersionFieldNamesUnknownEmulationsAndCountsLinesWithoutVersion) {
    HostRecord record;
    Answer answer(kConfig +
                      "VERSION [4 ENUMERATED]\r\n\tVORD 12345678901234567890\r\n\tFIRMWARE\r\n"
                      "\tPOSTSCRIPT=3.0\r\n\tGL2 1.5\r\n\tZOLT 9.9\r\n\f",
                  pat::TOKEN_KEY, "VERSION");
    EXPECT_EQ(Fire(pat::OnConfigVersion, record.get(), answer), pat::kOk);
    EXPECT_EQ(Emulations(record.get()),
              (std::vector<std::pair<uint16_t, std::string>>{{1, "123456789012345"}, {0, "3.0"}, {12, "1.5"}}));
    EXPECT_EQ(Text(record->pMainProgVersion), "12345678901234567890");
    EXPECT_EQ(record->pSYSVersion, nullptr);  // FIRMWARE had no version, yet counted
    // The fifth line is left for the dispatcher.
    EXPECT_EQ(ReadNext(&answer.cursor).kind, pat::TOKEN_EOL);
    EXPECT_EQ(ReadNext(&answer.cursor).kind, pat::TOKEN_TAB);
    EXPECT_EQ(ReadNext(&answer.cursor).text, "ZOLT");
}

TEST(OnConfigVersion, WithoutBracketedCountClearsTheList) {
    for (const char *line : {"VERSION", "VERSION=1.0", "VERSION [0 ENUMERATED]", "VERSION [X ENUMERATED]"}) {
        HostRecord record;
        AddEmulation(record.get(), 1);
        Answer answer(kConfig + line + "\r\n\tVORD 2.00\r\n\f", pat::TOKEN_KEY, "VERSION");
        EXPECT_EQ(Fire(pat::OnConfigVersion, record.get(), answer), pat::kOk) << line;
        EXPECT_EQ(record->dwLoadedEmulCount, 0u) << line;
        EXPECT_EQ(record->pLoadedEmul, nullptr) << line;
    }
}

// A list that carries fewer lines than it announced ends with its block, at a
// plain body line, at the end of the text or at a syntax error; what follows
// is left for the dispatcher.
TEST(OnConfigVersion, ShortListLeavesWhatFollowsToTheDispatcher) {
    const std::string kTwoLines = "VERSION [5 ENUMERATED]\r\n\tFIRMWARE 1.10\r\n\tVORD 2.00\r\n";
    const std::string kNextBlock = "@PJL INQUIRE INTRAY1SIZE\r\nA4SRT\r\n\f";
    struct Case {
        std::string body;
        pat::Status result;
        uint32_t nextStatus;
        uint32_t next;
        const char *nextText;
        const char *firmware;
    };
    const Case cases[] = {
        {kTwoLines + "\f" + kNextBlock, pat::kOk, pat::kOk, pat::TOKEN_PJL, "@PJL", "1.10"},
        {kTwoLines + kNextBlock, pat::kOk, pat::kOk, pat::TOKEN_PJL, "@PJL", "1.10"},
        {kTwoLines + "MEMORY=8388608\r\n\f" + kNextBlock, pat::kOk, pat::kOk, pat::TOKEN_KEY, "MEMORY", "1.10"},
        {kTwoLines, pat::kOk, pat::kInvalidData, pat::TOKEN_END, "", "1.10"},
        // Three words on an indented line are a syntax error; the scanner
        // then seeks the next block.
        {"VERSION [5 ENUMERATED]\r\n\tVORD 2.00\r\n\tFIRMWARE 1.0 extra\r\n\tZOLT 3.00\r\n\f" + kNextBlock,
         pat::kInvalidData, pat::kOk, pat::TOKEN_PJL, "@PJL", nullptr},
    };
    for (const Case &c : cases) {
        HostRecord record;
        Answer answer(kConfig + c.body, pat::TOKEN_KEY, "VERSION");
        EXPECT_EQ(Fire(pat::OnConfigVersion, record.get(), answer), c.result) << c.body;
        EXPECT_EQ(Emulations(record.get()), (std::vector<std::pair<uint16_t, std::string>>{{1, "2.00"}})) << c.body;
        EXPECT_EQ(Text(record->pSYSVersion), Text(c.firmware)) << c.body;
        pat_test::NextToken next = ReadNext(&answer.cursor);
        EXPECT_EQ(next.status, c.nextStatus) << c.body;
        EXPECT_EQ(next.kind, c.next) << c.body;
        if (next.kind != pat::TOKEN_END) EXPECT_EQ(next.text, c.nextText) << c.body;
        if (next.kind == pat::TOKEN_PJL) EXPECT_EQ(ReadNext(&answer.cursor).text, "INQUIRE") << c.body;
    }
}

// ---- IN TRAYS, trays and devices -------------------------------------------

TEST(OnConfigInTrays, KeepsTraysWhenTheCountIsUnchanged) {
    HostRecord record;
    AddTray(record.get(), 3, 9, 60, PAT_TRAY_LOCKED);
    AddTray(record.get(), 4, 5, 100, 0);
    Answer answer(kConfig + "IN TRAYS [2 ENUMERATED]\r\n\tINTRAY1\r\n\tINTRAY2\r\n\f", pat::TOKEN_KEY, "IN TRAYS");
    EXPECT_EQ(Fire(pat::OnConfigInTrays, record.get(), answer), pat::kOk);
    std::vector<TrayInfo *> trays = Items(record->pTrayInfo);
    ASSERT_EQ(trays.size(), 2u);
    EXPECT_EQ(trays[0]->wTray, 3);
    EXPECT_EQ(trays[0]->wPaperSize, 9);
    EXPECT_EQ(trays[0]->wLevel, 60);
    EXPECT_EQ(trays[0]->dwAttributes, PAT_TRAY_LOCKED);
    EXPECT_EQ(trays[1]->wTray, 4);
    EXPECT_EQ(ReadNext(&answer.cursor).kind, pat::TOKEN_TYPE);  // only the count was read
}

TEST(OnConfigInTrays, ClearsOnAnotherCountAndRejectsAnswersWithoutOne) {
    struct Case {
        const char *line;
        pat::Status result;
        uint32_t traysLeft;  // of three
    };
    const Case cases[] = {
        {"IN TRAYS [2 ENUMERATED]", pat::kOk, 0},
        {"IN TRAYS [3 ENUMERATED]", pat::kOk, 3},
        {"IN TRAYS=2", pat::kInvalidParameter, 3},
        {"IN TRAYS", pat::kInvalidParameter, 3},
    };
    for (const Case &c : cases) {
        HostRecord record;
        for (uint16_t code : {3, 4, 5}) AddTray(record.get(), code);
        Answer answer(kConfig + c.line + "\r\n\tINTRAY1\r\n\f", pat::TOKEN_KEY, "IN TRAYS");
        EXPECT_EQ(Fire(pat::OnConfigInTrays, record.get(), answer), c.result) << c.line;
        EXPECT_EQ(record->dwTrayInfoCount, c.traysLeft) << c.line;
        EXPECT_EQ(Items(record->pTrayInfo).size(), c.traysLeft) << c.line;
    }
}

TEST(OnTrayPresent, NamesEachTrayOnceAndReadsNothing) {
    HostRecord record;
    Answer answer(kConfig + "IN TRAYS [2 ENUMERATED]\r\n\tINTRAY1\r\n\tINTRAY1\r\n\f", pat::TOKEN_ITEM, "INTRAY1");
    EXPECT_EQ(Fire(pat::OnTrayPresent, record.get(), answer, 3), pat::kOk);
    EXPECT_EQ(Fire(pat::OnTrayPresent, record.get(), answer, 3), pat::kOk);
    EXPECT_EQ(Fire(pat::OnTrayPresent, record.get(), answer, 0x10003), pat::kOk);  // low 16 bits compared
    EXPECT_EQ(Fire(pat::OnTrayPresent, record.get(), answer, 4), pat::kOk);
    std::vector<TrayInfo *> trays = Items(record->pTrayInfo);
    ASSERT_EQ(trays.size(), 2u);
    EXPECT_EQ(trays[0]->wTray, 3);
    EXPECT_EQ(trays[1]->wTray, 4);
    EXPECT_EQ(ReadNext(&answer.cursor).kind, pat::TOKEN_EOL);
}

TEST(OnDeviceOption, AddsEveryMentionAndInfoConfigClearsDevices) {
    HostRecord record;
    AddTray(record.get(), 3);
    Answer answer(kConfig + "IN TRAYS ATTRIBUTE [1 ENUMERATED]\r\n\tINTRAY3 TANDEM\r\n\f", pat::TOKEN_ITEM_VALUE,
                  "TANDEM");
    EXPECT_EQ(Fire(pat::OnDeviceOption, record.get(), answer, 1002), pat::kOk);
    EXPECT_EQ(Fire(pat::OnDeviceOption, record.get(), answer, 0x20000 | 1002), pat::kOk);
    EXPECT_EQ(Devices(record.get()), (std::vector<uint16_t>{1002, 1002}));
    EXPECT_EQ(ReadNext(&answer.cursor).kind, pat::TOKEN_EOL);

    Answer config(kConfig + "MEMORY=1024\r\n\f", pat::TOKEN_CATEGORY, "CONFIG");
    EXPECT_EQ(Fire(pat::OnInfoConfig, record.get(), config), pat::kOk);
    EXPECT_EQ(record->dwDeviceInfoCount, 0u);
    EXPECT_EQ(record->pDeviceInfo, nullptr);
    EXPECT_EQ(record->dwTrayInfoCount, 1u);  // only the devices are rebuilt here
}

// ---- PUNCH -----------------------------------------------------------------

const pat::PunchOptionRow kPunchRows[] = {
    {{"2HOLE", "3HOLE", nullptr, nullptr, nullptr}, 300},
    {{"2HOLE", nullptr, nullptr, nullptr, nullptr}, 301},
    {{"4HOLE", "2HOLE", "3HOLE", nullptr, nullptr}, 0x10000 | 302},  // low 16 bits stored
    {{nullptr, nullptr, nullptr, nullptr, nullptr}, 0},
};

pat::ModuleConfig WithPunchRows() {
    pat::ModuleConfig config = pat::ShippedConfig();
    config.reply.punchOptionTable = kPunchRows;
    return config;
}

TEST(OnConfigPunch, RejectsCountsAboveFiveAndAnswersWithoutCount) {
    pat::ModuleConfig config = WithPunchRows();
    ScopedConfig scoped(config);
    for (const char *line : {"PUNCH [6 ENUMERATED]", "PUNCH", "PUNCH=2HOLE"}) {
        HostRecord record;
        Answer answer(kConfig + line + "\r\n\t2HOLE\r\n\f", pat::TOKEN_KEY, "PUNCH");
        EXPECT_EQ(Fire(pat::OnConfigPunch, record.get(), answer), pat::kInvalidParameter) << line;
        EXPECT_EQ(record->dwDeviceInfoCount, 0u) << line;
    }
}

TEST(OnConfigPunch, ShippedTableNamesNoDevice) {
    HostRecord record;
    Answer answer(kConfig + "PUNCH [2 ENUMERATED]\r\n\t2HOLE\r\n\t3HOLE\r\n\f", pat::TOKEN_KEY, "PUNCH");
    EXPECT_EQ(Fire(pat::OnConfigPunch, record.get(), answer), pat::kOk);
    EXPECT_EQ(record->dwDeviceInfoCount, 0u);
}

TEST(OnConfigPunch, OptionsInAnyOrderSelectTheRowWithExactlyThoseNames) {
    const std::string kNextBlock = "@PJL INQUIRE INTRAY1SIZE\r\nA4SRT\r\n\f";
    struct Case {
        std::string body;
        pat::Status result;
        std::vector<uint16_t> devices;  // after device 7 that was there
        uint32_t next;
        const char *nextText;
    };
    const Case cases[] = {
        {"PUNCH [2 ENUMERATED]\r\n\t3HOLE\r\n\t2HOLE\r\nMEMORY=1\r\n\f", pat::kOk, {7, 300}, pat::TOKEN_EOL, "\n"},
        {"PUNCH [2 ENUMERATED]\r\n\t2HOLE\r\n\t3HOLE\r\n\f", pat::kOk, {7, 300}, pat::TOKEN_EOL, "\n"},
        {"PUNCH [1 ENUMERATED]\r\n\t2HOLE\r\n\f", pat::kOk, {7, 301}, pat::TOKEN_EOL, "\n"},
        {"PUNCH [1 ENUMERATED]\r\n\t3HOLE\r\n\f", pat::kOk, {7}, pat::TOKEN_EOL, "\n"},
        {"PUNCH [2 ENUMERATED]\r\n\t2HOLE\r\n\t4HOLE\r\n\f", pat::kOk, {7}, pat::TOKEN_EOL, "\n"},
        {"PUNCH [3 ENUMERATED]\r\n\t2HOLE\r\n\t3HOLE\r\n\t4HOLE\r\n\f", pat::kOk, {7, 302}, pat::TOKEN_EOL, "\n"},
        {"PUNCH [0 ENUMERATED]\r\n\f", pat::kOk, {7}, pat::TOKEN_TYPE, "ENUMERATED"},
        // Short lists: the names held so far decide; what follows is not read.
        {"PUNCH [3 ENUMERATED]\r\n\t2HOLE\r\n\t3HOLE\r\n\f" + kNextBlock, pat::kOk, {7, 300}, pat::TOKEN_PJL, "@PJL"},
        {"PUNCH [3 ENUMERATED]\r\n\t2HOLE\r\nMEMORY=1\r\n\f", pat::kOk, {7, 301}, pat::TOKEN_KEY, "MEMORY"},
        {"PUNCH [2 ENUMERATED]\r\n\t2HOLE x y\r\n\f" + kNextBlock, pat::kInvalidData, {7}, pat::TOKEN_PJL, "@PJL"},
    };
    pat::ModuleConfig config = WithPunchRows();
    ScopedConfig scoped(config);
    for (const Case &c : cases) {
        HostRecord record;
        AddDevice(record.get(), 7);
        Answer answer(kConfig + c.body, pat::TOKEN_KEY, "PUNCH");
        EXPECT_EQ(Fire(pat::OnConfigPunch, record.get(), answer), c.result) << c.body;
        EXPECT_EQ(Devices(record.get()), c.devices) << c.body;
        pat_test::NextToken next = ReadNext(&answer.cursor);
        EXPECT_EQ(next.kind, c.next) << c.body;
        EXPECT_EQ(next.text, c.nextText) << c.body;
    }
}

// ---- INFO ZOLT -------------------------------------------------------------

TEST(OnEmulUniqInfo, UpdatesOneItemFieldByField) {
    HostRecord record;
    auto answerOnce = [&](const std::string &body) {
        Answer answer("@PJL INFO ZOLT\r\n" + body + "\f", pat::TOKEN_CATEGORY, "ZOLT");
        EXPECT_EQ(Fire(pat::OnEmulUniqInfo, record.get(), answer), pat::kOk) << body;
        pat_test::NextToken next = ReadNext(&answer.cursor);  // the whole block was read
        EXPECT_EQ(next.kind, pat::TOKEN_END) << body;
        EXPECT_EQ(next.status, pat::kOk) << body;
    };
    answerOnce("MEMORYUSAGE=USER\r\nIMAGEROTATION=SIDEWAYS\r\nCOLOR=ON\r\n");
    std::vector<EmulUniqInfo *> items = Items(record->pEmulUniqInfo);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->wEmulation, 15);
    EXPECT_EQ(items[0]->dwMemoryUsage, 2u);
    EXPECT_EQ(items[0]->dwImageRotation, 0u);
    EXPECT_STREQ(items[0]->szOther, "");

    answerOnce("OTHER=abc\r\n");
    items = Items(record->pEmulUniqInfo);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->dwMemoryUsage, 2u);
    EXPECT_STREQ(items[0]->szOther, "abc");

    answerOnce("IMAGEROTATION=IMPOSSIBLE\r\nMEMORYUSAGE=PAGE\r\nOTHER=0123456789012345678901234567890123456789\r\n");
    items = Items(record->pEmulUniqInfo);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->dwImageRotation, 2u);
    EXPECT_EQ(items[0]->dwMemoryUsage, 1u);
    EXPECT_STREQ(items[0]->szOther, "01234567890123456789012345678901");  // 32 characters

    // A key on a line of its own carries no value and changes nothing.
    answerOnce("OTHER\r\nMEMORYUSAGE\r\n");
    EXPECT_EQ(record->pEmulUniqInfo->dwMemoryUsage, 1u);
    EXPECT_STREQ(record->pEmulUniqInfo->szOther, "01234567890123456789012345678901");
}

// A block that ends without its form feed ends at the next command line,
// which is left for the dispatcher.
TEST(OnEmulUniqInfo, StopsAtTheEndOfItsBlock) {
    HostRecord record;
    Answer answer("@PJL INFO ZOLT\r\nOTHER=abc\r\n@PJL INFO CONFIG\r\nOTHER=xyz\r\nMEMORYUSAGE=USER\r\n\f",
                  pat::TOKEN_CATEGORY, "ZOLT");
    EXPECT_EQ(Fire(pat::OnEmulUniqInfo, record.get(), answer), pat::kOk);
    ASSERT_EQ(record->dwEmulUniqInfoCount, 1u);
    EXPECT_STREQ(record->pEmulUniqInfo->szOther, "abc");
    EXPECT_EQ(record->pEmulUniqInfo->dwMemoryUsage, 0u);
    EXPECT_EQ(ReadNext(&answer.cursor).kind, pat::TOKEN_PJL);
    EXPECT_EQ(ReadNext(&answer.cursor).text, "INFO");
}

// ---- Out of memory ---------------------------------------------------------

TEST(ConfigHandlersOutOfMemory, NothingHalfAdded) {
    struct Case {
        const char *name;
        pat_test::Handler handler;
        uint32_t parameter;
        std::string text;
        uint32_t kind;
        const char *word;
        uint32_t failAt;
        pat::Status result;
        uint32_t PrnInfoEx::*count;
        uint32_t countAfter;
    };
    const std::string kVersion = kConfig + "VERSION [1 ENUMERATED]\r\n\tVORD 2.00\r\n\f";
    const std::string kPunch = kConfig + "PUNCH [1 ENUMERATED]\r\n\t2HOLE\r\n\f";
    const std::string kTray = kConfig + "IN TRAYS [1 ENUMERATED]\r\n\tINTRAY1\r\n\f";
    const Case cases[] = {
        {"tray", pat::OnTrayPresent, 3, kTray, pat::TOKEN_ITEM, "INTRAY1", 1, pat::kNoMemory,
         &PrnInfoEx::dwTrayInfoCount, 0},
        {"device", pat::OnDeviceOption, 104, kTray, pat::TOKEN_ITEM, "INTRAY1", 1, pat::kNoMemory,
         &PrnInfoEx::dwDeviceInfoCount, 0},
        {"punch", pat::OnConfigPunch, 0, kPunch, pat::TOKEN_KEY, "PUNCH", 1, pat::kNoMemory,
         &PrnInfoEx::dwDeviceInfoCount, 0},
        {"zolt", pat::OnEmulUniqInfo, 0, "@PJL INFO ZOLT\r\nOTHER=abc\r\n\f", pat::TOKEN_CATEGORY, "ZOLT", 1,
         pat::kNoMemory, &PrnInfoEx::dwEmulUniqInfoCount, 0},
        // A version line whose item cannot be allocated is skipped.
        {"version item", pat::OnConfigVersion, 0, kVersion, pat::TOKEN_KEY, "VERSION", 1, pat::kOk,
         &PrnInfoEx::dwLoadedEmulCount, 0},
        {"version string", pat::OnConfigVersion, 0, kVersion, pat::TOKEN_KEY, "VERSION", 2, pat::kOk,
         &PrnInfoEx::dwLoadedEmulCount, 1},
    };
    pat::ModuleConfig config = WithPunchRows();
    ScopedConfig scoped(config);
    for (const Case &c : cases) {
        HostRecord record;
        Answer answer(c.text, c.kind, c.word);
        pat::portable::HeapFailNthAllocation(c.failAt);
        EXPECT_EQ(Fire(c.handler, record.get(), answer, c.parameter), c.result) << c.name;
        pat::portable::HeapFailNthAllocation(0);
        EXPECT_EQ(record.get()->*c.count, c.countAfter) << c.name;
        EXPECT_EQ(record->pMainProgVersion, nullptr) << c.name;
    }
}

}  // namespace
