#include "cleaning/cleaning.h"

#include <ctype.h>
#include <string.h>

#include <array>

namespace pathost {

namespace {

bool Printable(unsigned char c) { return c >= 0x20 && c < 0x7F; }

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char &c : out) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return out;
}

struct KeyName {
    const char *name;
    const char *shortKey;
};

constexpr std::array<KeyName, 8> kKeyNames = {{
    {"MANUFACTURER", "MFG"},
    {"MFG", "MFG"},
    {"MODEL", "MDL"},
    {"MDL", "MDL"},
    {"DESCRIPTION", "DES"},
    {"DES", "DES"},
    {"COMMAND SET", "CMD"},
    {"CMD", "CMD"},
}};

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

}  // namespace

bool LooksLengthPrefixed(std::string_view bytes) {
    if (bytes.size() < 2) return false;
    return !Printable(static_cast<unsigned char>(bytes[0])) || !Printable(static_cast<unsigned char>(bytes[1]));
}

std::string StripLengthPrefix(std::string_view bytes, LengthPrefix *report) {
    LengthPrefix local;
    LengthPrefix &r = report != nullptr ? *report : local;
    r = LengthPrefix{};
    if (bytes.size() < 2) return {};
    auto b0 = static_cast<unsigned char>(bytes[0]);
    auto b1 = static_cast<unsigned char>(bytes[1]);
    size_t bigEndian = (size_t{b0} << 8) | b1;
    size_t littleEndian = (size_t{b1} << 8) | b0;
    size_t length;
    size_t textOnly = bytes.size() - 2;  // what a length of the text alone would be
    if (bigEndian == textOnly || (bigEndian >= 2 && bigEndian <= bytes.size())) {
        r.countsText = bigEndian == textOnly;
        length = r.countsText ? bytes.size() : bigEndian;
    } else if (littleEndian == textOnly || (littleEndian >= 2 && littleEndian <= bytes.size())) {
        r.countsText = littleEndian == textOnly;
        length = r.countsText ? bytes.size() : littleEndian;
        r.littleEndian = true;
    } else {
        length = bytes.size();
        r.clamped = true;
    }
    r.removed = true;
    r.announced = r.clamped ? bigEndian : length;
    std::string_view text = bytes.substr(2, length - 2);
    return std::string(text.substr(0, strnlen(text.data(), text.size())));
}

std::string NormalizeDeviceIdKeys(std::string_view text, size_t *renamed, size_t *trimmed) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        size_t end = text.find(';');
        std::string_view pair = text.substr(0, end);
        size_t colon = pair.find(':');
        if (colon == std::string_view::npos) {
            out.append(pair);
        } else {
            std::string_view rawKey = pair.substr(0, colon);
            std::string_view key = Trim(rawKey);
            if (key.size() != rawKey.size() && trimmed != nullptr) ++*trimmed;
            std::string upper = Upper(key);
            std::string mapped(key);
            for (const KeyName &name : kKeyNames) {
                if (upper == name.name) {
                    mapped = name.shortKey;
                    break;
                }
            }
            if (mapped != key && renamed != nullptr) ++*renamed;
            out += mapped;
            out.append(pair.substr(colon));
        }
        if (end == std::string_view::npos) break;
        out += ';';
        text.remove_prefix(end + 1);
    }
    return out;
}

DeviceIdCleaning CleanDeviceId(std::string_view bytes, bool lengthPrefixed) {
    DeviceIdCleaning result;
    std::string text = lengthPrefixed ? StripLengthPrefix(bytes, &result.prefix)
                                      : std::string(bytes.substr(0, strnlen(bytes.data(), bytes.size())));
    result.text = NormalizeDeviceIdKeys(text, &result.keysRenamed, &result.keysTrimmed);
    return result;
}

PjlCleaning CleanPjlStreamInPlace(std::string &bytes) {
    PjlCleaning result;
    bool outsideBlock = true;
    bool afterFormFeed = false;
    size_t kept = 0;  // never past i: what is still to be read is untouched
    for (size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == '\0' && outsideBlock) {
            ++result.nulsRemoved;
            continue;
        }
        if (c == '\x04' && afterFormFeed) {
            ++result.ctrlDsRemoved;
            continue;
        }
        afterFormFeed = c == '\f';
        if (afterFormFeed) outsideBlock = true;
        if (c == '@' && bytes.compare(i, 4, "@PJL") == 0) outsideBlock = false;
        bytes[kept++] = c;
    }
    bytes.resize(kept);
    return result;
}

PjlCleaning CleanPjlStream(std::string_view bytes) {
    std::string text(bytes);
    PjlCleaning result = CleanPjlStreamInPlace(text);
    result.text = std::move(text);
    return result;
}

}  // namespace pathost
