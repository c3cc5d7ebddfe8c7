// The scanner's entry points: the step, in place or with the token's text
// copied.
#include "reply/reply_scanner.h"

#include "reply/reply_step.h"

namespace pat {

Status ScanReplyToken(ReplyCursor *cursor, ReplyToken *token) {
    if (cursor == nullptr || token == nullptr) return kInvalidParameter;
    return StepReplyCursor(cursor, token);
}

Status NextReplyToken(ReplyCursor *cursor, char *buffer, uint32_t size, uint32_t *kind) {
    if (cursor == nullptr || kind == nullptr) return kInvalidParameter;
    ReplyToken token;
    Status result = StepReplyCursor(cursor, &token);
    CopyReplyToken(&token, buffer, size);
    *kind = token.kind;
    return result;
}

}  // namespace pat
