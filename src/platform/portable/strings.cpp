// Portable single-byte string functions with the Win32 contracts: a null
// string reads as the empty string, copies are bounded where Win32 bounds
// them, and letters are those of code page 1252, the portable default.
#include <string.h>

#include "platform/portable/win32_portable.h"

namespace {

char UpperOf(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) return static_cast<char>(u - 0x20);
    switch (u) {
    case 0x9A: return static_cast<char>(0x8A);  // s caron
    case 0x9C: return static_cast<char>(0x8C);  // oe
    case 0x9E: return static_cast<char>(0x8E);  // z caron
    case 0xFF: return static_cast<char>(0x9F);  // y diaeresis
    default: return c;
    }
}

}  // namespace

extern "C" {

// A pointer whose high word is 0 carries a single character in its low byte.
LPSTR WINAPI CharUpperA(LPSTR text) {
    if (IS_INTRESOURCE(text)) {
        char c = UpperOf(static_cast<char>(reinterpret_cast<uintptr_t>(text) & 0xFF));
        return reinterpret_cast<LPSTR>(static_cast<uintptr_t>(static_cast<unsigned char>(c)));
    }
    for (char *at = text; *at != '\0'; ++at) *at = UpperOf(*at);
    return text;
}

int WINAPI lstrcmpA(LPCSTR first, LPCSTR second) {
    int order = strcmp(first != nullptr ? first : "", second != nullptr ? second : "");
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

int WINAPI lstrlenA(LPCSTR text) { return text != nullptr ? static_cast<int>(strlen(text)) : 0; }

LPSTR WINAPI lstrcpyA(LPSTR destination, LPCSTR source) {
    if (destination == nullptr || source == nullptr) return nullptr;
    return strcpy(destination, source);
}

// At most maxLength - 1 characters, then the terminator; nothing for 0.
LPSTR WINAPI lstrcpynA(LPSTR destination, LPCSTR source, int maxLength) {
    if (destination == nullptr || source == nullptr) return nullptr;
    char *at = destination;
    int room = maxLength;
    while (room > 1 && *source != '\0') {
        *at++ = *source++;
        --room;
    }
    if (room > 0) *at = '\0';
    return destination;
}

LPSTR WINAPI lstrcatA(LPSTR destination, LPCSTR source) {
    if (destination == nullptr || source == nullptr) return nullptr;
    return strcat(destination, source);
}

}  // extern "C"
