// The scanner against sample answers: every step's result, kind and text.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "reply/reply_scanner.h"
#include "reply/reply_scan_helpers.h"

namespace {

using namespace pat;
using pat_test::kUnwritten;
using pat_test::ScanAll;
using pat_test::ScanBytes;
using pat_test::Token;

Token Ok(uint32_t kind, const char *text) { return {0, kind, text}; }
Token Bad(uint32_t kind, const char *text) { return {13, kind, text}; }
const Token kCleanEnd = Ok(TOKEN_END, kUnwritten);
const Token kEol = Ok(TOKEN_EOL, "\n");
const Token kTab = Ok(TOKEN_TAB, "\t");
const Token kFf = Ok(TOKEN_FF, "\f");

// "@PJL <command> <category>" and its line feed.
std::vector<Token> CommandLine(const char *command, const char *category) {
    return {Ok(TOKEN_PJL, "@PJL"), Ok(TOKEN_COMMAND, command), Ok(TOKEN_CATEGORY, category), kEol};
}

std::vector<Token> Join(std::initializer_list<std::vector<Token>> parts) {
    std::vector<Token> all;
    for (const auto &part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct ScanCase {
    const char *name;
    std::string text;
    std::vector<Token> tokens;
};

void ExpectScans(const std::vector<ScanCase> &cases) {
    for (const ScanCase &c : cases) EXPECT_EQ(ScanAll(c.text), c.tokens) << c.name;
}

TEST(ReplyScanner, CutsTheSampleAnswersIntoTheirTokens) {
    ExpectScans({
        {"configuration list", pat_test::kConfigAnswer,
         Join({CommandLine("INFO", "CONFIG"),
               {Ok(TOKEN_KEY, "IN TRAYS"), Ok(TOKEN_COUNT, "2"), Ok(TOKEN_TYPE, "ENUMERATED"), kEol},
               {kTab, Ok(TOKEN_ITEM, "INTRAY1"), kEol},
               {kTab, Ok(TOKEN_ITEM, "INTRAY2"), kEol},
               {Ok(TOKEN_KEY, "MEMORY"), Ok(TOKEN_VALUE, "8388608"), kEol},
               {kFf, kCleanEnd}})},
        {"inquiry", pat_test::kInquireAnswer,
         Join({CommandLine("INQUIRE", "INTRAY1SIZE"), {Ok(TOKEN_KEY, "A4SRT"), kEol, kFf, kCleanEnd}})},
        {"qualifier", pat_test::kQualifierAnswer,
         {Ok(TOKEN_PJL, "@PJL"), Ok(TOKEN_COMMAND, "INQUIRE"), Ok(TOKEN_QUALIFIER, "LPARM"),
          Ok(TOKEN_QUALIFIED, "PCL"), Ok(TOKEN_CATEGORY, "FONTSOURCE"), kEol, Ok(TOKEN_KEY, "I"), kEol, kFf,
          kCleanEnd}},
        {"quoted value", pat_test::kDisplayAnswer,
         Join({CommandLine("INFO", "STATUS"),
               {Ok(TOKEN_KEY, "CODE"), Ok(TOKEN_VALUE, "10001"), kEol},
               {Ok(TOKEN_KEY, "DISPLAY"), Ok(TOKEN_VALUE, "00 READY"), kEol},
               {Ok(TOKEN_KEY, "ONLINE"), Ok(TOKEN_VALUE, "TRUE"), kEol},
               {kFf, kCleanEnd}})},
    });
}

TEST(ReplyScanner, FindsCommandLinesAndTheirEnds) {
    ExpectScans({
        {"empty text", "", {kCleanEnd}},
        {"exit sequence before the command", "\x1B%-12345X@PJL INFO ID\r\nMODEL\r\n\f",
         Join({CommandLine("INFO", "ID"), {Ok(TOKEN_KEY, "MODEL"), kEol, kFf, kCleanEnd}})},
        {"lower-case prefix", "@pjl INFO ID\r\nMODEL\r\n\f", {kCleanEnd}},
        {"lower-case prefix, then a real one", "@pjl INFO ID\r\n@PJL ECHO\r\n",
         {Ok(TOKEN_PJL, "@PJL"), Ok(TOKEN_COMMAND, "ECHO"), kEol, kCleanEnd}},
        {"a line holding only the prefix", "@PJL\r\n", {Ok(TOKEN_PJL, "@PJL"), kEol, kCleanEnd}},
        {"command line followed by another", "@PJL ECHO HI\r\n@PJL ECHO\r\n",
         {Ok(TOKEN_PJL, "@PJL"), Ok(TOKEN_COMMAND, "ECHO"), Ok(TOKEN_CATEGORY, "HI"), kEol,
          Ok(TOKEN_PJL, "@PJL"), Ok(TOKEN_COMMAND, "ECHO"), kEol, kCleanEnd}},
        {"command line followed by the exit sequence", "@PJL ECHO HI\r\n\x1B%-12345X",
         {Ok(TOKEN_PJL, "@PJL"), Ok(TOKEN_COMMAND, "ECHO"), Ok(TOKEN_CATEGORY, "HI"), kEol, kCleanEnd}},
        {"command value", "@PJL SET COPIES = 2\r\n@PJL",
         {Ok(TOKEN_PJL, "@PJL"), Ok(TOKEN_COMMAND, "SET"), Ok(TOKEN_CATEGORY, "COPIES"),
          Ok(TOKEN_COMMAND_VALUE, "2"), kEol, Ok(TOKEN_PJL, "@PJL"), Bad(TOKEN_END, ""), kCleanEnd}},
        {"a word where the command line should end", "@PJL INFO CONFIG EXTRA\r\nK\r\n\f",
         {Ok(TOKEN_PJL, "@PJL"), Ok(TOKEN_COMMAND, "INFO"), Ok(TOKEN_CATEGORY, "CONFIG"), Ok(TOKEN_EOL, "EXTRA"),
          Bad(TOKEN_EOL, "\n"), kCleanEnd}},
        {"tab line right after the command line", "@PJL INFO CONFIG\r\n\tINTRAY1\r\n\f",
         Join({CommandLine("INFO", "CONFIG"), {Bad(TOKEN_TAB, "\t"), kCleanEnd}})},
        {"block without form feed", "@PJL INFO CONFIG\r\nMEMORY=8388608\r\n",
         Join({CommandLine("INFO", "CONFIG"),
               {Ok(TOKEN_KEY, "MEMORY"), Ok(TOKEN_VALUE, "8388608"), kEol, Bad(TOKEN_END, ""), kCleanEnd}})},
        {"text ending inside the command line", "@PJL INFO", {Ok(TOKEN_PJL, "@PJL"), Ok(TOKEN_COMMAND, "INFO"),
                                                              Bad(TOKEN_END, ""), kCleanEnd}},
        {"recovery at the next command after an error",
         "@PJL INFO CONFIG\r\n\tBAD\r\nMORE=1\r\n\f@PJL INFO ID\r\nMODEL\r\n\f",
         Join({CommandLine("INFO", "CONFIG"), {Bad(TOKEN_TAB, "\t")}, CommandLine("INFO", "ID"),
               {Ok(TOKEN_KEY, "MODEL"), kEol, kFf, kCleanEnd}})},
    });
}

TEST(ReplyScanner, ReadsBodyLinesAsTheGrammarSays) {
    const std::string head = "@PJL INFO CONFIG\r\n";
    const std::vector<Token> cmd = CommandLine("INFO", "CONFIG");
    ExpectScans({
        {"key with inner and trailing spaces", head + "IN  TRAYS   [3 ENUMERATED]\r\n\f",
         Join({cmd, {Ok(TOKEN_KEY, "IN  TRAYS"), Ok(TOKEN_COUNT, "3"), Ok(TOKEN_TYPE, "ENUMERATED"), kEol, kFf,
                     kCleanEnd}})},
        {"space after a key's '='", head + "COPIES= 1\r\n\f",
         Join({cmd, {Ok(TOKEN_KEY, "COPIES"), Ok(TOKEN_VALUE, ""), Ok(TOKEN_EOL, "1"), Bad(TOKEN_EOL, "\n"),
                     kCleanEnd}})},
        {"value with a bracket", head + "RESOLUTION=600 [2 DPI MAX]\r\n\f",
         Join({cmd, {Ok(TOKEN_KEY, "RESOLUTION"), Ok(TOKEN_VALUE, "600"), Ok(TOKEN_COUNT, "2"),
                     Ok(TOKEN_TYPE, "DPI"), Ok(TOKEN_TYPE, "MAX"), kEol, kFf, kCleanEnd}})},
        {"empty brackets", head + "K []\r\n\f",
         Join({cmd, {Ok(TOKEN_KEY, "K"), Ok(TOKEN_COUNT, ""), Ok(TOKEN_TYPE, ""), kEol, kFf, kCleanEnd}})},
        {"key alone with a stray byte after it", head + "K]\r\n\f",
         Join({cmd, {Bad(TOKEN_KEY, "K"), kCleanEnd}})},
        {"indented lines: tandem, '=', three words",
         head + "K\r\n\tINTRAY3 TANDEM\r\n\tA = B\r\n\tINTRAY4 TANDEM X\r\n\f",
         Join({cmd,
               {Ok(TOKEN_KEY, "K"), kEol},
               {kTab, Ok(TOKEN_ITEM, "INTRAY3"), Ok(TOKEN_ITEM_VALUE, "TANDEM"), kEol},
               {kTab, Ok(TOKEN_ITEM, "A"), Ok(TOKEN_ITEM_VALUE, "B"), kEol},
               {kTab, Ok(TOKEN_ITEM, "INTRAY4"), Bad(TOKEN_ITEM_VALUE, "TANDEM"), kCleanEnd}})},
        {"quoted key and item", head + "\"A=B\"\r\n\t\"X Y\"\r\n\f",
         Join({cmd, {Ok(TOKEN_KEY, "A=B"), kEol, kTab, Ok(TOKEN_ITEM, "X Y"), kEol, kFf, kCleanEnd}})},
        {"unterminated quote runs to the end", head + "DISPLAY=\"00 READY\r\n\f",
         Join({cmd, {Ok(TOKEN_KEY, "DISPLAY"), Ok(TOKEN_VALUE, "00 READY\r\n\f"), Bad(TOKEN_END, ""), kCleanEnd}})},
    });
}

// An empty type word before anything but "]" would leave the scanner where it
// was for ever; it is a syntax error.
TEST(ReplyScanner, StopsAtAStrayByteInsideBrackets) {
    const std::vector<Token> head = Join({CommandLine("INFO", "CONFIG"), {Ok(TOKEN_KEY, "IN TRAYS"),
                                                                         Ok(TOKEN_COUNT, "2")}});
    for (const char *stray : {":", "=", "["}) {
        std::string text = std::string("@PJL INFO CONFIG\r\nIN TRAYS [2 A") + stray + "B]\r\n\f";
        EXPECT_EQ(ScanAll(text), Join({head, {Ok(TOKEN_TYPE, "A"), Bad(TOKEN_TYPE, ""), kCleanEnd}})) << stray;
    }
    EXPECT_EQ(ScanAll("@PJL INFO CONFIG\r\nIN TRAYS [2 :]\r\n\f"),
              Join({head, {Bad(TOKEN_TYPE, ""), kCleanEnd}}));
}

TEST(ReplyScanner, CutsLongWordsToTheBufferAndMovesPastThem) {
    std::string word;
    for (int i = 0; i < 60; ++i) word += static_cast<char>('A' + i % 26);
    const std::string cut = word.substr(0, 47);
    const std::vector<Token> cmd = CommandLine("INFO", "CONFIG");
    EXPECT_EQ(ScanAll("@PJL INFO CONFIG\r\n" + word + "=" + word + "\r\n\f"),
              Join({cmd, {Ok(TOKEN_KEY, cut.c_str()), Ok(TOKEN_VALUE, cut.c_str()), kEol, kFf, kCleanEnd}}));
    EXPECT_EQ(ScanAll("@PJL INFO CONFIG\r\nK=\"" + word + "\"\r\n\f"),
              Join({cmd, {Ok(TOKEN_KEY, "K"), Ok(TOKEN_VALUE, cut.c_str()), kEol, kFf, kCleanEnd}}));
    // Cutting happens before the trailing spaces go: "AB  C" cut to 3 is "AB".
    EXPECT_EQ(ScanAll("@PJL INFO X\r\nAB  C\r\n\f", 4)[4], Ok(TOKEN_KEY, "AB"));
    EXPECT_EQ(ScanAll("@PJL X\r\n", 3)[0], Ok(TOKEN_PJL, "@P"));
    EXPECT_EQ(ScanAll("@PJL X\r\n", 1),
              (std::vector<Token>{Ok(TOKEN_PJL, ""), Ok(TOKEN_COMMAND, ""), Ok(TOKEN_EOL, ""), Ok(TOKEN_END, "")}));
}

TEST(ReplyScanner, ReadsAPayloadWithoutTerminatorOnlyUpToItsLength) {
    // Exactly sized heap blocks: a read past the end is a heap overflow.
    struct Case {
        const char *name;
        std::string bytes;
        std::vector<Token> tokens;
    } cases[] = {
        {"prefix cut by the end", "\x1B%-12345X@PJ", {kCleanEnd}},
        {"word cut by the end", "@PJL INFO ID\r\nMODEL",
         Join({CommandLine("INFO", "ID"), {Bad(TOKEN_KEY, "MODEL"), kCleanEnd}})},
        {"quote cut by the end", "@PJL INFO ID\r\nK=\"AB",
         Join({CommandLine("INFO", "ID"), {Ok(TOKEN_KEY, "K"), Ok(TOKEN_VALUE, "AB"), Bad(TOKEN_END, ""),
                                           kCleanEnd}})},
        {"blanks up to the end", "@PJL   \r \r", {Ok(TOKEN_PJL, "@PJL"), Bad(TOKEN_END, ""), kCleanEnd}},
        {"block ended by its form feed", pat_test::kInquireAnswer,
         Join({CommandLine("INQUIRE", "INTRAY1SIZE"), {Ok(TOKEN_KEY, "A4SRT"), kEol, kFf, kCleanEnd}})},
    };
    for (const Case &c : cases) {
        std::vector<char> block(c.bytes.begin(), c.bytes.end());
        EXPECT_EQ(ScanBytes(block.data(), block.size()), c.tokens) << c.name;
    }
    // A zero byte ends the text even when the length goes on.
    const char zeroInside[] = "@PJL ECHO\r\n\0@PJL ECHO\r\n";
    EXPECT_EQ(ScanBytes(zeroInside, sizeof zeroInside),
              (std::vector<Token>{Ok(TOKEN_PJL, "@PJL"), Ok(TOKEN_COMMAND, "ECHO"), kEol, kCleanEnd}));
}

TEST(ReplyScanner, KeepsReportingTheEndOnceReached) {
    const char text[] = "@PJL INFO";
    ReplyCursor cursor;
    ASSERT_EQ(InitReplyCursor(&cursor, text, sizeof text), 0u);
    char buffer[48];
    uint32_t kind = 0;
    uint32_t results[4];
    for (uint32_t &result : results) result = NextReplyToken(&cursor, buffer, sizeof buffer, &kind);
    EXPECT_EQ(results[2], 13u);  // the end inside a command line
    EXPECT_EQ(results[3], 0u);
    EXPECT_EQ(kind, TOKEN_END);
    EXPECT_EQ(cursor.position, text + 9);
    EXPECT_EQ(cursor.state, SCAN_SEEK);
}

struct ReadCase {
    const char *text;
    uint32_t requested;
    uint32_t kind;
    const char *token;
    const char *rest;
};

TEST(ReplyReader, StopsWordsWhereTheGrammarSays) {
    const ReadCase cases[] = {
        {"IN TRAYS [2", TOKEN_KEY, TOKEN_KEY, "IN TRAYS", "[2"},
        {"IN TRAYS [2", TOKEN_VALUE, TOKEN_VALUE, "IN", "TRAYS [2"},
        {"A\tB\fC\"D:E", TOKEN_ITEM, TOKEN_ITEM, "A\tB\fC\"D", ":E"},
        {"KEY \r\r  \nX", TOKEN_KEY, TOKEN_KEY, "KEY", "\nX"},
        {"=X", TOKEN_EOL, TOKEN_EOL, "", "=X"},
        {" X", TOKEN_VALUE, TOKEN_VALUE, "", "X"},
        {"\"A \nB\"  C", TOKEN_COUNT, TOKEN_COUNT, "A \nB", "C"},
        {"\"\"=", TOKEN_TYPE, TOKEN_TYPE, "", "="},
        {"\tX", TOKEN_KEY, TOKEN_TAB, "\t", "X"},
        {"\f\r\nX", TOKEN_KEY, TOKEN_FF, "\f", "\nX"},
        {"\n X", TOKEN_ITEM, TOKEN_EOL, "\n", "X"},
        {"", TOKEN_KEY, TOKEN_END, "", ""},
    };
    for (const ReadCase &c : cases) {
        ReplyCursor cursor;
        InitReplyCursor(&cursor, c.text, static_cast<uint32_t>(strlen(c.text)) + 1);
        char buffer[48] = "~";
        EXPECT_EQ(ReadReplyWord(&cursor, c.requested, buffer, sizeof buffer), c.kind) << c.text;
        EXPECT_STREQ(buffer, c.token) << c.text;
        EXPECT_STREQ(cursor.position, c.rest) << c.text;
    }
}

}  // namespace
