// A status-text configuration with rows, and its string tables in English
// (code page 1252) and Japanese (932). Used by the text tests and the
// benchmarks; needs no test framework.
#ifndef PAT_TESTS_TEXT_TEXT_TEST_CONFIG_H
#define PAT_TESTS_TEXT_TEXT_TEST_CONFIG_H

#include <stdint.h>

#include <vector>

#include "api/module_config.h"

namespace pat::test {

constexpr uint16_t kEnglish = 0x0409;
constexpr uint16_t kJapanese = 0x0411;

// The shipped configuration with the status-text tables, tray and bin names
// filled in (rows in text_test_config.cpp).
const ModuleConfig &TextTestConfig();

// Registers the string tables as the module's resources for its lifetime and
// puts the resource language back as it found it.
class TextResources {
public:
    TextResources();
    ~TextResources();
    TextResources(const TextResources &) = delete;
    TextResources &operator=(const TextResources &) = delete;

private:
    std::vector<std::vector<uint16_t>> blocks_;
    uint16_t language_;
};

}  // namespace pat::test

#endif
