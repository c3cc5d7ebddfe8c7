// What the PJL answer handlers share: their token buffer, the decimal value
// rule, the INQUIRE value reader and find-or-create for tray items.
#ifndef PAT_REPLY_HANDLER_SUPPORT_H
#define PAT_REPLY_HANDLER_SUPPORT_H

#include <stdint.h>

#include "reply/reply_config.h"
#include "reply/reply_scanner.h"

namespace pat {

// Handlers and the dispatcher read tokens into 48-byte buffers.
constexpr uint32_t kTokenCapacity = 48;

// One token read by a handler.
struct Token {
    char text[kTokenCapacity];
    uint32_t kind;
};

// Reads the next token; returns the scanner's result (0 or 13).
inline Status ReadToken(ReplyCursor *cursor, Token *token) {
    return NextReplyToken(cursor, token->text, sizeof token->text, &token->kind);
}

// A token's text as an unsigned 32-bit decimal: leading white space, an
// optional sign, digits up to the first non-digit. No digits give 0, a value
// beyond 32 bits gives 0xFFFFFFFF, a minus sign negates modulo 2^32.
uint32_t DecimalValue(const char *text);

// Reads the value of an INQUIRE answer: the end of the command line, then a
// line holding the value alone. kInvalidParameter when the answer has another shape, the
// scanner's 13 on a syntax error.
Status ReadInquiryValue(ReplyCursor *cursor, Token *value);

// True while the lines ahead still belong to the indented list of the current
// answer block. A list that announced more lines than it carries ends at the
// block's form feed, at the end of the text, after a syntax error, and before
// a plain body line, which is left for the dispatcher.
inline bool ListLinesAhead(const ReplyCursor *cursor) {
    return cursor->state != SCAN_SEEK && cursor->state != SCAN_KEY;
}

// The tray item of code's low 16 bits, created and listed when the record has
// none; null when it cannot be allocated.
TrayInfo *FindOrAddTray(PrnInfoEx *record, uint32_t code);

}  // namespace pat

#endif
