#include "reply/device_id_field.h"

namespace pat {

namespace {

bool IsSeparator(char c, const char *separators) {
    if (separators == nullptr) return false;
    for (; *separators != '\0'; ++separators)
        if (*separators == c) return true;
    return false;
}

}  // namespace

FieldSource SourceOf(const char *text, uint32_t size) {
    static const char kEmpty[] = "";
    if (text == nullptr) return FieldSource{kEmpty, kEmpty};
    return FieldSource{text, text + size};
}

bool AtTextEnd(const FieldSource &source) { return source.at >= source.end || *source.at == '\0'; }

void ReadField(FieldSource *source, char *destination, uint32_t capacity, const char *separators) {
    uint32_t copied = 0;
    while (!AtTextEnd(*source)) {
        char c = *source->at++;
        // Reaching the capacity stops like a separator: that character is dropped.
        if (copied + 1 >= capacity || IsSeparator(c, separators)) break;
        destination[copied++] = c;
    }
    if (capacity != 0) destination[copied] = '\0';
}

}  // namespace pat
