// Bytes shown to people: the two ways pat-host prints bytes that a terminal
// would otherwise act on, from one loop.
#ifndef PAT_HOST_VISIBLE_TEXT_H
#define PAT_HOST_VISIBLE_TEXT_H

#include <string>
#include <string_view>

namespace pathost {

// PJL as sent or received: <ESC>, <CR>, <LF> (and a line break after it),
// <FF>, <TAB>, <NUL>, and <0xNN> for every other byte outside printable ASCII.
std::string ShowPjl(std::string_view bytes);

// Printer text for a terminal: control characters (and DEL) as \xNN; bytes
// from 0x80 pass, so UTF-8 stays readable.
std::string Visible(std::string_view text);

}  // namespace pathost

#endif
