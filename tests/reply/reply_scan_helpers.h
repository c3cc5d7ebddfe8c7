// Shared by the scanner tests: scan a whole text into a list of tokens, and
// the sample answers the scanner is exercised with.
#ifndef PAT_TESTS_REPLY_REPLY_SCAN_HELPERS_H
#define PAT_TESTS_REPLY_REPLY_SCAN_HELPERS_H

#include <stdint.h>
#include <string.h>

#include <ostream>
#include <string>
#include <vector>

#include "reply/reply_scanner.h"

namespace pat_test {

// What a step leaves in a buffer it does not write.
inline const char kUnwritten[] = "~";

struct Token {
    uint32_t result;
    uint32_t kind;
    std::string text;
    bool operator==(const Token &) const = default;
};

inline void PrintTo(const Token &t, std::ostream *os) {
    *os << "{" << t.result << ", kind " << t.kind << ", \"";
    for (char c : t.text) {
        if (static_cast<unsigned char>(c) < 0x20) *os << "\\x" << std::hex << (c & 0xFF) << std::dec;
        else *os << c;
    }
    *os << "\"}";
}

// Most steps a text of n bytes may take to reach its clean end.
inline size_t StepBound(size_t n) { return 4 * n + 8; }

// Steps until the clean end (TOKEN_END with result 0). A scan that does not
// get there within the bound ends with a {~0, 0, "no end"} token.
inline std::vector<Token> ScanBytes(const char *text, size_t length, uint32_t size = 48) {
    pat::ReplyCursor cursor;
    pat::InitReplyCursor(&cursor, text, static_cast<uint32_t>(length));
    std::vector<Token> tokens;
    std::vector<char> buffer(size);
    for (size_t step = 0; step < StepBound(length); ++step) {
        if (size >= sizeof kUnwritten)
            memcpy(buffer.data(), kUnwritten, sizeof kUnwritten);
        else
            buffer[0] = '\0';
        uint32_t kind = 0;
        uint32_t result = pat::NextReplyToken(&cursor, buffer.data(), size, &kind);
        tokens.push_back({result, kind, buffer.data()});
        if (kind == pat::TOKEN_END && result == 0) return tokens;
    }
    tokens.push_back({~0u, 0, "no end"});
    return tokens;
}

inline std::vector<Token> ScanAll(const std::string &text, uint32_t size = 48) {
    return ScanBytes(text.c_str(), text.size() + 1, size);
}

inline const std::string kConfigAnswer =
    "@PJL INFO CONFIG\r\nIN TRAYS [2 ENUMERATED]\r\n\tINTRAY1\r\n\tINTRAY2\r\nMEMORY=8388608\r\n\f";
inline const std::string kInquireAnswer = "@PJL INQUIRE INTRAY1SIZE\r\nA4SRT\r\n\f";
inline const std::string kQualifierAnswer = "@PJL INQUIRE LPARM:PCL FONTSOURCE\r\nI\r\n\f";
inline const std::string kDisplayAnswer = "@PJL INFO STATUS\r\nCODE=10001\r\nDISPLAY=\"00 READY\"\r\nONLINE=TRUE\r\n\f";

}  // namespace pat_test

#endif
