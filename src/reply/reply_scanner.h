// The PJL reply scanner: cuts an answer text into tokens, one per call, with a
// small state machine over a cursor. It allocates nothing, never changes the
// text and never reads past the end of the buffer it was given. A token is a
// view into the text; its text is copied only by the callers that keep it.
#ifndef PAT_REPLY_REPLY_SCANNER_H
#define PAT_REPLY_REPLY_SCANNER_H

#include <stdint.h>

#include "core/error_codes.h"

namespace pat {

// Token kinds.
enum TokenKind : uint32_t {
    TOKEN_PJL = 1,
    TOKEN_COMMAND = 2,
    TOKEN_EOL = 3,
    TOKEN_CATEGORY = 4,
    TOKEN_QUALIFIER = 5,
    TOKEN_QUALIFIED = 6,
    TOKEN_COMMAND_VALUE = 7,
    TOKEN_KEY = 8,
    TOKEN_VALUE = 9,
    TOKEN_COUNT = 10,
    TOKEN_TYPE = 11,
    TOKEN_ITEM = 12,
    TOKEN_ITEM_VALUE = 13,
    TOKEN_FF = 14,
    TOKEN_TAB = 15,
    TOKEN_END = 255,
};

// Scanner states: what the scanner expects next.
enum ScanState : uint32_t {
    SCAN_SEEK = 1,
    SCAN_COMMAND = 2,
    SCAN_CATEGORY = 3,
    SCAN_QUALIFIED = 4,
    SCAN_COMMAND_VALUE = 5,
    SCAN_COMMAND_EOL = 6,
    SCAN_KEY = 7,
    SCAN_VALUE = 8,
    SCAN_COUNT = 9,
    SCAN_TYPE = 10,
    SCAN_LINE_EOL = 11,
    SCAN_INDENT = 12,
    SCAN_ITEM = 13,
    SCAN_ITEM_VALUE = 14,
};

// The scanner's only state. The text ends at its first zero byte or at its
// length, whichever comes first; InitReplyCursor puts `end` there, so a payload
// without a terminator is read up to its length and no further, and no byte
// before `end` is zero.
struct ReplyCursor {
    const char *position;
    const char *end;
    uint32_t state;
};

// A token as the scanner finds it: its kind and a view of its text inside the
// scanned text, trailing spaces dropped. `text` is null only when a step found
// no "@PJL" before the end: such a step writes no buffer.
struct ReplyToken {
    const char *text;
    uint32_t length;
    uint32_t kind;
};

// Starts a cursor on length bytes of text (up to its first zero byte). Returns 0.
Status InitReplyCursor(ReplyCursor *cursor, const char *text, uint32_t length);

// The length of the token's text in a buffer of `size` bytes (size >= 1): cut
// to size - 1 bytes, then without the trailing spaces the cut left.
inline uint32_t TokenLengthIn(const ReplyToken *token, uint32_t size) {
    uint32_t length = token->length < size - 1 ? token->length : size - 1;
    while (length > 0 && token->text[length - 1] == ' ') --length;
    return length;
}

// True when two views of length bytes hold the same bytes. Views are short,
// and a loop keeps memcmp out of pat.dll's imports.
inline bool SameBytes(const char *a, const char *b, uint32_t length) {
    for (uint32_t i = 0; i < length; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// Writes the token's text into buffer as TokenLengthIn cuts it, terminated;
// nothing for a null buffer, a size of 0 or a token without text.
void CopyReplyToken(const ReplyToken *token, char *buffer, uint32_t size);

// One step with the token's text copied: writes the token's kind on every call
// and its text into buffer (size >= 1; cut to size - 1 bytes, always
// terminated) unless the step found no "@PJL" before the end. Returns 0, or 13
// for a syntax error, after which the scanner seeks the next "@PJL".
Status NextReplyToken(ReplyCursor *cursor, char *buffer, uint32_t size, uint32_t *kind);

// The reader of the steps on its own: one word, quoted text or one-character
// token copied into buffer; a word is reported as the requested kind.
uint32_t ReadReplyWord(ReplyCursor *cursor, uint32_t requested, char *buffer, uint32_t size);

// Moves over spaces and carriage returns.
void SkipBlanks(ReplyCursor *cursor);

}  // namespace pat

#endif
