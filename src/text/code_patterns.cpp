// Status codes compared as decimal text with exact texts and patterns.
#include "platform/platform.h"
#include "text/status_text.h"

namespace pat {

void FormatCodeText(uint32_t code, char text[kCodeTextCapacity]) {
    char reversed[kCodeTextCapacity];
    uint32_t digits = 0;
    do {
        reversed[digits++] = static_cast<char>('0' + code % 10);
        code /= 10;
    } while (code != 0);
    for (uint32_t i = 0; i < digits; ++i) text[i] = reversed[digits - 1 - i];
    text[digits] = '\0';
}

bool MatchCodePattern(const char *codeText, const char *pattern) {
    for (; *codeText != '\0' && *pattern != '\0'; ++codeText, ++pattern)
        if (*codeText != *pattern && !(*pattern >= 'a' && *pattern <= 'z')) return false;
    return *codeText == '\0' && *pattern == '\0';
}

bool FindCodePriority(const StatusPriorityRow *table, uint32_t code, uint16_t *priority) {
    char text[kCodeTextCapacity];
    FormatCodeText(code, text);
    *priority = kNoPriority;
    // An exact row wins over an earlier pattern row.
    for (const StatusPriorityRow *row = table; row->pattern != nullptr; ++row) {
        if (lstrcmpA(row->pattern, text) != 0) continue;
        *priority = static_cast<uint16_t>(row->priority);
        return true;
    }
    for (const StatusPriorityRow *row = table; row->pattern != nullptr; ++row) {
        if (!MatchCodePattern(text, row->pattern)) continue;
        *priority = static_cast<uint16_t>(row->priority);
        return true;
    }
    return false;
}

}  // namespace pat
