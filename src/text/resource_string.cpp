// Loading one string resource in the current language and converting it to
// the language's ANSI code page.
#include <limits.h>

#include "platform/module_instance.h"
#include "platform/platform.h"
#include "text/current_language.h"
#include "text/string_resources.h"

namespace pat {

namespace {

constexpr uint32_t kEntriesPerBlock = 16;

bool IsHighSurrogate(WCHAR unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(WCHAR unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The default ANSI code page of language, read from the platform's locale
// data as decimal text.
Status CodePageOf(uint16_t language, UINT *codePage) {
    LCID locale = MAKELCID(language, SORT_DEFAULT);
    int length = GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE, nullptr, 0);
    if (length <= 0) return kLocaleNotFound;
    char *text = static_cast<char *>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, static_cast<SIZE_T>(length)));
    if (text == nullptr) return kNotFound;
    GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE, text, length);
    UINT number = 0;
    for (const char *at = text; *at >= '0' && *at <= '9'; ++at) number = number * 10 + static_cast<UINT>(*at - '0');
    GlobalFree(text);
    *codePage = number;
    return kOk;
}

// The entry of id in its string-table block: its length in code units and
// its first unit. A block is 16 entries, each a length L and L UTF-16 units.
// An entry that would lie past the end of the block counts as missing.
Status FindEntry(uint32_t id, uint16_t language, const WORD **units, uint32_t *length) {
    HMODULE module = ModuleInstance();
    WORD block = static_cast<WORD>((id >> 4) + 1);
    HRSRC found = FindResourceExA(module, RT_STRING, MAKEINTRESOURCEA(block), language);
    if (found == nullptr) return kNotFound;
    HGLOBAL loaded = LoadResource(module, found);
    if (loaded == nullptr) return kNotFound;
    const WORD *data = static_cast<const WORD *>(LockResource(loaded));
    uint32_t available = static_cast<uint32_t>(SizeofResource(module, found)) / sizeof(WORD);
    if (data == nullptr) return kNotFound;
    uint32_t at = 0;
    for (uint32_t skip = id % kEntriesPerBlock; skip != 0; --skip) {
        if (at >= available) return kNotFound;
        at += 1u + data[at];
    }
    if (at >= available || data[at] > available - at - 1) return kNotFound;
    *length = data[at];
    *units = data + at + 1;
    return kOk;
}

// Converts wide into destination. A text that does not fit is cut to the
// whole characters that fill at most capacity - 1 bytes, so a double-byte
// character is never split; the destination is always terminated.
void ConvertInto(UINT codePage, const WCHAR *wide, char *destination, uint32_t capacity) {
    if (capacity == 0) return;
    int room = capacity > INT_MAX ? INT_MAX : static_cast<int>(capacity);
    if (WideCharToMultiByte(codePage, 0, wide, -1, destination, room, nullptr, nullptr) > 0) return;
    int units = 0;
    int bytes = 0;
    while (wide[units] != 0) {
        int step = IsHighSurrogate(wide[units]) && IsLowSurrogate(wide[units + 1]) ? 2 : 1;
        int size = WideCharToMultiByte(codePage, 0, wide + units, step, nullptr, 0, nullptr, nullptr);
        if (size <= 0 || size > room - 1 - bytes) break;
        units += step;
        bytes += size;
    }
    int written =
        units == 0 ? 0 : WideCharToMultiByte(codePage, 0, wide, units, destination, room - 1, nullptr, nullptr);
    destination[written > 0 ? written : 0] = '\0';
}

}  // namespace

Status LoadResourceString(uint32_t id, char *destination, uint32_t capacity) {
    uint16_t language = ReadCurrentLangId();  // once: block and code page agree
    UINT codePage = 0;
    Status status = CodePageOf(language, &codePage);
    if (status != kOk) return status;
    const WORD *units = nullptr;
    uint32_t length = 0;
    status = FindEntry(id, language, &units, &length);
    if (status != kOk) return status;
    WCHAR *wide = static_cast<WCHAR *>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, (length + 1) * sizeof(WCHAR)));
    if (wide == nullptr) return kNotFound;
    for (uint32_t i = 0; i < length && units[i] != 0; ++i) wide[i] = static_cast<WCHAR>(units[i]);
    ConvertInto(codePage, wide, destination, capacity);
    GlobalFree(wide);
    return kOk;
}

}  // namespace pat
