// Bounded access to the text under a reply cursor, shared by the reader and
// the state machine.
#ifndef PAT_REPLY_REPLY_TEXT_H
#define PAT_REPLY_REPLY_TEXT_H

#include <stddef.h>

#include "reply/reply_scanner.h"

namespace pat {

// The byte `offset` places after p, or the terminator once that place is at or
// past the cursor's end: the end of the buffer reads exactly like a zero byte,
// so no caller needs a length check of its own.
inline char ReplyByteAt(const ReplyCursor *cursor, const char *p, uint32_t offset = 0) {
    return cursor->end - p > static_cast<ptrdiff_t>(offset) ? p[offset] : '\0';
}

}  // namespace pat

#endif
