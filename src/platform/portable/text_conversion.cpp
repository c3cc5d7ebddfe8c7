// Portable WideCharToMultiByte on glibc's iconv. Characters are converted one
// at a time, so a character the code page lacks becomes the default character
// and a destination that is too small never receives half a double-byte
// character.
#include <errno.h>
#include <iconv.h>
#include <stdio.h>
#include <string.h>

#include "platform/portable/win32_portable.h"

namespace {

bool IsHighSurrogate(WCHAR unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(WCHAR unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The iconv name of a Windows code page; the ANSI and OEM pseudo code pages
// are the portable backend's default, 1252.
void CodePageName(UINT codePage, char *name, size_t size) {
    if (codePage == CP_UTF8)
        snprintf(name, size, "UTF-8");
    else
        snprintf(name, size, "CP%u", codePage <= 3 ? 1252u : codePage);
}

// Converts one character of units code units; the number of bytes, or 0 when
// the code page has no such character.
size_t ConvertCharacter(iconv_t converter, const WCHAR *character, size_t units, char *out, size_t room) {
    char *in = reinterpret_cast<char *>(const_cast<WCHAR *>(character));
    size_t inLeft = units * sizeof(WCHAR);
    char *at = out;
    size_t outLeft = room;
    size_t done = iconv(converter, &in, &inLeft, &at, &outLeft);
    iconv(converter, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    if (done == static_cast<size_t>(-1) || inLeft != 0) return 0;
    return room - outLeft;
}

}  // namespace

extern "C" int WINAPI WideCharToMultiByte(UINT codePage, DWORD, LPCWSTR wide, int wideCount, LPSTR out,
                                          int outSize, LPCSTR defaultChar, LPBOOL usedDefaultChar) {
    if (wide == nullptr || wideCount == 0 || wideCount < -1 || outSize < 0 || (outSize > 0 && out == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    size_t count = 0;
    if (wideCount == -1) {
        while (wide[count] != 0) ++count;
        ++count;  // the terminator is converted too
    } else {
        count = static_cast<size_t>(wideCount);
    }
    char name[16];
    CodePageName(codePage, name, sizeof name);
    iconv_t converter = iconv_open(name, "UTF-16LE");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (usedDefaultChar != nullptr) *usedDefaultChar = FALSE;
    const char fallback = defaultChar != nullptr ? defaultChar[0] : '?';
    int written = 0;
    int result = 0;
    for (size_t i = 0; i < count;) {
        size_t units = IsHighSurrogate(wide[i]) && i + 1 < count && IsLowSurrogate(wide[i + 1]) ? 2 : 1;
        char bytes[8];
        size_t length = ConvertCharacter(converter, wide + i, units, bytes, sizeof bytes);
        if (length == 0) {
            bytes[0] = fallback;
            length = 1;
            if (usedDefaultChar != nullptr) *usedDefaultChar = TRUE;
        }
        i += units;
        if (outSize != 0) {
            if (static_cast<size_t>(outSize - written) < length) {
                SetLastError(ERROR_INSUFFICIENT_BUFFER);
                written = -1;
                break;
            }
            memcpy(out + written, bytes, length);
        }
        written += static_cast<int>(length);
    }
    if (written >= 0) result = written;
    iconv_close(converter);
    return result;
}
