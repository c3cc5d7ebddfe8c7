// Portable locale information: the default ANSI code page of the languages a
// configuration can name. Any other language has no locale data, as Windows
// answers for an identifier it does not know.
#include <stdio.h>
#include <string.h>

#include "platform/portable/win32_portable.h"

namespace {

struct LanguageCodePage {
    WORD language;
    UINT codePage;
};

constexpr LanguageCodePage kCodePages[] = {
    {0x0000, 1252},  // neutral: the user default
    {0x0400, 1252},  // user default
    {0x0800, 1252},  // system default
    {0x0409, 1252}, {0x0809, 1252}, {0x0C09, 1252}, {0x1009, 1252},  // English
    {0x0407, 1252}, {0x040C, 1252}, {0x0410, 1252}, {0x0C0A, 1252}, {0x0413, 1252},
    {0x0416, 1252}, {0x0816, 1252}, {0x041D, 1252}, {0x0406, 1252}, {0x0414, 1252}, {0x040B, 1252},
    {0x0405, 1250}, {0x040E, 1250}, {0x0415, 1250},  // Czech, Hungarian, Polish
    {0x0419, 1251},                                  // Russian
    {0x0408, 1253},                                  // Greek
    {0x041F, 1254},                                  // Turkish
    {0x040D, 1255},                                  // Hebrew
    {0x0401, 1256},                                  // Arabic
    {0x041E, 874},                                   // Thai
    {0x0411, 932},                                   // Japanese
    {0x0804, 936},                                   // Chinese (simplified)
    {0x0412, 949},                                   // Korean
    {0x0404, 950},                                   // Chinese (traditional)
};

}  // namespace

extern "C" int WINAPI GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size) {
    if ((type & ~LOCALE_NOUSEROVERRIDE) != LOCALE_IDEFAULTANSICODEPAGE) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    if (size < 0 || (size > 0 && data == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WORD language = static_cast<WORD>(locale & 0xFFFF);
    for (const LanguageCodePage &row : kCodePages) {
        if (row.language != language) continue;
        char text[8];
        int needed = snprintf(text, sizeof text, "%u", row.codePage) + 1;
        if (size == 0) return needed;
        if (size < needed) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return 0;
        }
        memcpy(data, text, static_cast<size_t>(needed));
        return needed;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
}
