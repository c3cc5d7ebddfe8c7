// What real printers send, made into what the module reads. The module's
// grammar stays strict; the host cleans before it hands anything over, and
// --raw turns every rule here off.
#ifndef PAT_HOST_CLEANING_H
#define PAT_HOST_CLEANING_H

#include <stddef.h>

#include <string>
#include <string_view>

namespace pathost {

// The two length bytes a device ID carries in front of its text (IEEE 1284).
struct LengthPrefix {
    bool removed = false;
    bool littleEndian = false;  // the length only fit when read low byte first
    bool clamped = false;       // neither order fit: cut to what was received
    bool countsText = false;    // the length counted the text only, not its own two bytes
    size_t announced = 0;       // the length the bytes announced, prefix included
};

struct DeviceIdCleaning {
    std::string text;
    LengthPrefix prefix;
    size_t keysRenamed = 0;  // long or differently cased names made short
    size_t keysTrimmed = 0;  // keys that had spaces around them
};

// True when the first two bytes cannot be the start of a key: a raw capture
// still carries its length prefix (lengths below 0x2020 always show it).
bool LooksLengthPrefixed(std::string_view bytes);

// Strips the length prefix: the big-endian length when it fits what was
// received, else the little-endian one, else everything received. A length
// that is exactly what was received less two counts the text only (printers
// differ on whether it counts itself); any other counts itself. The text
// ends at the announced length or at the first NUL, whichever comes first.
std::string StripLengthPrefix(std::string_view bytes, LengthPrefix *report);

// Maps "MANUFACTURER", "MODEL", "DESCRIPTION", "COMMAND SET" (any case) to
// "MFG", "MDL", "DES", "CMD", upper-cases those short keys and removes spaces
// around every key. Values are left as they are.
std::string NormalizeDeviceIdKeys(std::string_view text, size_t *renamed, size_t *trimmed);

DeviceIdCleaning CleanDeviceId(std::string_view bytes, bool lengthPrefixed);

struct PjlCleaning {
    std::string text;
    size_t nulsRemoved = 0;    // NUL bytes outside the answer blocks
    size_t ctrlDsRemoved = 0;  // Ctrl-D bytes right after a form feed
};

// Removes NUL bytes before the first "@PJL" and between a form feed and the
// next "@PJL" (padding would end the module's zero-terminated text there),
// and Ctrl-D bytes that follow a form feed (end-of-job marks).
PjlCleaning CleanPjlStream(std::string_view bytes);
// The same on the caller's buffer, for answers of up to --max-bytes: the
// cleaned text is left in `bytes`, the result's text stays empty.
PjlCleaning CleanPjlStreamInPlace(std::string &bytes);

}  // namespace pathost

#endif
