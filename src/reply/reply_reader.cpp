// The scanner's low-level reader: one-character tokens, quoted text and words.
#include <stdint.h>
#include <string.h>

#include "reply/reply_scanner.h"
#include "reply/reply_text.h"

namespace pat {

namespace {

// The kind of a byte that is a token by itself, or 0.
uint32_t OneCharacterKind(char c) {
    switch (c) {
        case '\0': return TOKEN_END;
        case '\n': return TOKEN_EOL;
        case '\t': return TOKEN_TAB;
        case '\f': return TOKEN_FF;
        default: return 0;
    }
}

// What a byte means to a word: bit 1 ends every word, bit 2 ends every word
// but a key (keys may hold spaces, "IN TRAYS").
constexpr uint8_t kEndsAnyWord = 1;
constexpr uint8_t kEndsPlainWord = 2;

struct WordEnds {
    uint8_t byByte[256];
};

constexpr WordEnds MakeWordEnds() {
    WordEnds ends = {};
    const char stops[] = "\r\n=:[]";
    for (const char *c = stops; *c != '\0'; ++c) ends.byByte[static_cast<unsigned char>(*c)] = kEndsAnyWord;
    ends.byByte[0] = kEndsAnyWord;
    ends.byByte[static_cast<unsigned char>(' ')] = kEndsPlainWord;
    return ends;
}
constexpr WordEnds kWordEnds = MakeWordEnds();

// The first byte at or after p that ends a word of the requested kind, or end.
const char *WordStop(const char *p, const char *end, uint32_t requested) {
    uint8_t ends = requested == TOKEN_KEY ? kEndsAnyWord : kEndsAnyWord | kEndsPlainWord;
    while (p < end && !(kWordEnds.byByte[static_cast<unsigned char>(*p)] & ends)) ++p;
    return p;
}

// Copies at most size - 1 bytes, terminates, and drops trailing spaces.
// Tokens are short: a plain loop beats a call to memcpy.
void CopyTokenText(char *buffer, uint32_t size, const char *text, uint32_t length) {
    if (buffer == nullptr || size == 0) return;
    if (length > size - 1) length = size - 1;
    while (length > 0 && text[length - 1] == ' ') --length;
    for (uint32_t i = 0; i < length; ++i) buffer[i] = text[i];
    buffer[length] = '\0';
}

}  // namespace

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

void SkipBlanks(ReplyCursor *cursor) {
    const char *p = cursor->position;
    while (p < cursor->end && (*p == ' ' || *p == '\r')) ++p;
    cursor->position = p;
}

uint32_t ReadReplyWord(ReplyCursor *cursor, uint32_t requested, char *buffer, uint32_t size) {
    const char *start = cursor->position;
    char c = ReplyByteAt(cursor, start);
    uint32_t kind = OneCharacterKind(c);
    const char *text = start;
    const char *stop = start;

    if (kind != 0) {
        // The terminator keeps the position, so that every later read reports the end again.
        if (kind != TOKEN_END) stop = start + 1;
        cursor->position = stop;
    } else if (c == '"') {
        // Nothing inside the quotes stops the token; a missing closing quote runs to the end.
        kind = requested;
        text = start + 1;
        const void *quote = memchr(text, '"', static_cast<size_t>(cursor->end - text));
        stop = quote != nullptr ? static_cast<const char *>(quote) : cursor->end;
        cursor->position = quote != nullptr ? stop + 1 : stop;
    } else {
        // A word may be empty when c is itself a stop byte; it still has the requested kind.
        kind = requested;
        stop = WordStop(start, cursor->end, requested);
        cursor->position = stop;
    }

    CopyTokenText(buffer, size, text, static_cast<uint32_t>(stop - text));
    SkipBlanks(cursor);
    return kind;
}

}  // namespace pat
