// The IEEE 1284 device ID parser: fills a PrnInfoEx from the key:value; pairs
// of the short keys "CMD", "MFG", "MDL", "DES", "STS" and "RIJ".
#ifndef PAT_REPLY_DEVICE_ID_PARSER_H
#define PAT_REPLY_DEVICE_ID_PARSER_H

#include <stdint.h>

#include "core/error_codes.h"
#include "pat/pat.h"

namespace pat {

// Parses the device ID in text: up to its first NUL or length bytes, whichever
// comes first (a host payload need not be terminated). The text must start
// with the first key; the two IEEE 1284 length bytes are not skipped. Returns
// 0, or 8 when the maker or the description could not be stored (the parse
// stops there and what was stored before stays). A null record is left alone.
Status ParseDeviceId(const char *text, uint32_t length, PrnInfoEx *record);

}  // namespace pat

#endif
