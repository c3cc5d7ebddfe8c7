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

// True when the row has a handler and matches the line's texts from number
// `first` up to, not including, `last`.
bool MatchesTexts(const ReplyRule *row, const LineTexts *line, uint32_t first, uint32_t last) {
    if (row->handler == nullptr) return false;
    for (uint32_t i = first; i < last; ++i) {
        // The line's bytes hold no zero: a row text equal up to the length
        // has not ended before it, and must end there.
        const char *a = RuleText(row, i);
        const LineText &b = line->texts[i];
        uint32_t j = 0;
        while (j < b.length && a[j] == b.text[j]) ++j;
        if (j != b.length || a[j] != '\0') return false;
    }
    return true;
}

// The candidate at `at`, or null past the last. A listed row whose next text
// has another signature than the line's cannot match and is skipped (*skip).
const ReplyRule *Candidate(const RuleShortlist *list, uint32_t at, const LineTexts *line, bool *skip) {
    if (list->whole) {
        *skip = false;
        if (list->table == nullptr || list->table[at].command == nullptr) return nullptr;
        return &list->table[at];
    }
    if (at >= list->count) return nullptr;
    *skip = list->depth < kTextCount && list->nextSignatures[at] != line->texts[list->depth].signature;
    return list->rows[at];
}

// The texts a list's rows are known to match: a whole table matches none yet.
uint32_t KnownDepth(const RuleShortlist *list) { return list->whole ? kMatchesNothing : list->depth; }

void StartList(RuleShortlist *list, const ReplyRule *table, uint32_t depth) {
    list->table = table;
    list->count = 0;
    list->depth = depth;
    list->whole = false;
    for (uint32_t b = 0; b < kShortlistBuckets; ++b) list->bucketFirst[b] = list->bucketLast[b] = kNoRow;
}

// Appends a row; false when the list is full.
bool AddRow(RuleShortlist *list, const ReplyRule *row) {
    if (list->count == kShortlistCapacity) return false;
    uint8_t at = static_cast<uint8_t>(list->count++);
    uint32_t signature = list->depth < kTextCount ? TextSignature(RuleText(row, list->depth)) : 0;
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
    if (from->whole) {
        for (const ReplyRule *row = from->table; row != nullptr && row->command != nullptr; ++row) {
            if (!MatchesTexts(row, line, kMatchesNothing, depth)) continue;
            if (!AddRow(to, row)) return ShortlistWholeTable(to, from->table);
        }
        return;
    }
    // Only the rows whose next text has the line's signature can match.
    uint32_t signature = line->texts[from->depth].signature;
    for (uint8_t at = from->bucketFirst[signature % kShortlistBuckets]; at != kNoRow; at = from->nextInBucket[at]) {
        if (from->nextSignatures[at] != signature || !MatchesTexts(from->rows[at], line, from->depth, depth)) continue;
        if (!AddRow(to, from->rows[at])) return ShortlistWholeTable(to, from->table);
    }
}

const ReplyRule *NextMatchingRule(const RuleShortlist *list, const LineTexts *line, uint32_t *at) {
    const ReplyRule *row;
    bool skip;
    while ((row = Candidate(list, *at, line, &skip)) != nullptr) {
        ++*at;
        if (!skip && MatchesTexts(row, line, KnownDepth(list), kTextCount)) return row;
    }
    return nullptr;
}

}  // namespace pat
