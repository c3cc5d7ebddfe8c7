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

// Keys may hold spaces ("IN TRAYS"); every other word ends at one.
bool EndsWord(char c, uint32_t requested) {
    switch (c) {
        case '\0':
        case '\r':
        case '\n':
        case '=':
        case ':':
        case '[':
        case ']': return true;
        case ' ': return requested != TOKEN_KEY;
        default: return false;
    }
}

// Copies at most size - 1 bytes, terminates, and drops trailing spaces.
void CopyTokenText(char *buffer, uint32_t size, const char *text, uint32_t length) {
    if (buffer == nullptr || size == 0) return;
    if (length > size - 1) length = size - 1;
    memcpy(buffer, text, length);
    while (length > 0 && buffer[length - 1] == ' ') --length;
    buffer[length] = '\0';
}

}  // namespace

Status InitReplyCursor(ReplyCursor *cursor, const char *text, uint32_t length) {
    if (cursor == nullptr) return kInvalidParameter;
    // Keep the end inside the address space: a length running past it is cut.
    uintptr_t room = UINTPTR_MAX - reinterpret_cast<uintptr_t>(text);
    if (text == nullptr) length = 0;
    if (length > room) length = static_cast<uint32_t>(room);
    cursor->position = text;
    cursor->end = text + length;
    cursor->state = SCAN_SEEK;
    return kOk;
}

void SkipBlanks(ReplyCursor *cursor) {
    for (;;) {
        char c = ReplyByteAt(cursor, cursor->position);
        if (c != ' ' && c != '\r') return;
        ++cursor->position;
    }
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
        text = stop = start + 1;
        while (ReplyByteAt(cursor, stop) != '\0' && ReplyByteAt(cursor, stop) != '"') ++stop;
        cursor->position = ReplyByteAt(cursor, stop) == '"' ? stop + 1 : stop;
    } else {
        // A word may be empty when c is itself a stop byte; it still has the requested kind.
        kind = requested;
        while (!EndsWord(ReplyByteAt(cursor, stop), requested)) ++stop;
        cursor->position = stop;
    }

    CopyTokenText(buffer, size, text, static_cast<uint32_t>(stop - text));
    SkipBlanks(cursor);
    return kind;
}

}  // namespace pat
