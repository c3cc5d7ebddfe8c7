// The INFO OUTBINSTATUS and INQUIRE answer handlers, each called on its own
// with the cursor where the dispatcher would lend it.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/record.h"
#include "platform/portable/test_hooks.h"
#include "reply/handler_test_support.h"
#include "support/host.h"

namespace {

using pat::test::HostRecord;
using pat::test::Items;
using pat_test::AddDevice;
using pat_test::AddTray;
using pat_test::Answer;
using pat_test::Devices;
using pat_test::Fire;
using pat_test::ReadNext;

// An INQUIRE answer: the question, then its value alone on the next line.
std::string Inquire(const std::string &variable, const std::string &value) {
    return "@PJL INQUIRE " + variable + "\r\n" + value + "\r\n\f";
}

// ---- INFO OUTBINSTATUS -----------------------------------------------------

std::vector<std::pair<uint16_t, uint16_t>> Bins(PrnInfoEx *record) {
    std::vector<std::pair<uint16_t, uint16_t>> bins;
    for (OutBinInfo *item : Items(record->pOutBinInfo)) bins.push_back({item->wBin, item->wState});
    return bins;
}

TEST(OnOutBinState, EachBinLineOfTheAnswerRebuildsTheList) {
    HostRecord record;
    OutBinInfo *stale = pat::NewItem<OutBinInfo>();
    stale->wBin = 9;
    pat::AddItem(record.get(), pat::keys::kOutBinInfo, &stale->header);
    Answer answer("@PJL INFO OUTBINSTATUS\r\nUPPER=PAPEREXIST\r\nLOWER=FULL\r\n\f", pat::TOKEN_CATEGORY,
                  "OUTBINSTATUS");
    EXPECT_EQ(Fire(pat::OnInfoOutBinStatus, record.get(), answer), pat::kOk);
    EXPECT_EQ(record->dwOutBinInfoCount, 0u);
    EXPECT_EQ(record->dwBinValue, 255u);

    ASSERT_TRUE(pat_test::SkipPast(&answer.cursor, pat::TOKEN_KEY, "UPPER"));
    EXPECT_EQ(Fire(pat::OnOutBinState, record.get(), answer, 1), pat::kOk);
    ASSERT_TRUE(pat_test::SkipPast(&answer.cursor, pat::TOKEN_KEY, "LOWER"));
    EXPECT_EQ(Fire(pat::OnOutBinState, record.get(), answer, 0x10000 | 34), pat::kOk);
    EXPECT_EQ(Bins(record.get()), (std::vector<std::pair<uint16_t, uint16_t>>{{1, 1}, {34, 2}}));
    EXPECT_EQ(record->dwBinValue, 255u);
    EXPECT_EQ(ReadNext(&answer.cursor).kind, pat::TOKEN_EOL);
}

TEST(OnOutBinState, ListsTheBinWhateverItsStateWord) {
    struct Case {
        const char *line;
        pat::Status result;
        uint16_t state;
    };
    const Case cases[] = {
        {"UPPER=READY\r\n\f", pat::kOk, 0},
        {"UPPER=PAPEREXIST\r\n\f", pat::kOk, 1},
        {"UPPER=FULL\r\n\f", pat::kOk, 2},
        {"UPPER=full\r\n\f", pat::kOk, 0},
        {"UPPER=JAMMED\r\n\f", pat::kOk, 0},
        {"UPPER\r\n\f", pat::kOk, 0},                // no "=" value: the line end was read
        {"UPPER [FULL X]\r\n\f", pat::kOk, 0},
        {"UPPER=", pat::kInvalidData, 0},            // the text ends inside the block
    };
    for (const Case &c : cases) {
        HostRecord record;
        Answer answer(std::string("@PJL INFO OUTBINSTATUS\r\n") + c.line, pat::TOKEN_KEY, "UPPER");
        EXPECT_EQ(Fire(pat::OnOutBinState, record.get(), answer, 1), c.result) << c.line;
        EXPECT_EQ(Bins(record.get()), (std::vector<std::pair<uint16_t, uint16_t>>{{1, c.state}})) << c.line;
    }
}

// ---- Tray lock, size and level ---------------------------------------------

struct TrayFields {
    uint16_t paper;
    uint16_t level;
    uint32_t attributes;
};

struct TrayCase {
    const char *name;
    pat_test::Handler handler;
    uint16_t tray;
    std::string text;
    const char *variable;
    bool exists;          // the record already holds the tray, with `before`
    TrayFields before;
    pat::Status result;
    TrayFields after;
};

void RunTrayCase(const TrayCase &c) {
    HostRecord record;
    AddTray(record.get(), 2, 7, 20, 0x800);  // another tray, never touched
    if (c.exists) AddTray(record.get(), c.tray, c.before.paper, c.before.level, c.before.attributes);
    Answer answer(c.text, pat::TOKEN_CATEGORY, c.variable);
    EXPECT_EQ(Fire(c.handler, record.get(), answer, c.tray), c.result) << c.name;
    std::vector<TrayInfo *> trays = Items(record->pTrayInfo);
    ASSERT_EQ(trays.size(), 2u) << c.name;
    EXPECT_EQ(trays[0]->wTray, 2) << c.name;
    EXPECT_EQ(trays[0]->wPaperSize, 7) << c.name;
    EXPECT_EQ(trays[0]->wLevel, 20) << c.name;
    EXPECT_EQ(trays[0]->dwAttributes, 0x800u) << c.name;
    EXPECT_EQ(trays[1]->wTray, c.tray) << c.name;
    EXPECT_EQ(trays[1]->wPaperSize, c.after.paper) << c.name;
    EXPECT_EQ(trays[1]->wLevel, c.after.level) << c.name;
    EXPECT_EQ(trays[1]->wMedia, 0) << c.name;
    EXPECT_EQ(trays[1]->dwAttributes, c.after.attributes) << c.name;
}

TEST(TrayInquiryHandlers, StoreTheValueInTheTrayCreatingIt) {
    const TrayFields kEmpty = {0, 0, 0};
    const TrayCase cases[] = {
        {"locked, new tray", pat::OnTrayLock, 3, Inquire("INTRAY1", "LOCKED"), "INTRAY1", false, kEmpty, pat::kOk,
         {0, 0, PAT_TRAY_LOCKED}},
        {"locked keeps bits", pat::OnTrayLock, 3, Inquire("INTRAY1", "LOCKED"), "INTRAY1", true, {9, 60, 0x900},
         pat::kOk, {9, 60, 0x901}},
        {"unlocked clears bit 0", pat::OnTrayLock, 3, Inquire("INTRAY1", "UNLOCKED"), "INTRAY1", true,
         {9, 60, 0x901}, pat::kOk, {9, 60, 0x900}},
        {"lower-case locked", pat::OnTrayLock, 3, Inquire("INTRAY1", "locked"), "INTRAY1", true, {0, 0, 0x401},
         pat::kOk, {0, 0, 0x400}},
        {"size, new tray", pat::OnTraySize, 4, Inquire("INTRAY2SIZE", "A4SRT"), "INTRAY2SIZE", false, kEmpty,
         pat::kOk, {9, 0, 0}},
        {"size unknown", pat::OnTraySize, 4, Inquire("INTRAY2SIZE", "XYZ"), "INTRAY2SIZE", true, {5, 40, 1},
         pat::kOk, {0, 40, 1}},
        {"level 3/5", pat::OnTrayLevel, 11, Inquire("INTRAYLCTQUANT", "3/5"), "INTRAYLCTQUANT", false, kEmpty,
         pat::kOk, {0, 60, 0}},
        {"level END", pat::OnTrayLevel, 11, Inquire("INTRAYLCTQUANT", "END"), "INTRAYLCTQUANT", true, {9, 100, 1},
         pat::kOk, {9, 0, 1}},
        {"level FULL", pat::OnTrayLevel, 11, Inquire("INTRAYLCTQUANT", "FULL"), "INTRAYLCTQUANT", true, {9, 20, 0},
         pat::kOk, {9, 100, 0}},
        {"level unknown", pat::OnTrayLevel, 11, Inquire("INTRAYLCTQUANT", "HALF"), "INTRAYLCTQUANT", true,
         {0, 40, 0}, pat::kOk, {0, 0, 0}},
    };
    for (const TrayCase &c : cases) RunTrayCase(c);
}

// An answer whose value does not stand alone on the line after the question
// stores nothing; the tray item is still created.
TEST(TrayInquiryHandlers, ValueNotOnItsOwnLineStoresNothing) {
    const TrayFields kEmpty = {0, 0, 0};
    const struct {
        const char *name;
        std::string text;
        pat::Status result;
    } shapes[] = {
        {"word after the variable", "@PJL INQUIRE INTRAY1SIZE A4SRT\r\n\f", pat::kInvalidParameter},
        {"words after the variable", "@PJL INQUIRE INTRAY1SIZE X A4SRT\r\n\f", pat::kInvalidParameter},
        {"= after the variable", "@PJL INQUIRE INTRAY1SIZE=A4SRT\r\n\f", pat::kInvalidParameter},
        {"value with = on its line", "@PJL INQUIRE INTRAY1SIZE\r\nA4SRT=1\r\n\f", pat::kInvalidParameter},
        {"value with a count", "@PJL INQUIRE INTRAY1SIZE\r\nA4SRT [1 X]\r\n\f", pat::kInvalidParameter},
        {"next block instead of a value", "@PJL INQUIRE INTRAY1SIZE\r\n@PJL INQUIRE INTRAY2SIZE\r\nB5\r\n\f",
         pat::kInvalidParameter},
        // The scanner rejects these lines itself.
        {"indented value", "@PJL INQUIRE INTRAY1SIZE\r\n\tA4SRT\r\n\f", pat::kInvalidData},
        {"text ends", "@PJL INQUIRE INTRAY1SIZE\r\n", pat::kInvalidData},
    };
    for (const auto &shape : shapes)
        RunTrayCase({shape.name, pat::OnTraySize, 3, shape.text, "INTRAY1SIZE", false, kEmpty, shape.result, kEmpty});
}

// ---- Printer marking and function package ----------------------------------

TEST(OnPrinterMarkingType, StoresTheMarkingCode) {
    const struct {
        std::string text;
        uint8_t before;
        pat::Status result;
        uint8_t after;
    } cases[] = {
        {Inquire("PRINTERMARKINGTYPE", "SECURITYTRACE"), 0, pat::kOk, 1},
        {Inquire("PRINTERMARKINGTYPE", "COPYGUARD"), 0, pat::kOk, 1},
        {Inquire("PRINTERMARKINGTYPE", "OFF"), 1, pat::kOk, 0},
        {Inquire("PRINTERMARKINGTYPE", "WATERMARK"), 1, pat::kOk, 0},
        {"@PJL INQUIRE PRINTERMARKINGTYPE=OFF\r\n\f", 1, pat::kInvalidParameter, 1},
        {"@PJL INQUIRE PRINTERMARKINGTYPE OFF\r\n\f", 1, pat::kInvalidParameter, 1},
    };
    for (const auto &c : cases) {
        HostRecord record;
        record->bCopyGuard = c.before;
        Answer answer(c.text, pat::TOKEN_CATEGORY, "PRINTERMARKINGTYPE");
        EXPECT_EQ(Fire(pat::OnPrinterMarkingType, record.get(), answer), c.result) << c.text;
        EXPECT_EQ(record->bCopyGuard, c.after) << c.text;
    }
}

pat::Status AnswerPackage(PrnInfoEx *record, const std::string &text) {
    Answer answer(text, pat::TOKEN_CATEGORY, "REFRESHCOPYPLUGINSTATUS");
    return Fire(pat::OnFuncpkgStatus, record, answer, 1);
}

TEST(OnFuncpkgStatus, OnePackageItemAndADeviceForEachActiveAnswer) {
    HostRecord record;
    FuncpkgInfo *converted = pat::NewItem<FuncpkgInfo>();  // from a PMInfo conversion: index 0
    pat::CopyToField(converted->szName, sizeof converted->szName, "604271958");
    converted->dwState = 1;
    pat::AddItem(record.get(), pat::keys::kFuncpkgInfo, &converted->header);

    EXPECT_EQ(AnswerPackage(record.get(), Inquire("REFRESHCOPYPLUGINSTATUS", "ACTIVATE")), pat::kOk);
    EXPECT_EQ(AnswerPackage(record.get(), Inquire("REFRESHCOPYPLUGINSTATUS", "ACTIVATE")), pat::kOk);
    std::vector<FuncpkgInfo *> packages = Items(record->pFuncpkgInfo);
    ASSERT_EQ(packages.size(), 2u);
    EXPECT_EQ(packages[0], converted);
    EXPECT_EQ(packages[0]->wIndex, 0);
    EXPECT_EQ(packages[1]->wIndex, 1);
    EXPECT_STREQ(packages[1]->szName, "604271958");
    EXPECT_STREQ(packages[1]->szText, "");
    EXPECT_EQ(packages[1]->dwState, 1u);
    EXPECT_EQ(Devices(record.get()), (std::vector<uint16_t>{500, 500}));

    EXPECT_EQ(AnswerPackage(record.get(), Inquire("REFRESHCOPYPLUGINSTATUS", "NONE")), pat::kOk);
    EXPECT_EQ(record->dwFuncpkgInfoCount, 2u);
    EXPECT_EQ(packages[1]->dwState, 0u);
    EXPECT_EQ(Devices(record.get()), (std::vector<uint16_t>{500, 500}));
}

TEST(OnFuncpkgStatus, InactiveOrMisshapenAnswers) {
    HostRecord record;
    AddDevice(record.get(), 7);
    EXPECT_EQ(AnswerPackage(record.get(), Inquire("REFRESHCOPYPLUGINSTATUS", "NONE")), pat::kOk);
    ASSERT_EQ(record->dwFuncpkgInfoCount, 1u);
    EXPECT_EQ(record->pFuncpkgInfo->wIndex, 1);
    EXPECT_EQ(record->pFuncpkgInfo->dwState, 0u);
    EXPECT_EQ(Devices(record.get()), (std::vector<uint16_t>{7}));

    HostRecord untouched;
    EXPECT_EQ(AnswerPackage(untouched.get(), "@PJL INQUIRE REFRESHCOPYPLUGINSTATUS ACTIVATE\r\n\f"),
              pat::kInvalidParameter);
    EXPECT_EQ(untouched->dwFuncpkgInfoCount, 0u);
    EXPECT_EQ(untouched->dwDeviceInfoCount, 0u);
}

// ---- Out of memory ---------------------------------------------------------

// {trays, bins, packages, devices}
using Counts = std::array<uint32_t, 4>;

Counts CountsOf(PrnInfoEx *record) {
    return {record->dwTrayInfoCount, record->dwOutBinInfoCount, record->dwFuncpkgInfoCount,
            record->dwDeviceInfoCount};
}

TEST(InquiryHandlersOutOfMemory, NothingHalfAdded) {
    const std::string kPackage = Inquire("REFRESHCOPYPLUGINSTATUS", "ACTIVATE");
    const struct {
        const char *name;
        pat_test::Handler handler;
        uint32_t parameter;
        std::string text;
        const char *word;
        uint32_t failAt;
        pat::Status result;
        Counts after;
    } cases[] = {
        {"bin", pat::OnOutBinState, 1, "@PJL INFO OUTBINSTATUS\r\nUPPER=FULL\r\n\f", "UPPER", 1, pat::kNoMemory,
         {0, 0, 0, 0}},
        {"lock", pat::OnTrayLock, 3, Inquire("INTRAY1", "LOCKED"), "INTRAY1", 1, pat::kNoMemory, {0, 0, 0, 0}},
        {"size", pat::OnTraySize, 3, Inquire("INTRAY1SIZE", "A4"), "INTRAY1SIZE", 1, pat::kNoMemory, {0, 0, 0, 0}},
        {"level", pat::OnTrayLevel, 3, Inquire("INTRAY1QUANT", "END"), "INTRAY1QUANT", 1, pat::kNoMemory,
         {0, 0, 0, 0}},
        {"package", pat::OnFuncpkgStatus, 1, kPackage, "REFRESHCOPYPLUGINSTATUS", 1, pat::kNoMemory, {0, 0, 0, 0}},
        // The package is listed; only its device is missing.
        {"package device", pat::OnFuncpkgStatus, 1, kPackage, "REFRESHCOPYPLUGINSTATUS", 2, pat::kOk,
         {0, 0, 1, 0}},
    };
    for (const auto &c : cases) {
        HostRecord record;
        uint32_t kind = c.handler == pat::OnOutBinState ? pat::TOKEN_KEY : pat::TOKEN_CATEGORY;
        Answer answer(c.text, kind, c.word);
        pat::portable::HeapFailNthAllocation(c.failAt);
        EXPECT_EQ(Fire(c.handler, record.get(), answer, c.parameter), c.result) << c.name;
        pat::portable::HeapFailNthAllocation(0);
        EXPECT_EQ(CountsOf(record.get()), c.after) << c.name;
    }
}

}  // namespace
