// Portable WideCharToMultiByte on glibc's iconv. A text converts whole when
// it can; otherwise character by character, so that a character the code page
// lacks becomes the default character.
#include <iconv.h>
#include <pthread.h>
#include <stdio.h>
#include <string.h>

#include "platform/portable/win32_portable.h"

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

bool IsHighSurrogate(WCHAR unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(WCHAR unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Opening a converter costs more than converting a status text, so each code
// page's converter is opened once and kept; one lock serializes their use.
struct OpenConverter {
    UINT codePage;
    iconv_t converter;
};
constexpr int kMaxConverters = 8;
OpenConverter g_converters[kMaxConverters];
int g_converterCount = 0;
pthread_mutex_t g_lock = PTHREAD_MUTEX_INITIALIZER;

// The converter of codePage, opened on first use; kNoConverter when iconv has
// none. *kept is false for one the caller must close. Called with the lock.
iconv_t ConverterFor(UINT codePage, bool *kept) {
    *kept = true;
    for (int i = 0; i < g_converterCount; ++i)
        if (g_converters[i].codePage == codePage) return g_converters[i].converter;
    // The ANSI and OEM pseudo code pages are the portable default, 1252.
    char name[16];
    if (codePage == CP_UTF8)
        snprintf(name, sizeof name, "UTF-8");
    else
        snprintf(name, sizeof name, "CP%u", codePage <= 3 ? 1252u : codePage);
    iconv_t converter = iconv_open(name, "UTF-16LE");
    if (converter == kNoConverter) return converter;
    if (g_converterCount < kMaxConverters)
        g_converters[g_converterCount++] = {codePage, converter};
    else
        *kept = false;
    return converter;
}

// Converts units code units into at most room bytes; the bytes written, or
// -1 when the code page lacks a character or the room does not suffice.
int Convert(iconv_t converter, const WCHAR *wide, size_t units, char *out, size_t room) {
    char *in = reinterpret_cast<char *>(const_cast<WCHAR *>(wide));
    size_t inLeft = units * sizeof(WCHAR);
    char *at = out;
    size_t outLeft = room;
    size_t irreversible = iconv(converter, &in, &inLeft, &at, &outLeft);
    iconv(converter, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    if (irreversible != 0 || inLeft != 0) return -1;
    return static_cast<int>(room - outLeft);
}

// Character by character: the size of the whole conversion when outSize is
// 0, else the bytes written, or 0 with ERROR_INSUFFICIENT_BUFFER.
int ConvertByCharacter(iconv_t converter, const WCHAR *wide, size_t count, char *out, int outSize,
                       char fallback, LPBOOL usedDefaultChar) {
    int written = 0;
    for (size_t i = 0; i < count;) {
        size_t units = IsHighSurrogate(wide[i]) && i + 1 < count && IsLowSurrogate(wide[i + 1]) ? 2 : 1;
        char bytes[8];
        int length = Convert(converter, wide + i, units, bytes, sizeof bytes);
        if (length < 0) {
            bytes[0] = fallback;
            length = 1;
            if (usedDefaultChar != nullptr) *usedDefaultChar = TRUE;
        }
        i += units;
        if (outSize != 0) {
            if (outSize - written < length) {
                SetLastError(ERROR_INSUFFICIENT_BUFFER);
                return 0;
            }
            memcpy(out + written, bytes, static_cast<size_t>(length));
        }
        written += length;
    }
    return written;
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
    if (usedDefaultChar != nullptr) *usedDefaultChar = FALSE;
    pthread_mutex_lock(&g_lock);
    bool kept;
    iconv_t converter = ConverterFor(codePage, &kept);
    int result = 0;
    if (converter == kNoConverter) {
        SetLastError(ERROR_INVALID_PARAMETER);
    } else {
        result = outSize != 0 ? Convert(converter, wide, count, out, static_cast<size_t>(outSize)) : -1;
        if (result < 0)
            result = ConvertByCharacter(converter, wide, count, out, outSize,
                                        defaultChar != nullptr ? defaultChar[0] : '?', usedDefaultChar);
        if (!kept) iconv_close(converter);
    }
    pthread_mutex_unlock(&g_lock);
    return result;
}
