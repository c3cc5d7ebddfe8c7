// The table-driven dispatcher: keeps the words of the current answer line and
// calls every rule whose texts equal them, family rules first.

#include "reply/reply_config.h"
#include "core/record.h"
#include "reply/reply_dispatch.h"
#include "reply/reply_step.h"
#include "reply/rule_shortlist.h"

namespace pat {

namespace {

// The candidate rows of one table for the current line, narrowed word by word.
struct TableRules {
    const RuleShortlist *byCommand;
    RuleShortlist byLine;  // at each command and category word
    RuleShortlist byKey;   // at each body key
    const RuleShortlist *current;
};

// The rows of a command word in both tables. An answer's lines share few
// commands ("INFO", "INQUIRE"), so the last two listed are kept.
struct CommandRules {
    LineText command;
    RuleShortlist family, common;
    bool listed;
};
constexpr uint32_t kCommandsKept = 2;

// The line's texts are views into the answer, cut as the 48-byte token
// buffers of the handlers cut them.
struct Dispatcher {
    LineTexts line;
    TableRules family, common;
    bool lineListed;  // the byLine lists are those of the line's category
    RuleShortlist wholeFamily, wholeCommon;  // every row: before the first command
    CommandRules commands[kCommandsKept];
    uint32_t nextCommandSlot;
};

constexpr uint32_t kCommandText = 0, kCategoryText = 1, kKeyText = 2, kItemText = 3, kValueText = 4;
constexpr LineText kEmptyText = {"", 0, TextSignature("")};

void SetText(Dispatcher *d, uint32_t i, const ReplyToken &token) {
    uint32_t length = TokenLengthIn(&token, kTokenCapacity);
    d->line.texts[i] = {token.text, length, TextSignature(token.text, length)};
}

// All five texts empty.
void ClearLine(Dispatcher *d) {
    for (LineText &text : d->line.texts) text = kEmptyText;
}

bool SameText(const LineText &a, const LineText &b) {
    return a.length == b.length && a.signature == b.signature && SameBytes(a.text, b.text, a.length);
}

void StartText(Dispatcher *d, const ReplyRule *familyTable) {
    ClearLine(d);
    // Before the first command every row is a candidate, as in the tables.
    // A malformed answer can bring a category or key word first, so the
    // line's lists start whole too: a key is never narrowed from a list that
    // no command word has made.
    ShortlistWholeTable(&d->wholeFamily, familyTable);
    ShortlistWholeTable(&d->wholeCommon, ActiveReplyConfig().commonReplyTable);
    ShortlistWholeTable(&d->family.byLine, familyTable);
    ShortlistWholeTable(&d->common.byLine, ActiveReplyConfig().commonReplyTable);
    d->lineListed = true;
    d->family.byCommand = d->family.current = &d->wholeFamily;
    d->common.byCommand = d->common.current = &d->wholeCommon;
    for (CommandRules &slot : d->commands) slot.listed = false;
    d->nextCommandSlot = 0;
}

void Narrow(TableRules *rules, const RuleShortlist *from, const LineTexts *line, uint32_t depth, RuleShortlist *to) {
    NarrowShortlist(from, line, depth, to);
    rules->current = to;
}

// The rows of the current command, listed unless one of the kept slots has them.
const CommandRules *ListCommand(Dispatcher *d) {
    for (const CommandRules &slot : d->commands)
        if (slot.listed && SameText(slot.command, d->line.texts[kCommandText])) return &slot;
    CommandRules *slot = &d->commands[d->nextCommandSlot];
    d->nextCommandSlot = (d->nextCommandSlot + 1) % kCommandsKept;
    NarrowShortlist(&d->wholeFamily, &d->line, kMatchesCommand, &slot->family);
    NarrowShortlist(&d->wholeCommon, &d->line, kMatchesCommand, &slot->common);
    slot->command = d->line.texts[kCommandText];
    slot->listed = true;
    return slot;
}

void OnCategory(Dispatcher *d) {
    Narrow(&d->family, d->family.byCommand, &d->line, kMatchesCategory, &d->family.byLine);
    Narrow(&d->common, d->common.byCommand, &d->line, kMatchesCategory, &d->common.byLine);
    d->lineListed = true;
}

// The command word is dispatched with the command's rows themselves: most
// lines bring their category word next, and the line's rows are listed then.
void OnCommand(Dispatcher *d) {
    const CommandRules *rules = ListCommand(d);
    d->family.byCommand = d->family.current = &rules->family;
    d->common.byCommand = d->common.current = &rules->common;
    d->lineListed = false;
}

// A key can come without a category word (a malformed command line): the
// line's rows are then listed for the empty category first.
void OnKey(Dispatcher *d) {
    if (!d->lineListed) OnCategory(d);
    Narrow(&d->family, &d->family.byLine, &d->line, kMatchesKey, &d->family.byKey);
    Narrow(&d->common, &d->common.byLine, &d->line, kMatchesKey, &d->common.byKey);
}

// Calls every family rule that matches (each given the first matching common
// rule's handler as its companion), then every matching common rule, in table
// order. Handlers never change the keys, so the rows that match are the same
// before and after each call.
void Dispatch(ReplyCursor *cursor, PrnInfoEx *record, const Dispatcher *d) {
    uint32_t f = 0, c = 0;
    const ReplyRule *family = NextMatchingRule(d->family.current, &d->line, &f);
    const ReplyRule *common = NextMatchingRule(d->common.current, &d->line, &c);
    for (;;) {
        if (family != nullptr) {
            family->handler(cursor, record, common != nullptr ? reinterpret_cast<ReplyCompanion>(common->handler) : nullptr,
                            family->parameter);
            family = NextMatchingRule(d->family.current, &d->line, &f);
        } else if (common != nullptr) {
            common->handler(cursor, record, reinterpret_cast<ReplyCompanion>(common->handler), common->parameter);
            common = NextMatchingRule(d->common.current, &d->line, &c);
        } else {
            return;
        }
    }
}

}  // namespace

Status DispatchPjlReply(PrnInfoEx *record, const ReplyRule *familyTable, const char *text, uint32_t length) {
    Dispatcher d;
    StartText(&d, familyTable);
    ReplyCursor cursor;
    InitReplyCursor(&cursor, text, length);
    ReplyToken token;
    do {
        // A syntax error costs only its own block: the token is not used and
        // the scanner seeks the next "@PJL", so later answers still land.
        if (StepReplyCursor(&cursor, &token) != kOk) continue;
        switch (token.kind) {
            case TOKEN_COMMAND:
                ClearLine(&d);
                SetText(&d, kCommandText, token);
                OnCommand(&d);
                break;
            case TOKEN_CATEGORY:
                SetText(&d, kCategoryText, token);
                OnCategory(&d);
                break;
            case TOKEN_KEY:
                SetText(&d, kKeyText, token);
                OnKey(&d);
                break;
            case TOKEN_ITEM: SetText(&d, kItemText, token); break;
            case TOKEN_ITEM_VALUE: SetText(&d, kValueText, token); break;
            case TOKEN_EOL:
                // The key stays: indented lines belong to the list of the last body line.
                d.line.texts[kItemText] = d.line.texts[kValueText] = kEmptyText;
                continue;
            default: continue;
        }
        Dispatch(&cursor, record, &d);
    } while (token.kind != TOKEN_END);
    return kOk;
}

}  // namespace pat
