#include "reply/rule_shortlist.h"


namespace pat {

namespace {

constexpr uint32_t kTextCount = 5;

// The five texts of a row, by number.
constexpr const char *ReplyRule::*kRuleTexts[kTextCount] = {&ReplyRule::command, &ReplyRule::category,
                                                             &ReplyRule::key, &ReplyRule::item, &ReplyRule::value};

const char *RuleText(const ReplyRule *row, uint32_t i) {
    const char *text = row->*kRuleTexts[i];
    return text != nullptr ? text : "";  // a null text in a row reads as empty
}

bool TextEquals(const char *a, const LineText &b) {
    // The line's bytes hold no zero: a row text equal up to the length has
    // not ended before it, and must end there.
    uint32_t j = 0;
    while (j < b.length && a[j] == b.text[j]) ++j;
    return j == b.length && a[j] == '\0';
}

// True when the row has a handler and matches the line's texts from number
// `first` up to, not including, `last`.
bool MatchesTexts(const ReplyRule *row, const LineTexts *line, uint32_t first, uint32_t last) {
    if (row->handler == nullptr) return false;
    for (uint32_t i = first; i < last; ++i)
        if (!TextEquals(RuleText(row, i), line->texts[i])) return false;
    return true;
}

// The row text last compared or hashed, and the result. The rows of one
// command or category share their texts (one literal each), so narrowing
// reads a shared text once instead of once per row.
struct TextMemo {
    const char *text;
    uint32_t value;
};

// MatchesTexts for a narrowing by one text, number `first`, remembered.
bool MatchesNextText(const ReplyRule *row, const LineTexts *line, uint32_t first, uint32_t last, TextMemo *memo) {
    if (row->handler == nullptr || first >= last) return MatchesTexts(row, line, first, last);
    const char *text = RuleText(row, first);
    if (text != memo->text) *memo = {text, TextEquals(text, line->texts[first])};
    return memo->value != 0 && MatchesTexts(row, line, first + 1, last);
}

void StartList(RuleShortlist *list, const ReplyRule *table, uint32_t depth) {
    list->table = table;
    list->count = 0;
    list->depth = depth;
    list->whole = false;
    for (uint32_t b = 0; b < kShortlistBuckets; ++b) list->bucketFirst[b] = list->bucketLast[b] = kNoRow;
}

// Appends a row; false when the list is full.
bool AddRow(RuleShortlist *list, const ReplyRule *row, TextMemo *hashed) {
    if (list->count == kShortlistCapacity) return false;
    uint8_t at = static_cast<uint8_t>(list->count++);
    uint32_t signature = 0;
    if (list->depth < kTextCount) {
        const char *text = RuleText(row, list->depth);
        if (text != hashed->text) *hashed = {text, TextSignature(text)};
        signature = hashed->value;
    }
    uint32_t bucket = signature % kShortlistBuckets;
    list->rows[at] = row;
    list->nextSignatures[at] = signature;
    list->nextInBucket[at] = kNoRow;
    if (list->bucketLast[bucket] == kNoRow)
        list->bucketFirst[bucket] = at;
    else
        list->nextInBucket[list->bucketLast[bucket]] = at;
    list->bucketLast[bucket] = at;
    return true;
}

}  // namespace

void ShortlistWholeTable(RuleShortlist *list, const ReplyRule *table) {
    list->table = table;
    list->count = 0;
    list->depth = kMatchesNothing;
    list->whole = true;
}

void NarrowShortlist(const RuleShortlist *from, const LineTexts *line, uint32_t depth, RuleShortlist *to) {
    StartList(to, from->table, depth);
    TextMemo compared = {nullptr, 0}, hashed = {nullptr, 0};
    if (from->whole) {
        for (const ReplyRule *row = from->table; row != nullptr && row->command != nullptr; ++row) {
            if (!MatchesNextText(row, line, kMatchesNothing, depth, &compared)) continue;
            if (!AddRow(to, row, &hashed)) return ShortlistWholeTable(to, from->table);
        }
        return;
    }
    // Only the rows whose next text has the line's signature can match.
    uint32_t signature = line->texts[from->depth].signature;
    for (uint8_t at = from->bucketFirst[signature % kShortlistBuckets]; at != kNoRow; at = from->nextInBucket[at]) {
        if (from->nextSignatures[at] != signature || !MatchesNextText(from->rows[at], line, from->depth, depth, &compared))
            continue;
        if (!AddRow(to, from->rows[at], &hashed)) return ShortlistWholeTable(to, from->table);
    }
}

const ReplyRule *NextMatchingRule(const RuleShortlist *list, const LineTexts *line, uint32_t *at) {
    if (list->whole) {
        for (const ReplyRule *row; list->table != nullptr && (row = &list->table[*at])->command != nullptr;) {
            ++*at;
            if (MatchesTexts(row, line, kMatchesNothing, kTextCount)) return row;
        }
        return nullptr;
    }
    // Only the rows chained under the signature of the line's next text can
    // match; the chain is in table order. *at is one more than the row last
    // returned, 0 before the first.
    uint32_t signature = line->texts[list->depth].signature;
    uint8_t row = *at == 0 ? list->bucketFirst[signature % kShortlistBuckets] : list->nextInBucket[*at - 1];
    for (; row != kNoRow; row = list->nextInBucket[row])
        if (list->nextSignatures[row] == signature && MatchesTexts(list->rows[row], line, list->depth, kTextCount)) {
            *at = row + 1u;
            return list->rows[row];
        }
    return nullptr;
}

}  // namespace pat
