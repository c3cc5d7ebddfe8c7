// What the module asks the printer: request trees for every category mask and
// tray list, built through the exports as a host calls them.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "core/record.h"
#include "platform/portable/test_hooks.h"
#include "support/host.h"

namespace pat::test {
namespace {

const std::string kOpen = "\x1B%-12345X@PJL\r\n";
const std::string kClose = "\x1B%-12345X";
const std::string kConfig = "@PJL INFO CONFIG\r\n";
const std::string kOutBins = "@PJL INFO OUTBINSTATUS\r\n";

std::string Group(const std::string &n) {
    return "@PJL INQUIRE INTRAY" + n + "SIZE\r\n@PJL INQUIRE INTRAY" + n + "QUANT\r\n@PJL INQUIRE INTRAY" + n + "\r\n";
}
const std::string kManual = "@PJL INQUIRE INTRAYMSIZE\r\n@PJL INQUIRE INTRAYMULTI\r\n";

void ListTrays(PrnInfoEx *record, std::initializer_list<uint16_t> trays) {
    for (uint16_t code : trays) {
        TrayInfo *tray = NewItem<TrayInfo>();
        tray->wTray = code;
        AddItem(record, keys::kTrayInfo, &tray->header);
    }
}

// The children of a request root as {tag, payload text} pairs.
std::vector<std::pair<uint32_t, std::string>> Children(const DataNode *root) {
    std::vector<std::pair<uint32_t, std::string>> out;
    for (const DataNode *c = root->firstChild; c != nullptr; c = c->nextSibling) {
        EXPECT_EQ(c->parent, root);
        out.emplace_back(c->tag, PayloadText(c));
    }
    return out;
}

struct QueryCase {
    const char *name;
    uint32_t mask;
    std::initializer_list<uint16_t> trays;
    bool deviceId;
    std::string text;  // empty: no PJL text child
};

TEST(QueryBuilder, BuildsTheRequestTreeForEachMaskAndTrayList) {
    const QueryCase cases[] = {
        {"nothing asked", 0, {}, false, ""},
        {"fonts come only from PMInfo", 0x200, {}, false, ""},
        {"status asks the device ID only", 0x2, {}, true, ""},
        {"identity and engine status share one request", 0x80400, {}, true, ""},
        {"configuration and emulations share one INFO CONFIG", 0x104, {}, false, kOpen + kConfig + kClose},
        {"options ask INFO CONFIG", 0x20000, {}, false, kOpen + kConfig + kClose},
        {"default trays when none is listed", 0x8, {}, false, kOpen + Group("1") + kManual + kClose},
        {"listed trays in list order", 0x8001A, {4, 3}, true, kOpen + Group("2") + Group("1") + kOutBins + kClose},
        {"a tray of no row still sends the text", 0x8, {2}, false, kOpen + kClose},
        {"trays sharing a group ask it twice", 0x8, {13, 11}, false, kOpen + Group("LCT") + Group("LCT") + kClose},
        {"tandem tray 1001 asks tray 3", 0x8, {1001}, false, kOpen + Group("3") + kClose},
        {"output bins", 0x10, {}, false, kOpen + kOutBins + kClose},
        {"inserters", 0x8, {101, 102}, false,
         kOpen + "@PJL INQUIRE INTRAYINSERTERSIZE\r\n@PJL INQUIRE INTRAYINSERTER2SIZE\r\n" + kClose},
    };
    for (const QueryCase &c : cases) {
        SCOPED_TRACE(c.name);
        HostRecord record;
        ListTrays(record.get(), c.trays);
        SetLastError(0xDEAD);
        HostTree root(PatCreateQueryInfo(record.get(), 2, c.mask));
        ASSERT_NE(root.get(), nullptr);
        EXPECT_EQ(GetLastError(), 0u);
        EXPECT_EQ(root->tag, 1u);
        EXPECT_EQ(root->payloadLength, 0u);
        EXPECT_EQ(root->parent, nullptr);
        std::vector<std::pair<uint32_t, std::string>> expected;
        if (c.deviceId) expected.emplace_back(1002, "");
        if (!c.text.empty()) expected.emplace_back(1000, c.text);
        EXPECT_EQ(Children(root.get()), expected);
    }
}

TEST(QueryBuilder, TextPayloadCarriesItsTerminator) {
    HostRecord record;
    HostTree root(PatCreateQueryInfo(record.get(), 2, 0x8));
    const DataNode *text = root->firstChild;
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->payloadLength, 152u);
    EXPECT_EQ(PayloadText(text).size(), 151u);
    EXPECT_EQ(reinterpret_cast<const char *>(text + 1)[151], '\0');
    EXPECT_EQ(root->lastChild, text);
}

TEST(QueryBuilder, EveryTrayOnceAndEveryCategoryMakes947Characters) {
    HostRecord record;
    ListTrays(record.get(), {3, 4, 5, 1001, 6, 7, 8, 9, 13, 11, 1, 101, 102});
    HostTree root(PatCreateQueryInfo(record.get(), 2, 0xFFFFFFFF));
    ASSERT_NE(root.get(), nullptr);
    const DataNode *text = FindByTag(root->firstChild, 1000);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->payloadLength, 948u);
}

TEST(QueryBuilder, ARepetitiveTrayListNeverOverrunsTheTextArea) {
    HostRecord record;
    for (int i = 0; i < 40; ++i) ListTrays(record.get(), {13});
    HostTree root(PatCreateQueryInfo(record.get(), 2, 0x1C));
    const DataNode *text = FindByTag(root->firstChild, 1000);
    ASSERT_NE(text, nullptr);
    ASSERT_LE(text->payloadLength, 1024u);
    std::string s = PayloadText(text);
    EXPECT_EQ(s.size() + 1, text->payloadLength);
    // Whole groups only, and what follows the trays is still there.
    std::string expectedTail = kOutBins + kClose;
    ASSERT_GE(s.size(), expectedTail.size());
    EXPECT_EQ(s.substr(s.size() - expectedTail.size()), expectedTail);
    EXPECT_EQ(s.substr(0, kOpen.size() + kConfig.size()), kOpen + kConfig);
    std::string trays = s.substr(kOpen.size() + kConfig.size(), s.size() - expectedTail.size() - kOpen.size() - kConfig.size());
    EXPECT_EQ(trays.size() % Group("LCT").size(), 0u);
    EXPECT_GT(s.size() + 1 + Group("LCT").size(), 1024u) << "a group that fits was left out";
}

TEST(QueryBuilder, RejectsBadArgumentsWithoutAllocating) {
    HostRecord record;
    uint32_t before = portable::HeapLiveBlocks();
    EXPECT_EQ(PatCreateQueryInfo(nullptr, 2, 0x8), nullptr);
    EXPECT_EQ(GetLastError(), PAT_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(PatCreateQueryInfo(record.get(), 3, 0x8), nullptr);
    EXPECT_EQ(GetLastError(), PAT_ERROR_INVALID_PARAMETER);
    record->dwSize = 1171;
    EXPECT_EQ(PatCreateQueryInfo(record.get(), 2, 0x8), nullptr);
    EXPECT_EQ(GetLastError(), PAT_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(portable::HeapLiveBlocks(), before);

    record->dwSize = 1172;
    HostTree accepted(PatCreateQueryInfo(record.get(), 0x102, 0));
    EXPECT_NE(accepted.get(), nullptr);
}

TEST(QueryBuilder, OutOfMemoryAtAnyNodeFailsWholeWithError8) {
    HostRecord record;
    for (uint32_t n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        uint32_t before = portable::HeapLiveBlocks();
        portable::HeapFailNthAllocation(n);
        DataNode *root = PatCreateQueryInfo(record.get(), 2, 0x1A);
        portable::HeapFailNthAllocation(0);
        EXPECT_EQ(root, nullptr);
        EXPECT_EQ(GetLastError(), PAT_ERROR_NOT_ENOUGH_MEMORY);
        EXPECT_EQ(portable::HeapLiveBlocks(), before);
    }
}

TEST(EmulUniqQuery, AsksForTheZoltInformation) {
    int context = 0;
    HostTree root(PatCreateEmulUniqQueryInfo(&context, 2, 0x0001000F, 0));
    ASSERT_NE(root.get(), nullptr);
    EXPECT_EQ(GetLastError(), 0u);
    ASSERT_NE(root->firstChild, nullptr);
    EXPECT_EQ(root->firstChild->tag, 1000u);
    EXPECT_EQ(root->firstChild->payloadLength, 41u);
    EXPECT_EQ(PayloadText(root->firstChild), "\x1B%-12345X@PJL\r\n@PJL INFO ZOLT\r\n\x1B%-12345X");
    EXPECT_EQ(root->firstChild->nextSibling, nullptr);
}

TEST(EmulUniqQuery, RejectsBadArguments) {
    int context = 0;
    struct Case {
        const void *context;
        uint32_t revision, kind;
        uint32_t error;
    } cases[] = {
        {nullptr, 2, 15, PAT_ERROR_INVALID_PARAMETER}, {&context, 3, 15, PAT_ERROR_INVALID_PARAMETER}, {&context, 2, 14, PAT_ERROR_INVALID_PARAMETER}, {&context, 2, 0x10, PAT_ERROR_INVALID_PARAMETER},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(PatCreateEmulUniqQueryInfo(c.context, c.revision, c.kind, 0), nullptr);
        EXPECT_EQ(GetLastError(), c.error);
    }
    portable::HeapFailNthAllocation(2);
    EXPECT_EQ(PatCreateEmulUniqQueryInfo(&context, 2, 15, 0), nullptr);
    EXPECT_EQ(GetLastError(), PAT_ERROR_NOT_ENOUGH_MEMORY);
}

}  // namespace
}  // namespace pat::test
