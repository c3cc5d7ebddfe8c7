// The reply scanner's state machine: one row per state says which kind to ask
// the reader for and where to go by the kind read and by the byte after it;
// a small driver applies the row. Seeking "@PJL" is the one step of its own.
#include "reply/reply_scanner.h"

#include <string.h>

#include "reply/reply_text.h"

namespace pat {

namespace {

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
constexpr StepRow kStepTable[] = {
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

Move ChooseMove(const StepRow &row, uint32_t kind, char next) {
    if (row.special != kNoKind && kind == row.special) return row.onSpecial;
    if (row.strict && kind != row.requested) return kFail;
    for (const ByteMove &rule : row.byNextByte) {
        if (rule.byte == '\0') break;
        if (rule.byte == next) return rule.move;
    }
    return row.otherwise;
}

// The first "@PJL" at or after p, or the end of the text.
const char *FindPjl(const char *p, const char *end) {
    while (p < end) {
        const char *at = static_cast<const char *>(memchr(p, '@', static_cast<size_t>(end - p)));
        if (at == nullptr) break;
        if (end - at >= 4 && memcmp(at, "@PJL", 4) == 0) return at;
        p = at + 1;
    }
    return end;
}

Status SeekStep(ReplyCursor *cursor, char *buffer, uint32_t size, uint32_t *kind) {
    const char *p = FindPjl(cursor->position, cursor->end);
    cursor->position = p;
    cursor->state = SCAN_SEEK;
    if (ReplyByteAt(cursor, p) == '\0') {
        *kind = TOKEN_END;  // the buffer is left as it was
        return kOk;
    }
    *kind = TOKEN_PJL;
    if (buffer != nullptr && size != 0) {
        uint32_t length = size - 1 < 4 ? size - 1 : 4;
        memcpy(buffer, "@PJL", length);
        buffer[length] = '\0';
    }
    cursor->position = p + 4;
    SkipBlanks(cursor);
    cursor->state = SCAN_COMMAND;
    return kOk;
}

Status TableStep(ReplyCursor *cursor, const StepRow &row, char *buffer, uint32_t size, uint32_t *kind) {
    const char *before = cursor->position;
    *kind = ReadReplyWord(cursor, row.requested, buffer, size);
    Move move = ChooseMove(row, *kind, ReplyByteAt(cursor, cursor->position));
    // A step that would leave both the state and the position as they were
    // would be taken again forever (an empty type word before ":" in a
    // bracket); it is a syntax error instead.
    if (move.state == row.state && !(move.flags & kConsume) && cursor->position == before) move = kFail;
    if (move.state == kSyntaxError) {
        cursor->state = SCAN_SEEK;
        return kInvalidData;
    }
    if (move.flags & kConsume) ++cursor->position;
    if (move.flags & kSkipAfter) SkipBlanks(cursor);
    if (move.flags & kAsQualifier) *kind = TOKEN_QUALIFIER;
    cursor->state = move.state;
    return kOk;
}

}  // namespace

Status NextReplyToken(ReplyCursor *cursor, char *buffer, uint32_t size, uint32_t *kind) {
    if (cursor == nullptr || kind == nullptr) return kInvalidParameter;
    uint32_t state = cursor->state;
    bool inTable = state >= kFirstTableState && state - kFirstTableState < kStateCount;
    // A state the machine does not know is treated as seeking.
    Status result = inTable ? TableStep(cursor, kStepTable[state - kFirstTableState], buffer, size, kind)
                            : SeekStep(cursor, buffer, size, kind);
    // The end of the text is clean only between blocks.
    if (*kind == TOKEN_END && cursor->state != SCAN_SEEK) {
        cursor->state = SCAN_SEEK;
        result = kInvalidData;
    }
    return result;
}

}  // namespace pat
