// Status strings: record selection, codes of best priority, messages, slots
// and the length protocol, over the test configuration; help-file names.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/record.h"
#include "platform/portable/test_hooks.h"
#include "support/host.h"
#include "text/current_language.h"
#include "text/status_text.h"
#include "text/text_test_config.h"

namespace pat::test {
namespace {

class StatusString : public testing::Test {
protected:
    void SetUp() override { CurrentLangId.store(kEnglish); }
    ScopedConfig config_{TextTestConfig()};
    TextResources resources_;
};

void AddCodes(PrnInfoEx *record, const std::vector<uint32_t> &codes) {
    for (uint32_t code : codes) AddEngineStatus(record, code);
}

// Root tag 10 with rootPayload bytes, then one child per {tag, record}.
DataNode *StatusTree(uint32_t rootPayload, const std::vector<std::pair<uint32_t, const PrnInfoEx *>> &children) {
    std::vector<uint8_t> payload(rootPayload);
    DataNode *root = CreateNode(nullptr, kStatusRootTag, payload.data(), rootPayload);
    for (const auto &[tag, record] : children) CreateNode(root, tag, &record, sizeof record);
    return root;
}

TEST_F(StatusString, TextsComposedFromCodesMessagesAndSlots) {
    const std::string fullSlot = std::string(200, 'x') + ", " + std::string(53, 'y');  // 255 bytes
    const struct {
        const char *what;
        uint32_t deviceClass;
        uint32_t option;
        std::vector<uint32_t> codes;
        uint8_t flag;
        uint32_t error;
        std::string text;
    } cases[] = {
        {"exact rows, details in map order", 1, 0, {301}, 0, 0, "Error: Paper jam, Tray open."},
        {"best priority only, slot table", 1, 0, {301, 302}, 0, 0, "Check Toner low and "},
        {"flag code, details of every slot", 1, 0, {303}, 1, 0, "Check Toner low, Cover open and Cover open"},
        {"template without markers", 0x8000, 0, {150, 301}, 0, 0, "Warming up"},
        {"no message row", 1, 0, {199}, 0, PAT_ERROR_NOT_FOUND, ""},
        {"no code at all", 1, 0, {}, 0, PAT_ERROR_NOT_FOUND, ""},
        {"empty first detail", 1, 0, {110}, 0, 0, "Error: Paper jam."},
        {"percent without s", 1, 0, {120}, 0, 0, "100% %d %"},
        {"failing slot drops its marker", 1, 0, {130}, 0, 0, "ABC"},
        {"one slot text for each marker", 1, 0, {131}, 0, 0, "APaper jamBPaper jamC"},
        {"an earlier detail fails to load", 1, 0, {140}, 0, 0, "APaper jamBPaper jamC"},
        {"the last detail fails to load", 1, 0, {141}, 0, 0, "ABC"},
        {"option's low byte picks templates", 1, 0x105, {301}, 0, 0, "Option five: Paper jam, Tray open"},
        {"template row without map", 1, 6, {301}, 0, PAT_ERROR_NOT_FOUND, ""},
        {"no template row", 1, 9, {301}, 0, PAT_ERROR_NOT_FOUND, ""},
        {"class without row", 0x10001, 0, {301}, 0, PAT_ERROR_NOT_ENOUGH_MEMORY, ""},
        {"class row without priorities", 0x18000, 0, {301}, 0, PAT_ERROR_NOT_ENOUGH_MEMORY, ""},
        {"negative class tables", 0xFFFF8000, 0, {301}, 0, 0, "Negative: Paper jam"},
        {"texts cut at 255 and 511 bytes", 1, 0, {160}, 0, 0,
         fullSlot + fullSlot + "|"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        HostRecord record;
        AddCodes(record.get(), c.codes);
        record->bStatusBit27 = c.flag;
        // Class 0x8000 reports on the child whose tag is the root's payload length.
        HostTree tree(StatusTree(3, {{2, record.get()}, {(c.deviceClass & 0xFFFF) == 1 ? 1u : 3u, record.get()}}));
        char text[512];
        uint32_t length = sizeof text;
        EXPECT_EQ(PatGetStatusString(c.deviceClass, tree.get(), 3, c.option, text, &length), c.error == 0);
        EXPECT_EQ(GetLastError(), c.error);
        if (c.error == 0) EXPECT_EQ(text, c.text);
        EXPECT_EQ(length, c.error == 0 ? c.text.size() + 1 : sizeof text);
    }
}

TEST_F(StatusString, JapaneseTextInCodePage932) {
    HostRecord record;
    AddCodes(record.get(), {301});
    HostTree tree(StatusTree(0, {{2, record.get()}, {1, record.get()}}));
    ASSERT_EQ(PatSetLocale("japanese"), 1);
    char text[512];
    uint32_t length = sizeof text;
    ASSERT_EQ(PatGetStatusString(1, tree.get(), 3, 0, text, &length), 1);
    EXPECT_STREQ(text, "\x83\x47\x83\x89\x81\x5b: \x8e\x86\x8b\x6c\x82\xdc\x82\xe8"  // "Error: paper jam"
                       "\x81\x41\x83\x67\x83\x8c\x83\x43\x8a\x4a\x81\x42");         // ", tray open."
}

TEST_F(StatusString, LengthProtocol) {
    HostRecord record;
    AddCodes(record.get(), {150});
    HostTree tree(StatusTree(0, {{2, record.get()}, {1, record.get()}}));
    const struct {
        uint32_t length;
        bool buffer;
        int result;
        uint32_t error;
    } cases[] = {{0, true, 0, 122}, {10, true, 0, 122}, {11, false, 0, 122}, {11, true, 1, 0}, {500, true, 1, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.length);
        char text[512] = "untouched";
        uint32_t length = c.length;
        EXPECT_EQ(PatGetStatusString(1, tree.get(), 3, 0, c.buffer ? text : nullptr, &length), c.result);
        EXPECT_EQ(GetLastError(), c.error);
        EXPECT_EQ(length, 11u);
        EXPECT_STREQ(text, c.result == 1 ? "Warming up" : "untouched");
    }
}

TEST_F(StatusString, RecordSelection) {
    HostRecord base, selected, small;
    AddCodes(base.get(), {301});
    AddCodes(selected.get(), {302});
    selected->bStatusBit27 = 1;
    small->dwSize = PAT_PRNINFOEX_MIN_SIZE - 1;
    PrnInfoEx *none = nullptr;
    HostRecord empty;
    const struct {
        const char *what;
        uint32_t deviceClass;
        DataNode *tree;
        Status status;
        const EngineStatus *statuses;
    } cases[] = {
        {"class 1", 1, StatusTree(0, {{2, base.get()}, {1, selected.get()}}), 0, base->pEngineStatus},
        {"base without items", 1, StatusTree(0, {{2, empty.get()}, {1, selected.get()}}), 0, selected->pEngineStatus},
        {"class 0x8000, payload 3", 0x8000, StatusTree(3, {{2, empty.get()}, {1, base.get()}, {3, selected.get()}}), 0,
         selected->pEngineStatus},
        {"payload 2: the base", 0x8000, StatusTree(2, {{1, selected.get()}, {2, base.get()}}), 0, base->pEngineStatus},
        {"root tag", 1, CreateNode(nullptr, 9, nullptr, 0), 87, nullptr},
        {"no base", 1, StatusTree(0, {{1, selected.get()}}), 87, nullptr},
        {"null base", 1, StatusTree(0, {{2, none}, {1, selected.get()}}), 87, nullptr},
        {"small record", 1, StatusTree(0, {{2, base.get()}, {1, small.get()}}), 87, nullptr},
        {"class", 2, StatusTree(0, {{2, base.get()}, {1, selected.get()}}), 87, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        HostTree tree(c.tree);
        PrnInfoEx working;
        ASSERT_EQ(SelectStatusRecord(c.deviceClass, tree.get(), &working), c.status);
        if (c.status != 0) continue;
        EXPECT_EQ(working.pEngineStatus, c.statuses);
        EXPECT_EQ(working.bStatusBit27, c.deviceClass == 0x8000 && c.statuses == base->pEngineStatus ? 0 : 1);
    }
    // A record child whose payload is not exactly a pointer.
    uint64_t wide = reinterpret_cast<uintptr_t>(selected.get());
    HostTree tree(StatusTree(0, {{2, base.get()}}));
    CreateNode(tree.get(), 1, &wide, sizeof wide);
    PrnInfoEx working;
    EXPECT_EQ(SelectStatusRecord(1, tree.get(), &working), kInvalidParameter);
}

TEST(StatusCodes, PatternsAndPriorities) {
    const struct {
        const char *text, *pattern;
        bool match;
    } patterns[] = {{"301", "3xx", true}, {"301", "x0z", true}, {"301", "301", true}, {"30", "3xx", false},
                    {"3011", "3xx", false}, {"301", "3X1", false}, {"301", "3?1", false}, {"", "", true}};
    for (const auto &p : patterns)
        EXPECT_EQ(MatchCodePattern(p.text, p.pattern), p.match) << p.text << " " << p.pattern;

    const StatusPriorityRow equal[] = {{"3xx", 2}, {"4294967042", 2}, {nullptr, 0}};
    const StatusPriorityRow exactWins[] = {{"3xx", 2}, {"301", 5}, {nullptr, 0}};
    const StatusPriorityRow unmatched[] = {{"9xx", 1}, {"3xx", 0xFFFF}, {nullptr, 0}};
    const struct {
        const StatusPriorityRow *table;
        std::vector<uint32_t> codes;
        uint8_t flag;
        std::vector<uint32_t> collected;
    } cases[] = {
        {equal, {305, 301, 303}, 0, {301, 303, 305}},
        {equal, {305, 301, 303}, 1, {301, 303, 305, 0xFFFFFF02}},
        {exactWins, {301}, 1, {301}},
        {exactWins, {301, 302}, 0, {302}},
        {unmatched, {5, 301, 3, 3}, 0, {3, 3, 5, 301}},
        {unmatched, {}, 1, {0xFFFFFF02}},
    };
    for (const auto &c : cases) {
        const StatusClassRow classes[] = {{0x00018000, c.table}, {0xFFFFFFFF, nullptr}};
        ModuleConfig config = ShippedConfig();
        config.text.statusClassTable = classes;
        ScopedConfig scoped(config);
        HostRecord record;
        AddCodes(record.get(), c.codes);
        record->bStatusBit27 = c.flag;
        RecordArray *codes = CreateCodeArray();
        StatusRequest request = {0x00018000, record.get()};
        EXPECT_EQ(CollectStatusCodes(&request, codes), kOk);
        const uint32_t *first = static_cast<const uint32_t *>(RecordArrayAt(codes, 1));
        EXPECT_EQ(std::vector<uint32_t>(first, first + RecordArrayCount(codes)), c.collected);
        request.deviceClass = 0x8000;  // all 32 bits are the key
        EXPECT_EQ(CollectStatusCodes(&request, codes), kNotFound);
        DestroyRecordArray(codes);
    }
}

Status WriteCodes(const StatusRequest *, RecordArray *codes, char *text, uint32_t capacity) {
    for (uint32_t n = 1; n <= RecordArrayCount(codes); ++n)
        snprintf(text + strlen(text), capacity - strlen(text), "%u.",
                 *static_cast<uint32_t *>(RecordArrayAt(codes, n)));
    return kOk;
}

TEST_F(StatusString, HelpFileNames) {
    HostRecord record;
    AddCodes(record.get(), {305, 150, 303, 111});
    char text[16] = "untouched";
    uint32_t length = 0;
    EXPECT_EQ(PatGetStatusHelpFileName(0x8000, record.get(), 0xDEAD, text, &length), 0);
    EXPECT_EQ(GetLastError(), PAT_ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(length, 1u);
    EXPECT_EQ(PatGetStatusHelpFileName(0x8000, record.get(), 0, nullptr, &length), 0);
    EXPECT_EQ(GetLastError(), PAT_ERROR_INSUFFICIENT_BUFFER) << "a null buffer is never written through";
    EXPECT_EQ(PatGetStatusHelpFileName(0x8000, record.get(), 0, text, &length), 1);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(PatGetStatusHelpFileName(0x10001, record.get(), 0, text, &length), 0);
    EXPECT_EQ(GetLastError(), PAT_ERROR_NOT_FOUND);
    record->dwSize = 100;
    EXPECT_EQ(PatGetStatusHelpFileName(1, record.get(), 0, text, &length), 0);
    EXPECT_EQ(GetLastError(), PAT_ERROR_INVALID_PARAMETER);
    record->dwSize = PAT_PRNINFOEX_MIN_SIZE;

    ModuleConfig config = TextTestConfig();
    config.text.helpFileStep = WriteCodes;
    ScopedConfig scoped(config);
    length = sizeof text;
    EXPECT_EQ(PatGetStatusHelpFileName(1, record.get(), 0, text, &length), 1);
    EXPECT_STREQ(text, "111.150.");  // the codes of best priority, sorted
}

// Every allocation of a composition with two slots fails once in turn: the
// call fails with PAT_ERROR_NOT_ENOUGH_MEMORY or PAT_ERROR_NOT_FOUND, or a slot loses a detail or its marker;
// nothing stays allocated.
TEST_F(StatusString, AllocationFailuresDuringComposition) {
    HostRecord record;
    AddCodes(record.get(), {303});
    record->bStatusBit27 = 1;
    HostTree tree(StatusTree(0, {{2, record.get()}, {1, record.get()}}));
    const std::string full = "Check Toner low, Cover open and Cover open";
    const std::set<std::string> degraded = {"Check Cover open and Cover open", "Check  and Toner low, Cover open",
                                            "Check Toner low, Cover open and "};
    char text[512];
    uint32_t length = sizeof text;
    portable::HeapFailNthAllocation(0);
    ASSERT_EQ(PatGetStatusString(1, tree.get(), 3, 0, text, &length), 1);
    ASSERT_EQ(text, full);
    const uint32_t allocations = portable::HeapAllocationsSinceArmed();
    std::set<uint32_t> errors;
    std::set<std::string> texts;
    for (uint32_t n = 1; n <= allocations + 1; ++n) {
        SCOPED_TRACE(n);
        uint32_t before = portable::HeapLiveBlocks();
        portable::HeapFailNthAllocation(n);
        length = sizeof text;
        int result = PatGetStatusString(1, tree.get(), 3, 0, text, &length);
        portable::HeapFailNthAllocation(0);
        EXPECT_EQ(portable::HeapLiveBlocks(), before);
        if (result == 1) {
            EXPECT_TRUE(text == full || degraded.count(text) == 1) << text;
            texts.insert(text);
        } else {
            EXPECT_TRUE(GetLastError() == PAT_ERROR_NOT_ENOUGH_MEMORY || GetLastError() == PAT_ERROR_NOT_FOUND) << GetLastError();
            EXPECT_EQ(length, sizeof text);
            errors.insert(GetLastError());
        }
    }
    EXPECT_EQ(errors, (std::set<uint32_t>{PAT_ERROR_NOT_ENOUGH_MEMORY, PAT_ERROR_NOT_FOUND}));
    EXPECT_EQ(texts.size(), degraded.size() + 1) << "every degraded text occurs";
}

}  // namespace
}  // namespace pat::test
