// The completeness check: every category the request asked about must be
// answered before anything of the answer is applied.
#include <string.h>

#include "core/data_node.h"
#include "reply/reply_dispatch.h"

namespace pat {

namespace {

// The completeness check compares words of up to 99 characters.
constexpr uint32_t kCheckTokenCapacity = 100;

struct CheckToken {
    char text[kCheckTokenCapacity];
    uint32_t kind;
};

Status ReadCheckToken(ReplyCursor *cursor, CheckToken *token) {
    return NextReplyToken(cursor, token->text, sizeof token->text, &token->kind);
}

// True when the answer has the category word, scans cleanly up to it, and
// carries a form feed somewhere after it.
bool AnswerHasCategory(const char *answer, uint32_t answerLength, const char *category) {
    ReplyCursor cursor;
    InitReplyCursor(&cursor, answer, answerLength);
    CheckToken token;
    do {
        if (ReadCheckToken(&cursor, &token) != kOk || token.kind == TOKEN_END) return false;
    } while (token.kind != TOKEN_CATEGORY || strcmp(token.text, category) != 0);
    return memchr(cursor.position, '\f', static_cast<size_t>(cursor.end - cursor.position)) != nullptr;
}

// The first child of root with tag, or null.
const DataNode *ChildWithTag(const DataNode *root, uint32_t tag) { return FindByTag(FirstChild(root), tag); }

bool HasPayload(const DataNode *node) { return node != nullptr && node->payloadLength > 0; }

const char *TextOf(const DataNode *node) { return reinterpret_cast<const char *>(Payload(node)); }

}  // namespace

Status MatchRequestCategories(const char *request, uint32_t requestLength, const char *answer,
                              uint32_t answerLength) {
    ReplyCursor cursor;
    InitReplyCursor(&cursor, request, requestLength);
    CheckToken token;
    Status status = ReadCheckToken(&cursor, &token);
    if (status != kOk) return status;
    bool failed = false;
    while (token.kind != TOKEN_END && !failed) {
        if (token.kind == TOKEN_CATEGORY) failed = !AnswerHasCategory(answer, answerLength, token.text);
        status = ReadCheckToken(&cursor, &token);
        if (status != kOk) {
            if (!failed) return status;
            break;
        }
    }
    return failed ? kReplyMismatch : kOk;
}

Status VerifyReplyAgainstRequest(const DataNode *root) {
    uint32_t tag = 0;
    if (!TagAndLength(root, &tag, nullptr) || (tag != PAT_TAG_CENTRO_ROOT && tag != PAT_TAG_EMUL_ROOT))
        return kInvalidParameter;
    const DataNode *request = ChildWithTag(root, PAT_TAG_QUERY_ROOT);
    if (request == nullptr) return kOk;
    if (ChildWithTag(request, PAT_TAG_DEVICE_ID) != nullptr && !HasPayload(ChildWithTag(root, PAT_TAG_DEVICE_ID)))
        return kReplyMismatch;
    const DataNode *query = ChildWithTag(request, PAT_TAG_PJL_TEXT);
    if (query == nullptr) return kOk;
    const DataNode *answer = ChildWithTag(root, PAT_TAG_PJL_TEXT);
    if (!HasPayload(answer)) return kReplyMismatch;
    return MatchRequestCategories(TextOf(query), query->payloadLength, TextOf(answer), answer->payloadLength);
}

}  // namespace pat
