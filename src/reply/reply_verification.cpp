// The completeness check: every category the request asked about must be
// answered before anything of the answer is applied.
#include <string.h>

#include "core/data_node.h"
#include "reply/reply_dispatch.h"
#include "reply/reply_step.h"
#include "reply/text_signature.h"

namespace pat {

namespace {

// The completeness check compares words as 100-byte buffers hold them: up
// to 99 characters. Words are views into the texts; nothing is copied.
constexpr uint32_t kCheckTokenCapacity = 100;

struct CheckWord {
    const char *text;
    uint32_t length;
};

CheckWord WordOf(const ReplyToken &token) { return {token.text, TokenLengthIn(&token, kCheckTokenCapacity)}; }

bool SameWord(CheckWord a, CheckWord b) { return a.length == b.length && SameBytes(a.text, b.text, a.length); }

// The request's category words, looked up in the answer a batch at a time.
constexpr uint32_t kCategoryBatch = 64;

struct CategoryBatch {
    CheckWord words[kCategoryBatch];
    uint32_t signatures[kCategoryBatch];  // equal words have equal signatures
    uint32_t count;
};

// True when the answer has every word of the batch as a category word, scans
// cleanly up to it, and carries a form feed somewhere after it. One pass over
// the answer finds the first place of every word: exactly what a rescan from
// the answer's start for each word would find, at the cost of one scan.
bool AnswerHasCategories(const char *answer, uint32_t answerLength, const CategoryBatch &batch) {
    bool found[kCategoryBatch] = {};
    uint32_t pending = batch.count;
    ReplyCursor cursor;
    InitReplyCursor(&cursor, answer, answerLength);
    ReplyToken token;
    while (pending > 0) {
        if (StepReplyCursor(&cursor, &token) != kOk || token.kind == TOKEN_END) return false;
        if (token.kind != TOKEN_CATEGORY) continue;
        CheckWord word = WordOf(token);
        uint32_t signature = TextSignature(word.text, word.length);
        for (uint32_t i = 0; i < batch.count; ++i) {
            if (found[i] || batch.signatures[i] != signature || !SameWord(word, batch.words[i])) continue;
            // The cursor's end is the answer's terminator: the form feed must come before it.
            if (memchr(cursor.position, '\f', static_cast<size_t>(cursor.end - cursor.position)) == nullptr)
                return false;
            found[i] = true;
            --pending;
        }
    }
    return true;
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
    ReplyToken token;
    Status status = StepReplyCursor(&cursor, &token);
    if (status != kOk) return status;
    // A category that fails makes the answer a mismatch even when the request
    // text goes on to a syntax error: the categories before that error count.
    CategoryBatch batch;
    for (;;) {
        batch.count = 0;
        Status requestError = kOk;
        while (token.kind != TOKEN_END && batch.count < kCategoryBatch) {
            if (token.kind == TOKEN_CATEGORY) {
                batch.words[batch.count] = WordOf(token);
                batch.signatures[batch.count] = TextSignature(batch.words[batch.count].text, batch.words[batch.count].length);
                ++batch.count;
            }
            requestError = StepReplyCursor(&cursor, &token);
            if (requestError != kOk) break;
        }
        if (batch.count > 0 && !AnswerHasCategories(answer, answerLength, batch)) return kReplyMismatch;
        if (requestError != kOk) return requestError;
        if (token.kind == TOKEN_END) return kOk;
    }
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
