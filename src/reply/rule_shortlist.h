// The rows of a rule table that can still match the current answer line.
// Most words of an answer are compared with the few rows of their line
// instead of the whole table: a command's rows are listed when the command
// word changes (rarely: most lines of an answer share it), the line's rows
// when its category word arrives, the rows of a body key when the key
// arrives; the indented words are compared with those alone. Each listed row
// carries a signature of its next text, so a word is told apart from most
// rows by one comparison of two numbers.
#ifndef PAT_REPLY_RULE_SHORTLIST_H
#define PAT_REPLY_RULE_SHORTLIST_H

#include <stdint.h>

#include "reply/reply_config.h"
#include "reply/text_signature.h"

namespace pat {

// One text of a line: a view of its bytes (no zero byte among them) and
// their signature.
struct LineText {
    const char *text;
    uint32_t length;
    uint32_t signature;
};

// The five texts of a line (command, category, key, item, value), as the
// dispatcher keeps them.
struct LineTexts {
    LineText texts[5];
};

constexpr uint32_t kShortlistCapacity = 64;

// How many of a line's texts every row of a shortlist is known to match.
enum ShortlistDepth : uint32_t { kMatchesNothing = 0, kMatchesCommand = 1, kMatchesCategory = 2, kMatchesKey = 3 };

// Rows of `table` in table order, each with a handler and matching the first
// `depth` texts of the line, with the signature of each row's text number
// `depth`, chained by that signature so that narrowing by the next word
// visits only the rows that can match. A list with more rows than fit is
// kept whole: every row of the table is then a candidate and is compared in
// full, so the rows called never change.
constexpr uint32_t kShortlistBuckets = 16;
constexpr uint8_t kNoRow = 0xFF;

struct RuleShortlist {
    const ReplyRule *table;
    const ReplyRule *rows[kShortlistCapacity];
    uint32_t nextSignatures[kShortlistCapacity];
    // Rows chained by the low bits of their next signature, in table order.
    uint8_t bucketFirst[kShortlistBuckets];
    uint8_t bucketLast[kShortlistBuckets];
    uint8_t nextInBucket[kShortlistCapacity];
    uint32_t count;
    uint32_t depth;
    bool whole;
};

// Every row of table (null: none).
void ShortlistWholeTable(RuleShortlist *list, const ReplyRule *table);

// The rows of `from` that match the first `depth` texts of the line; depth
// is one more than from's, and at most 4 (a list chains its rows by the next
// text).
void NarrowShortlist(const RuleShortlist *from, const LineTexts *line, uint32_t depth, RuleShortlist *to);

// The next row of the list, in table order, that matches all five texts of
// the line; null when none is left. *at starts at 0 and is moved past the row
// returned; after a null it must not be used again.
const ReplyRule *NextMatchingRule(const RuleShortlist *list, const LineTexts *line, uint32_t *at);

}  // namespace pat

#endif
