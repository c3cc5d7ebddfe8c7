// The cursor's start, the copy of a token's text, and the reader and blank
// skip as callable steps of their own.
#include <stdint.h>
#include <string.h>

#include "reply/reply_reader.h"
#include "reply/reply_scanner.h"

namespace pat {

Status InitReplyCursor(ReplyCursor *cursor, const char *text, uint32_t length) {
    if (cursor == nullptr) return kInvalidParameter;
    // Keep the end inside the address space: a length running past it is cut.
    uintptr_t room = UINTPTR_MAX - reinterpret_cast<uintptr_t>(text);
    if (text == nullptr) length = 0;
    if (length > room) length = static_cast<uint32_t>(room);
    // The text ends at its first zero byte: from here on only `end` bounds a read.
    const void *zero = length != 0 ? memchr(text, '\0', length) : nullptr;
    cursor->position = text;
    cursor->end = zero != nullptr ? static_cast<const char *>(zero) : text + length;
    cursor->state = SCAN_SEEK;
    return kOk;
}

// Tokens are short: a plain loop beats a call to memcpy.
void CopyReplyToken(const ReplyToken *token, char *buffer, uint32_t size) {
    if (buffer == nullptr || size == 0 || token->text == nullptr) return;
    uint32_t length = TokenLengthIn(token, size);
    for (uint32_t i = 0; i < length; ++i) buffer[i] = token->text[i];
    buffer[length] = '\0';
}

void SkipBlanks(ReplyCursor *cursor) { cursor->position = SkipBlanksFrom(cursor->position, cursor->end); }

uint32_t ReadReplyWord(ReplyCursor *cursor, uint32_t requested, char *buffer, uint32_t size) {
    ReplyToken token;
    ReadTokenInPlace(cursor, requested, &token);
    CopyReplyToken(&token, buffer, size);
    return token.kind;
}

}  // namespace pat
