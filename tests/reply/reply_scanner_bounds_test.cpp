// Whatever the text, the scanner reaches a clean end within a few steps per
// byte, stays inside the text it was given and keeps its buffer terminated.
// Texts sit at the very end of exactly sized heap blocks, so a sanitized build
// catches any read past them.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "reply/reply_scanner.h"
#include "reply/reply_scan_helpers.h"

namespace {

using namespace pat;

testing::AssertionResult EndsWithinBound(const std::string &bytes, uint32_t size) {
    std::vector<char> block(bytes.begin(), bytes.end());
    const char *begin = block.data();
    const char *end = begin + block.size();
    ReplyCursor cursor;
    InitReplyCursor(&cursor, begin, static_cast<uint32_t>(block.size()));
    std::vector<char> buffer(size + 1, '\0');
    const char kCanary = '\x5A';
    buffer[size] = kCanary;
    const char *last = begin;
    for (size_t step = 0; step < pat_test::StepBound(bytes.size()); ++step) {
        uint32_t kind = 0;
        Status result = NextReplyToken(&cursor, buffer.data(), size, &kind);
        if (result != 0 && result != 13) return testing::AssertionFailure() << "result " << result;
        if (cursor.state < SCAN_SEEK || cursor.state > SCAN_ITEM_VALUE)
            return testing::AssertionFailure() << "state " << cursor.state;
        if (cursor.position < last || cursor.position > end)
            return testing::AssertionFailure() << "position moved back or out, step " << step;
        if (memchr(buffer.data(), '\0', size) == nullptr || buffer[size] != kCanary)
            return testing::AssertionFailure() << "buffer not terminated within its size, step " << step;
        last = cursor.position;
        if (kind == TOKEN_END && result == 0) {
            result = NextReplyToken(&cursor, buffer.data(), size, &kind);
            if (kind != TOKEN_END || result != 0 || cursor.position != last)
                return testing::AssertionFailure() << "the end was not kept";
            return testing::AssertionSuccess();
        }
    }
    return testing::AssertionFailure() << "no clean end within " << pat_test::StepBound(bytes.size()) << " steps";
}

const std::vector<std::string> &Samples() {
    static const std::vector<std::string> samples = {
        pat_test::kConfigAnswer, pat_test::kInquireAnswer, pat_test::kQualifierAnswer, pat_test::kDisplayAnswer,
        "\x1B%-12345X@PJL\r\n@PJL INFO CONFIG\r\nIN TRAYS [3 ENUMERATED]\r\n\tINTRAY3 TANDEM\r\n\tA = B\r\n"
        "K []\r\nR=600 [2 DPI MAX]\r\n\f@PJL SET X = 1\r\n@PJL ECHO\r\n\x1B%-12345X",
    };
    return samples;
}

// The bytes the grammar turns on, and a plain letter.
const char kGrammarBytes[] = "@PJL=:[]\"\t\f\n\r \x1B\0A";

TEST(ReplyScannerBounds, EveryPrefixOfTheSamplesEndsInsideItsLength) {
    for (const std::string &sample : Samples())
        for (size_t n = 0; n <= sample.size(); ++n)
            for (uint32_t size : {48u, 4u, 1u})
                ASSERT_TRUE(EndsWithinBound(sample.substr(0, n), size)) << "prefix " << n << " of " << sample;
}

TEST(ReplyScannerBounds, EverySingleByteChangeOfTheSamplesEnds) {
    for (const std::string &sample : Samples())
        for (size_t i = 0; i < sample.size(); ++i)
            for (size_t b = 0; b < sizeof kGrammarBytes - 1; ++b) {
                std::string text = sample;
                text[i] = kGrammarBytes[b];
                ASSERT_TRUE(EndsWithinBound(text, 48)) << "byte " << i << " set to " << int(kGrammarBytes[b]);
            }
}

TEST(ReplyScannerBounds, RandomTextsEnd) {
    static const char *const kPieces[] = {"@PJL", "@PJL INFO CONFIG\r\n", "\r\n", "IN TRAYS [", "=", "\t", "\f",
                                          "]", ":", "\"", " ", "\x1B%-12345X", "WORD"};
    std::mt19937 random(20261209);
    for (int round = 0; round < 3000; ++round) {
        size_t length = random() % 120;
        std::string text;
        while (text.size() < length) {
            switch (round % 3) {
                case 0: text += static_cast<char>(random() % 256); break;
                case 1: text += kGrammarBytes[random() % (sizeof kGrammarBytes - 1)]; break;
                default: text += kPieces[random() % (sizeof kPieces / sizeof kPieces[0])]; break;
            }
        }
        ASSERT_TRUE(EndsWithinBound(text, round % 2 ? 48 : 5)) << "round " << round;
    }
}

}  // namespace
