// Field reading over a device ID text: the building block of every key and
// value the device ID parser takes apart.
#ifndef PAT_REPLY_DEVICE_ID_FIELD_H
#define PAT_REPLY_DEVICE_ID_FIELD_H

#include <stdint.h>

namespace pat {

// A read position in a text that ends at its first NUL or at `end`, whichever
// comes first. The host's payload need not carry a NUL, so `end` is the hard
// limit; nothing at or behind it is ever read.
struct FieldSource {
    const char *at;
    const char *end;
};

// The size bytes from text on (a null text is an empty one).
FieldSource SourceOf(const char *text, uint32_t size);

// True when the position is on the NUL or at `end`.
bool AtTextEnd(const FieldSource &source);

// Copies characters into destination until one of separators (not copied),
// the end of the text, or capacity - 1 copied characters; the destination is
// always terminated (when capacity is nonzero). The position then moves one
// past the character where copying stopped, so a separator is consumed and,
// after a cut at the capacity, the character at the cut is skipped. At the end
// of the text the position stays. A null or empty separator set reads to the
// end or the capacity.
void ReadField(FieldSource *source, char *destination, uint32_t capacity, const char *separators);

}  // namespace pat

#endif
