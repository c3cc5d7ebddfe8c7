// The reply scanner's state machine: one row per state says which kind to ask
// the reader for and where to go by the kind read and by the byte after it.
// The rows are written as the grammar reads; at compile time each becomes a
// move per byte class, so that a step is the inline read, one lookup and a
// compare. Seeking "@PJL" is the one step of its own.
#ifndef PAT_REPLY_REPLY_STEP_H
#define PAT_REPLY_REPLY_STEP_H

#include <stdint.h>
#include <string.h>

#include "reply/reply_reader.h"
#include "reply/reply_scanner.h"

namespace pat {

namespace reply_step {

// What a step does after its read. State 0 is a syntax error.
enum MoveFlags : uint8_t {
    kConsume = 1,      // move over the byte that chose this move
    kSkipAfter = 2,    // then over spaces and carriage returns
    kAsQualifier = 4,  // report the word as TOKEN_QUALIFIER
};
constexpr uint8_t kSyntaxError = 0;
constexpr uint32_t kNoKind = 0;

struct Move {
    uint8_t state;
    uint8_t flags;
};

struct ByteMove {
    char byte;  // '\0' ends the list: the terminator never chooses a move
    Move move;
};

struct StepRow {
    uint32_t state;
    uint32_t requested;   // the kind asked of the reader
    bool strict;          // any kind but the requested one (and `special`) is an error
    uint32_t special;     // a kind with a move of its own, or kNoKind
    Move onSpecial;
    ByteMove byNextByte[3];
    Move otherwise;
};

constexpr Move To(uint32_t state, uint8_t flags = 0) { return Move{static_cast<uint8_t>(state), flags}; }
constexpr Move kFail = Move{kSyntaxError, 0};
constexpr bool kStrict = true;
constexpr bool kLenient = false;

// Rows: state, kind read, strict, a kind with a move of its own and that
// move, moves by the byte after the read (first match wins), otherwise.
inline constexpr StepRow kStepTable[] = {
    {SCAN_COMMAND, TOKEN_COMMAND, kLenient, TOKEN_EOL, To(SCAN_SEEK),
     {},
     To(SCAN_CATEGORY)},
    {SCAN_CATEGORY, TOKEN_CATEGORY, kLenient, TOKEN_EOL, To(SCAN_SEEK),
     {{':', To(SCAN_QUALIFIED, kConsume | kSkipAfter | kAsQualifier)},
      {'=', To(SCAN_COMMAND_VALUE, kConsume | kSkipAfter)}},
     To(SCAN_COMMAND_EOL)},
    {SCAN_QUALIFIED, TOKEN_QUALIFIED, kStrict, kNoKind, kFail,
     {},
     To(SCAN_CATEGORY)},
    {SCAN_COMMAND_VALUE, TOKEN_COMMAND_VALUE, kLenient, TOKEN_EOL, To(SCAN_SEEK),
     {},
     To(SCAN_COMMAND_EOL)},
    // A command line followed by another command or by the exit sequence has no body.
    {SCAN_COMMAND_EOL, TOKEN_EOL, kStrict, kNoKind, kFail,
     {{'@', To(SCAN_SEEK)}, {'\x1B', To(SCAN_SEEK)}},
     To(SCAN_KEY)},
    // No blanks are skipped after a key's "=": a space there leaves the value empty.
    {SCAN_KEY, TOKEN_KEY, kStrict, kNoKind, kFail,
     {{'\n', To(SCAN_LINE_EOL)}, {'[', To(SCAN_COUNT, kConsume)}, {'=', To(SCAN_VALUE, kConsume)}},
     kFail},
    {SCAN_VALUE, TOKEN_VALUE, kStrict, kNoKind, kFail,
     {{'[', To(SCAN_COUNT, kConsume)}},
     To(SCAN_LINE_EOL)},
    {SCAN_COUNT, TOKEN_COUNT, kStrict, kNoKind, kFail,
     {},
     To(SCAN_TYPE)},
    {SCAN_TYPE, TOKEN_TYPE, kStrict, kNoKind, kFail,
     {{']', To(SCAN_LINE_EOL, kConsume | kSkipAfter)}},
     To(SCAN_TYPE)},
    {SCAN_LINE_EOL, TOKEN_EOL, kStrict, kNoKind, kFail,
     {{'@', To(SCAN_SEEK)}, {'\t', To(SCAN_INDENT)}, {'\f', To(SCAN_INDENT)}},
     To(SCAN_KEY)},
    // A form feed ends the block.
    {SCAN_INDENT, TOKEN_TAB, kStrict, TOKEN_FF, To(SCAN_SEEK),
     {},
     To(SCAN_ITEM)},
    {SCAN_ITEM, TOKEN_ITEM, kStrict, kNoKind, kFail,
     {{'=', To(SCAN_ITEM_VALUE, kConsume | kSkipAfter)}, {'\n', To(SCAN_LINE_EOL)}},
     To(SCAN_ITEM_VALUE)},
    {SCAN_ITEM_VALUE, TOKEN_ITEM_VALUE, kStrict, kNoKind, kFail,
     {{'\n', To(SCAN_LINE_EOL)}},
     kFail},
};

constexpr uint32_t kFirstTableState = SCAN_COMMAND;
constexpr uint32_t kStateCount = sizeof kStepTable / sizeof kStepTable[0];

constexpr bool RowsInStateOrder() {
    for (uint32_t i = 0; i < kStateCount; ++i)
        if (kStepTable[i].state != kFirstTableState + i) return false;
    return true;
}
static_assert(RowsInStateOrder() && kFirstTableState + kStateCount - 1 == SCAN_ITEM_VALUE,
              "one row per state after SCAN_SEEK, in state order");

// A row with its moves by the class of the byte after the read.
struct DenseRow {
    uint32_t state;
    uint32_t requested;
    bool strict;
    uint32_t special;
    Move onSpecial;
    Move byClass[kByteClassCount];
};

// The class of a byte a row chooses by; every such byte must have a class of
// its own, or the dense rows would move differently from the written ones.
constexpr ByteClass ClassOf(char byte) {
    return static_cast<ByteClass>(kByteInfo.byByte[static_cast<unsigned char>(byte)] & kClassBits);
}

constexpr uint32_t BytesOfClass(ByteClass c) {
    uint32_t count = 0;
    for (uint32_t b = 0; b < 256; ++b) count += (kByteInfo.byByte[b] & kClassBits) == c;
    return count;
}

constexpr bool EveryChoosingByteHasItsOwnClass() {
    for (const StepRow &row : kStepTable)
        for (const ByteMove &rule : row.byNextByte)
            if (rule.byte != '\0' && (ClassOf(rule.byte) == kOtherByte || BytesOfClass(ClassOf(rule.byte)) != 1))
                return false;
    return true;
}
static_assert(EveryChoosingByteHasItsOwnClass(), "a byte that chooses a move needs a class of its own");

struct DenseTable {
    DenseRow rows[kStateCount];
};

// First match wins, as in the written rows; the terminator chooses no move.
constexpr DenseTable MakeDenseTable() {
    DenseTable t = {};
    for (uint32_t i = 0; i < kStateCount; ++i) {
        const StepRow &row = kStepTable[i];
        DenseRow &dense = t.rows[i];
        dense.state = row.state;
        dense.requested = row.requested;
        dense.strict = row.strict;
        dense.special = row.special;
        dense.onSpecial = row.onSpecial;
        for (Move &move : dense.byClass) move = row.otherwise;
        for (uint32_t r = 3; r-- > 0;) {
            const ByteMove &rule = row.byNextByte[r];
            if (rule.byte != '\0') dense.byClass[ClassOf(rule.byte)] = rule.move;
        }
    }
    return t;
}
inline constexpr DenseTable kDenseTable = MakeDenseTable();

// The first "@PJL" at or after p, or the end of the text.
inline const char *FindPjl(const char *p, const char *end) {
    while (p < end) {
        const char *at = static_cast<const char *>(memchr(p, '@', static_cast<size_t>(end - p)));
        if (at == nullptr) break;
        if (end - at >= 4 && memcmp(at, "@PJL", 4) == 0) return at;
        p = at + 1;
    }
    return end;
}

inline Status SeekStep(ReplyCursor *cursor, ReplyToken *token) {
    const char *p = FindPjl(cursor->position, cursor->end);
    cursor->state = SCAN_SEEK;
    if (p == cursor->end) {
        cursor->position = p;
        *token = {nullptr, 0, TOKEN_END};  // no text: the buffer is left as it was
        return kOk;
    }
    *token = {p, 4, TOKEN_PJL};
    cursor->position = SkipBlanksFrom(p + 4, cursor->end);
    cursor->state = SCAN_COMMAND;
    return kOk;
}

inline Status TableStep(ReplyCursor *cursor, const DenseRow &row, ReplyToken *token) {
    const char *before = cursor->position;
    ReadTokenInPlace(cursor, row.requested, token);
    uint32_t kind = token->kind;
    Move move = kind == row.special                 ? row.onSpecial
                : row.strict && kind != row.requested ? kFail
                                                    : row.byClass[ClassAt(cursor->position, cursor->end)];
    // A step that would leave both the state and the position as they were
    // would be taken again forever (an empty type word before ":" in a
    // bracket); it is a syntax error instead.
    if (move.state == row.state && !(move.flags & kConsume) && cursor->position == before) move = kFail;
    if (move.state == kSyntaxError) {
        cursor->state = SCAN_SEEK;
        return kInvalidData;
    }
    if (move.flags & kConsume) ++cursor->position;
    if (move.flags & kSkipAfter) cursor->position = SkipBlanksFrom(cursor->position, cursor->end);
    if (move.flags & kAsQualifier) token->kind = TOKEN_QUALIFIER;
    cursor->state = move.state;
    return kOk;
}

}  // namespace reply_step

// One step of the state machine on a valid cursor and token, inline: the
// dispatcher and the completeness check run it in their loops, so that a
// token costs no call.
inline Status StepReplyCursor(ReplyCursor *cursor, ReplyToken *token) {
    using namespace reply_step;
    uint32_t state = cursor->state;
    // A state the machine does not know is treated as seeking.
    Status result = state - kFirstTableState < kStateCount
                        ? TableStep(cursor, kDenseTable.rows[state - kFirstTableState], token)
                        : SeekStep(cursor, token);
    // The end of the text is clean only between blocks.
    if (token->kind == TOKEN_END && cursor->state != SCAN_SEEK) {
        cursor->state = SCAN_SEEK;
        result = kInvalidData;
    }
    return result;
}

}  // namespace pat

#endif
