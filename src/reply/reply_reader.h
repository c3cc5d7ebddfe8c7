// The reply reader, in place: what each byte means to the reply grammar and
// the read of one word, quoted text or one-character token as a view into the
// text. Shared by the state machine, which runs it inline in every step, and
// by ReadReplyWord.
#ifndef PAT_REPLY_REPLY_READER_H
#define PAT_REPLY_REPLY_READER_H

#include <stdint.h>
#include <string.h>

#include "reply/reply_scanner.h"

namespace pat {

// Byte classes: every byte the state machine's moves turn on has a class of
// its own, so that a move is chosen by one lookup.
enum ByteClass : uint8_t {
    kOtherByte,
    kSpaceByte,
    kReturnByte,
    kLineFeedByte,
    kTabByte,
    kFormFeedByte,
    kQuoteByte,
    kEqualsByte,
    kColonByte,
    kOpenBracketByte,
    kCloseBracketByte,
    kAtByte,
    kEscapeByte,
    kZeroByte,  // also what the end of the text reads as
    kByteClassCount
};

// Per byte: its class in the low bits, and whether it ends a word: every word
// (carriage return, line feed, "=", ":", "[", "]", zero) or every word but a
// key (a space: keys may hold spaces, "IN TRAYS").
constexpr uint8_t kClassBits = 0x0F;
constexpr uint8_t kEndsAnyWord = 0x10;
constexpr uint8_t kEndsPlainWord = 0x20;

struct ByteInfoTable {
    uint8_t byByte[256];
};

constexpr ByteInfoTable MakeByteInfo() {
    ByteInfoTable t = {};
    struct {
        char byte;
        uint8_t info;
    } const rows[] = {
        {' ', kSpaceByte | kEndsPlainWord}, {'\r', kReturnByte | kEndsAnyWord}, {'\n', kLineFeedByte | kEndsAnyWord},
        {'\t', kTabByte},                   {'\f', kFormFeedByte},              {'"', kQuoteByte},
        {'=', kEqualsByte | kEndsAnyWord},  {':', kColonByte | kEndsAnyWord},   {'[', kOpenBracketByte | kEndsAnyWord},
        {']', kCloseBracketByte | kEndsAnyWord}, {'@', kAtByte},               {'\x1B', kEscapeByte},
        {'\0', kZeroByte | kEndsAnyWord},
    };
    for (const auto &row : rows) t.byByte[static_cast<unsigned char>(row.byte)] = row.info;
    return t;
}
inline constexpr ByteInfoTable kByteInfo = MakeByteInfo();

inline uint8_t ByteInfo(char c) { return kByteInfo.byByte[static_cast<unsigned char>(c)]; }

// The class of the byte at p, or of the terminator once p reaches the end.
inline ByteClass ClassAt(const char *p, const char *end) {
    return p < end ? static_cast<ByteClass>(ByteInfo(*p) & kClassBits) : kZeroByte;
}

// The first byte at or after p that is neither a space nor a carriage return.
inline const char *SkipBlanksFrom(const char *p, const char *end) {
    while (p < end && (*p == ' ' || *p == '\r')) ++p;
    return p;
}

inline uint32_t WithoutTrailingSpaces(const char *text, uint32_t length) {
    while (length > 0 && text[length - 1] == ' ') --length;
    return length;
}

// Reads one token at the cursor as a view and moves the cursor past it and
// the blanks after it. A one-character token is itself (the end of the text
// an empty view that keeps the position, so that every later read reports
// the end again); quoted text runs to the next quote or to the end, and
// nothing inside it stops the token; a word runs up to its first stop byte
// and may be empty. Words and quoted texts have the requested kind. Trailing
// spaces are dropped from the view.
inline void ReadTokenInPlace(ReplyCursor *cursor, uint32_t requested, ReplyToken *token) {
    const char *p = cursor->position, *end = cursor->end;
    if (p == end) {
        *token = {"", 0, TOKEN_END};  // a read always has text, if empty
        return;
    }
    token->text = p;
    token->kind = requested;
    uint8_t info = ByteInfo(*p);
    switch (info & kClassBits) {
        case kLineFeedByte: token->kind = TOKEN_EOL; break;
        case kTabByte: token->kind = TOKEN_TAB; break;
        case kFormFeedByte: token->kind = TOKEN_FF; break;
        case kQuoteByte: {
            const char *text = p + 1;
            const char *quote = static_cast<const char *>(memchr(text, '"', static_cast<size_t>(end - text)));
            const char *stop = quote != nullptr ? quote : end;
            token->text = text;
            token->length = WithoutTrailingSpaces(text, static_cast<uint32_t>(stop - text));
            cursor->position = SkipBlanksFrom(quote != nullptr ? stop + 1 : stop, end);
            return;
        }
        default: {
            uint8_t ends = requested == TOKEN_KEY ? kEndsAnyWord : kEndsAnyWord | kEndsPlainWord;
            const char *stop = p;
            while (stop < end && !(ByteInfo(*stop) & ends)) ++stop;
            uint32_t length = static_cast<uint32_t>(stop - p);
            // Only a key can end in spaces: a space ends every other word.
            token->length = requested == TOKEN_KEY ? WithoutTrailingSpaces(p, length) : length;
            cursor->position = SkipBlanksFrom(stop, end);
            return;
        }
    }
    token->length = 1;
    cursor->position = SkipBlanksFrom(p + 1, end);
}

}  // namespace pat

#endif
