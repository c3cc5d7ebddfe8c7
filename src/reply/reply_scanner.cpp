// The scanner's entry point with the token's text copied (the dispatcher
// steps in place, reply_step.h).
#include "reply/reply_scanner.h"

#include "reply/reply_step.h"

namespace pat {

Status NextReplyToken(ReplyCursor *cursor, char *buffer, uint32_t size, uint32_t *kind) {
    if (cursor == nullptr || kind == nullptr) return kInvalidParameter;
    ReplyToken token;
    Status result = StepReplyCursor(cursor, &token);
    CopyReplyToken(&token, buffer, size);
    *kind = token.kind;
    return result;
}

}  // namespace pat
