// A 32-bit signature of a text (FNV-1a): equal texts have equal signatures,
// so most unequal words are told apart by comparing two numbers.
#ifndef PAT_REPLY_TEXT_SIGNATURE_H
#define PAT_REPLY_TEXT_SIGNATURE_H

#include <stdint.h>

namespace pat {

constexpr uint32_t TextSignature(const char *text) {
    uint32_t hash = 2166136261u;
    for (; *text != '\0'; ++text) hash = (hash ^ static_cast<uint8_t>(*text)) * 16777619u;
    return hash;
}

// The same signature of length bytes that hold no zero byte.
constexpr uint32_t TextSignature(const char *text, uint32_t length) {
    uint32_t hash = 2166136261u;
    for (uint32_t i = 0; i < length; ++i) hash = (hash ^ static_cast<uint8_t>(text[i])) * 16777619u;
    return hash;
}

}  // namespace pat

#endif
