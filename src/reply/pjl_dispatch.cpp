// The table-driven dispatcher: keeps the words of the current answer line and
// calls every rule whose texts equal them, family rules first.
#include <string.h>

#include "core/config.h"
#include "core/record.h"
#include "reply/reply_dispatch.h"

namespace pat {

namespace {

bool TextEquals(const char *rule, const char *current) { return strcmp(rule != nullptr ? rule : "", current) == 0; }

void SetKey(char *key, const char *text) { CopyToField(key, kTokenCapacity, text); }

// Calls every family rule that matches (each given the first matching common
// rule's handler as its companion), then every matching common rule. The keys
// are compared again after each handler has run.
void Dispatch(ReplyCursor *cursor, PrnInfoEx *record, const ReplyRule *familyTable, const ReplyKeys *keys) {
    const ReplyRule *family = FindReplyRule(familyTable, keys);
    const ReplyRule *common = FindReplyRule(Config().commonReplyTable, keys);
    for (;;) {
        if (family != nullptr) {
            family->handler(cursor, record, common != nullptr ? reinterpret_cast<ReplyCompanion>(common->handler) : nullptr,
                            family->parameter);
            family = FindReplyRule(family + 1, keys);
        } else if (common != nullptr) {
            common->handler(cursor, record, reinterpret_cast<ReplyCompanion>(common->handler), common->parameter);
            common = FindReplyRule(common + 1, keys);
        } else {
            return;
        }
    }
}

}  // namespace

const ReplyRule *FindReplyRule(const ReplyRule *first, const ReplyKeys *keys) {
    if (first == nullptr) return nullptr;
    for (const ReplyRule *rule = first; rule->command != nullptr; ++rule) {
        if (rule->handler != nullptr && TextEquals(rule->command, keys->command) &&
            TextEquals(rule->category, keys->category) && TextEquals(rule->key, keys->key) &&
            TextEquals(rule->item, keys->item) && TextEquals(rule->value, keys->value))
            return rule;
    }
    return nullptr;
}

Status DispatchPjlReply(PrnInfoEx *record, const ReplyRule *familyTable, const char *text, uint32_t length) {
    ReplyKeys keys = {};
    ReplyCursor cursor;
    InitReplyCursor(&cursor, text, length);
    Token token;
    do {
        // A syntax error costs only its own block: the token is not used and
        // the scanner seeks the next "@PJL", so later answers still land.
        if (ReadToken(&cursor, &token) != kOk) continue;
        switch (token.kind) {
            case TOKEN_COMMAND:
                keys = {};
                SetKey(keys.command, token.text);
                break;
            case TOKEN_CATEGORY: SetKey(keys.category, token.text); break;
            case TOKEN_KEY: SetKey(keys.key, token.text); break;
            case TOKEN_ITEM: SetKey(keys.item, token.text); break;
            case TOKEN_ITEM_VALUE: SetKey(keys.value, token.text); break;
            case TOKEN_EOL:
                // The key stays: indented lines belong to the list of the last body line.
                keys.item[0] = keys.value[0] = '\0';
                continue;
            default: continue;
        }
        Dispatch(&cursor, record, familyTable, &keys);
    } while (token.kind != TOKEN_END);
    return kOk;
}

}  // namespace pat
