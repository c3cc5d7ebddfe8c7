// The dispatcher narrows the rule tables word by word and the completeness
// check looks up the request's categories in one pass over the answer. Both
// must give exactly what the plain algorithms give: every rule row compared
// for every word, the answer rescanned from its start for every category.
// Those plain algorithms are written out here and compared with the module
// over realistic answers, their prefixes and single-byte mutations.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "api/module_config.h"
#include "reply/handler_support.h"
#include "reply/reply_dispatch.h"
#include "reply/rule_shortlist.h"
#include "support/host.h"
#include "support/record_snapshot.h"

namespace pat::test {
namespace {

// A line's five words, as the plain dispatcher keeps them in token buffers.
struct ReplyKeys {
    char command[kTokenCapacity];
    char category[kTokenCapacity];
    char key[kTokenCapacity];
    char item[kTokenCapacity];
    char value[kTokenCapacity];
};

// One rule through the dispatcher's shortlist: the first row at or after
// `first` whose five texts equal the keys; null at the terminator or for a
// null table.
const ReplyRule *FindReplyRule(const ReplyRule *first, const ReplyKeys *keys) {
    RuleShortlist whole;
    ShortlistWholeTable(&whole, first);
    LineTexts line;
    const char *fields[] = {keys->command, keys->category, keys->key, keys->item, keys->value};
    for (uint32_t i = 0; i < 5; ++i) {
        uint32_t length = static_cast<uint32_t>(strnlen(fields[i], kTokenCapacity));
        line.texts[i] = {fields[i], length, TextSignature(fields[i], length)};
    }
    uint32_t at = 0;
    return NextMatchingRule(&whole, &line, &at);
}

bool Equal(const char *rule, const char *current) { return strcmp(rule != nullptr ? rule : "", current) == 0; }

const ReplyRule *PlainFind(const ReplyRule *row, const ReplyKeys &k) {
    for (; row != nullptr && row->command != nullptr; ++row)
        if (row->handler != nullptr && Equal(row->command, k.command) && Equal(row->category, k.category) &&
            Equal(row->key, k.key) && Equal(row->item, k.item) && Equal(row->value, k.value))
            return row;
    return nullptr;
}

void PlainDispatch(PrnInfoEx *record, const ReplyRule *familyTable, const std::string &text) {
    ReplyKeys keys = {};
    ReplyCursor cursor;
    InitReplyCursor(&cursor, text.data(), static_cast<uint32_t>(text.size()));
    Token token;
    do {
        if (ReadToken(&cursor, &token) != kOk) continue;
        char *field = nullptr;
        switch (token.kind) {
            case TOKEN_COMMAND: keys = {}; field = keys.command; break;
            case TOKEN_CATEGORY: field = keys.category; break;
            case TOKEN_KEY: field = keys.key; break;
            case TOKEN_ITEM: field = keys.item; break;
            case TOKEN_ITEM_VALUE: field = keys.value; break;
            case TOKEN_EOL: keys.item[0] = keys.value[0] = '\0'; break;
            default: break;
        }
        if (field == nullptr) continue;
        strcpy(field, token.text);
        const ReplyRule *f = PlainFind(familyTable, keys), *c = PlainFind(Config().reply.commonReplyTable, keys);
        for (; f != nullptr; f = PlainFind(f + 1, keys))
            f->handler(&cursor, record, c != nullptr ? reinterpret_cast<ReplyCompanion>(c->handler) : nullptr, f->parameter);
        for (; c != nullptr; c = PlainFind(c + 1, keys))
            c->handler(&cursor, record, reinterpret_cast<ReplyCompanion>(c->handler), c->parameter);
    } while (token.kind != TOKEN_END);
}

Status PlainMatch(const std::string &request, const std::string &answer) {
    struct Read {
        char text[100];
        uint32_t kind;
    };
    auto next = [](ReplyCursor *cursor, Read *read) { return NextReplyToken(cursor, read->text, 100, &read->kind); };
    ReplyCursor r;
    InitReplyCursor(&r, request.data(), static_cast<uint32_t>(request.size()));
    Read token;
    Status status = next(&r, &token);
    if (status != kOk) return status;
    bool failed = false;
    while (token.kind != TOKEN_END && !failed) {
        if (token.kind == TOKEN_CATEGORY) {
            ReplyCursor a;
            InitReplyCursor(&a, answer.data(), static_cast<uint32_t>(answer.size()));
            Read word;
            do {
                if (next(&a, &word) != kOk || word.kind == TOKEN_END) failed = true;
            } while (!failed && (word.kind != TOKEN_CATEGORY || strcmp(word.text, token.text) != 0));
            if (!failed) failed = memchr(a.position, '\f', a.end - a.position) == nullptr;
        }
        status = next(&r, &token);
        if (status != kOk) {
            if (!failed) return status;
            break;
        }
    }
    return failed ? kReplyMismatch : kOk;
}

const std::string kAnswer =
    "\x1B%-12345X@PJL INFO CONFIG\r\nIN TRAYS [3 ENUMERATED]\r\n\tINTRAY1\r\n\tINTRAY2\r\n\tINTRAYMANUAL\r\n"
    "IN TRAYS ATTRIBUTE [3 ENUMERATED]\r\n\tINTRAY3 TANDEM\r\n\tINTRAYLCT STANDARD\r\n\tINTRAY1 SMALL\r\n"
    "VERSION [2 ENUMERATED]\r\n\tFIRMWARE 1.10\r\n\tVORD 2.00\r\nMEMORY=16777216\r\nPUNCH [1 ENUMERATED]\r\n\tP2\r\n\f"
    "@PJL INQUIRE INTRAY1SIZE\r\nA4SRT\r\n\f@PJL INQUIRE INTRAY3QUANT\r\n3/5\r\n\f@PJL INQUIRE INTRAY2\r\nLOCKED\r\n\f"
    "@PJL INFO OUTBINSTATUS\r\nUPPER=READY\r\nLOWER=FULL\r\n\f@PJL INQUIRE REFRESHCOPYPLUGINSTATUS\r\nACTIVATE\r\n\f"
    "@PJL INQUIRE PRINTERMARKINGTYPE\r\nCOPYGUARD\r\n\f@PJL INFO ZOLT\r\nOTHER=x\r\n\f\x1B%-12345X";

const std::string kRequest =
    "\x1B%-12345X@PJL\r\n@PJL INFO CONFIG\r\n@PJL INQUIRE INTRAY1SIZE\r\n@PJL INQUIRE INTRAY3QUANT\r\n"
    "@PJL INQUIRE INTRAY2\r\n@PJL INFO OUTBINSTATUS\r\n\x1B%-12345X";

// The text, its prefixes and, with `mutations`, single-byte mutations by the
// bytes the grammar turns on (at every fifth position, to keep the suite quick).
std::vector<std::string> Variants(const std::string &text, bool mutations = true) {
    std::vector<std::string> variants = {text};
    for (size_t n = 0; n < text.size(); n += 7) variants.push_back(text.substr(0, n));
    for (size_t at = 0; mutations && at < text.size(); at += 5)
        for (char byte : std::string("@=[\t\f\n\0X", 8)) {
            std::string mutated = text;
            mutated[at] = byte;
            variants.push_back(mutated);
        }
    return variants;
}

void ExpectSameRecords(const ReplyRule *familyTable, bool mutations) {
    for (const std::string &text : Variants(kAnswer, mutations)) {
        HostRecord fast, plain;
        DispatchPjlReply(fast.get(), familyTable, text.data(), static_cast<uint32_t>(text.size()));
        PlainDispatch(plain.get(), familyTable, text);
        ASSERT_EQ(RecordSnapshot(fast.get()), RecordSnapshot(plain.get())) << testing::PrintToString(text);
    }
}

TEST(FastPaths, DispatchCallsTheRulesEveryRowWouldCall) { ExpectSameRecords(Config().reply.familyReplyTable, true); }

// A family table with more rows per command than a shortlist holds: the
// dispatcher falls back to comparing every row, with the same result.
TEST(FastPaths, DispatchOverATableTooLargeToShortlist) {
    std::vector<ReplyRule> rows;
    for (int copy = 0; copy < 3; ++copy)
        for (const ReplyRule *row = Config().reply.familyReplyTable; row->command != nullptr; ++row) rows.push_back(*row);
    rows.push_back(ReplyRule{});
    ExpectSameRecords(rows.data(), false);
}

// Fills the stack below the caller with a byte that no dispatcher state may
// hold (an invalid bool, a row index past every list), so that state a call
// leaves unset shows at once instead of by chance.
__attribute__((noinline)) void PaintStack(uint8_t byte) {
    volatile uint8_t area[32 * 1024];
    for (volatile uint8_t &b : area) b = byte;
}

void ExpectSameRecordsOverPrefixes(const std::string &text) {
    for (const std::string &variant : Variants(text, false)) {
        HostRecord fast, plain;
        PaintStack(0x80);
        DispatchPjlReply(fast.get(), Config().reply.familyReplyTable, variant.data(), static_cast<uint32_t>(variant.size()));
        PlainDispatch(plain.get(), Config().reply.familyReplyTable, variant);
        ASSERT_EQ(RecordSnapshot(fast.get()), RecordSnapshot(plain.get())) << testing::PrintToString(variant);
    }
}

// A malformed answer can bring a body key before any command word (this one
// was found by the reply fuzzer): it is matched as the plain walk matches it,
// never narrowed from a list no command made.
TEST(FastPaths, AKeyBeforeAnyCommand) {
    ExpectSameRecordsOverPrefixes(std::string("\x01\f\f\f\f\f@PJL\f\f@@@[\fa\x02y\xdf@]\xff\xff@PJL\fr\f\f\xff", 35));
}

// A command line whose category word is a tab brings its key with the empty
// category, never with the category of the line before.
TEST(FastPaths, AKeyAfterACommandWithoutCategoryWord) {
    ExpectSameRecordsOverPrefixes("@PJL INFO CONFIG\r\nMEMORY=1048576\r\n\f@PJL INFO \t\r\nMEMORY=2097152\r\n\f");
}

// The shortlist finds, from any row, the row a plain walk finds.
TEST(FastPaths, FindReplyRuleFindsTheRowAPlainWalkFinds) {
    ReplyKeys keys = {};
    EXPECT_EQ(FindReplyRule(nullptr, &keys), nullptr);
    for (const ReplyRule *table : {Config().reply.familyReplyTable, Config().reply.commonReplyTable})
        for (const ReplyRule *row = table; row->command != nullptr; ++row) {
            keys = {};
            const char *texts[] = {row->command, row->category, row->key, row->item, row->value};
            char *fields[] = {keys.command, keys.category, keys.key, keys.item, keys.value};
            for (int i = 0; i < 5; ++i) strcpy(fields[i], texts[i] != nullptr ? texts[i] : "");
            for (const ReplyRule *from : {table, row, row + 1})
                ASSERT_EQ(FindReplyRule(from, &keys), PlainFind(from, keys)) << row->command << " " << row->key;
        }
}

TEST(FastPaths, CompletenessCheckAnswersAsARescanPerCategoryWould) {
    for (const std::string &answer : Variants(kAnswer))
        ASSERT_EQ(MatchRequestCategories(kRequest.data(), static_cast<uint32_t>(kRequest.size()), answer.data(),
                                         static_cast<uint32_t>(answer.size())),
                  PlainMatch(kRequest, answer))
            << testing::PrintToString(answer);
    for (const std::string &request : Variants(kRequest))
        ASSERT_EQ(MatchRequestCategories(request.data(), static_cast<uint32_t>(request.size()), kAnswer.data(),
                                         static_cast<uint32_t>(kAnswer.size())),
                  PlainMatch(request, kAnswer))
            << testing::PrintToString(request);
}

}  // namespace
}  // namespace pat::test
