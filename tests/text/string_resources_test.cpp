// String resources in the current language, the locale table, string maps
// and device names, over the test configuration's tables and strings.
#include <gtest/gtest.h>

#include <string>

#include "platform/portable/test_hooks.h"
#include "support/host.h"
#include "text/current_language.h"
#include "text/string_resources.h"
#include "text/text_test_config.h"

namespace pat::test {
namespace {

class StringResources : public testing::Test {
protected:
    void SetUp() override { CurrentLangId.store(kEnglish); }
    ScopedConfig config_{TextTestConfig()};
    TextResources resources_;
};

std::string Load(uint32_t id, uint32_t capacity = 256, Status *status = nullptr) {
    char text[512];
    memset(text, '#', sizeof text);
    text[sizeof text - 1] = '\0';
    Status result = LoadResourceString(id, text, capacity);
    if (status != nullptr) *status = result;
    return text;
}

TEST_F(StringResources, IdsFindTheirBlockAndEntryInTheCurrentLanguage) {
    const struct {
        uint16_t language;
        uint32_t id;
        Status status;
        std::string text;  // "#..." : the destination was not touched
    } cases[] = {
        {kEnglish, 0, kOk, "Zero"},   {kEnglish, 15, kOk, "Fifteen"}, {kEnglish, 16, kOk, "Sixteen"},
        {kEnglish, 3500, kOk, ", "},  {kEnglish, 17, kOk, ""},        {kEnglish, 204, kOk, ""},
        {kJapanese, 0, kOk, "\x83\x5b\x83\x8d"},  {kJapanese, 3500, kOk, "\x81\x41"},
        {kJapanese, 15, kOk, ""},     // the block exists, the entry is empty
        {kJapanese, 16, kNotFound, std::string(511, '#')},  // no block 2 in Japanese
        {kEnglish, 4000, kNotFound, std::string(511, '#')},
        {0x0809, 0, kNotFound, std::string(511, '#')},  // a language with no string tables
        {0x03FF, 0, kLocaleNotFound, std::string(511, '#')},  // no locale data
        {0x0400, 0, kNotFound, std::string(511, '#')},  // the initial language finds no table of its own
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.language << " id " << std::dec << c.id);
        CurrentLangId.store(c.language);
        Status status;
        EXPECT_EQ(Load(c.id, 256, &status), c.text);
        EXPECT_EQ(status, c.status);
    }
}

TEST_F(StringResources, LongTextsAreCutBetweenWholeCharacters) {
    EXPECT_EQ(Load(101, 9), "Check %s");
    EXPECT_EQ(Load(101, 1), "");
    CurrentLangId.store(kJapanese);
    const std::string name = "\x83\x74\x83\x42\x83\x6a\x83\x62\x83\x56\x83\x83\x81\x5b";  // 7 characters
    EXPECT_EQ(Load(300, 15), name);
    EXPECT_EQ(Load(300, 14), name.substr(0, 12));
    EXPECT_EQ(Load(300, 12), name.substr(0, 10)) << "never half of a double-byte character";
    CurrentLangId.store(kEnglish);
    static const uint16_t block[] = {2, 0x65E5, 0x0041};  // a character code page 1252 lacks
    portable::RegisterResource(RT_STRING, MAKEINTRESOURCEA(1000), kEnglish, block, sizeof block);
    EXPECT_EQ(Load(999 * 16), "?A");
    // A character outside the 16-bit range is one character: never split.
    static const uint16_t pair[] = {5, 'a', 'b', 0xD83D, 0xDE00, 'c'};
    portable::RegisterResource(RT_STRING, MAKEINTRESOURCEA(999), kEnglish, pair, sizeof pair);
    EXPECT_EQ(Load(998 * 16, 4), "ab?");
    EXPECT_EQ(Load(998 * 16, 3), "ab");
    Status status;
    EXPECT_EQ(Load(999 * 16 + 1, 256, &status), std::string(511, '#')) << "an entry past the end of its block";
    EXPECT_EQ(status, kNotFound);
}

TEST_F(StringResources, LocaleNamesAreUpperCasedAndCutToNineCharacters) {
    const struct {
        const char *name;
        int result;
        uint32_t error;
        uint16_t language;
    } cases[] = {
        {"japanese", 1, 0, kJapanese},        {"English", 1, 0, kEnglish},
        {"123456789ABC", 1, 0, 0x0809},       {"12345678", 0, PAT_ERROR_LOCALE_NOT_FOUND, kEnglish},
        {"german", 0, PAT_ERROR_LOCALE_NOT_FOUND, kEnglish},  {"", 0, PAT_ERROR_LOCALE_NOT_FOUND, kEnglish},
        {nullptr, 0, PAT_ERROR_INVALID_PARAMETER, kEnglish},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name != nullptr ? c.name : "null");
        CurrentLangId.store(kEnglish);
        EXPECT_EQ(PatSetLocale(c.name), c.result);
        EXPECT_EQ(GetLastError(), c.error);
        EXPECT_EQ(ReadCurrentLangId(), c.language);
    }
}

TEST_F(StringResources, MappedStringsAndTheirFailures) {
    char text[8] = "unset";
    const StringMapRow *templates = FindStringMap(1, 0x100);  // only the low 8 bits count
    ASSERT_NE(templates, nullptr);
    EXPECT_EQ(FindStringMap(1, 6), nullptr);  // a row without map
    EXPECT_EQ(FindStringMap(5, 1), nullptr);
    EXPECT_EQ(LoadMappedString(templates, 9, text, sizeof text), kOk);
    EXPECT_STREQ(text, "Warming");
    EXPECT_EQ(LoadMappedString(templates, 7, text, sizeof text), kOk);  // the first row of key 7 wins
    EXPECT_STREQ(text, "Error: ");
    EXPECT_EQ(LoadMappedString(templates, 0xFFFFFFFF, text, sizeof text), kNotFound);
    EXPECT_STREQ(text, "");
    strcpy(text, "unset");
    EXPECT_EQ(LoadMappedString(templates, 9, text, 0), kNotFound);
    EXPECT_STREQ(text, "unset");
    EXPECT_EQ(LoadMappedString(nullptr, 9, text, sizeof text), kNotFound);
    EXPECT_STREQ(text, "");
    CurrentLangId.store(0x03FF);
    strcpy(text, "unset");
    EXPECT_EQ(LoadMappedString(templates, 9, text, sizeof text), kLocaleNotFound);
    EXPECT_STREQ(text, "");
}

TEST_F(StringResources, DeviceNamesByNameAndByKeyFollowTheLengthProtocol) {
    const uint8_t keyBytes[5] = {0xEE, 0x78, 0x56, 0x34, 0x12};  // an unaligned little-endian key
    const uint32_t unknownKey = 8;
    const struct {
        uint16_t language;
        uint32_t kind;
        const void *source;
        uint32_t revision;
        uint32_t error;
        std::string name;
    } cases[] = {
        {kEnglish, 1, "Tray 1", 0x97, 0, "Tray One"},      {kEnglish, 1, "Bypass Tray", 0x197, 0, "Bypass"},
        {kEnglish, 2, "Finisher Shift Tray", 0x97, 0, "Shift Tray"},
        {kEnglish, 3, keyBytes + 1, 0x96, 0, "Keyed device"},
        {kJapanese, 1, "Tray 1", 0x97, 0, "\x83\x67\x83\x8c\x83\x43\x82\x50"},
        {kEnglish, 1, "tray 1", 0x97, PAT_ERROR_INVALID_PARAMETER, ""},  {kEnglish, 1, "Tray 2", 0x97, PAT_ERROR_INVALID_PARAMETER, ""},  // no string id
        {kEnglish, 2, "Tray 1", 0x97, PAT_ERROR_INVALID_PARAMETER, ""},  {kEnglish, 3, &unknownKey, 0x96, PAT_ERROR_NOT_FOUND, ""},
        {kJapanese, 1, "Bypass Tray", 0x97, 0, ""},  // an empty entry of the Japanese block
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        CurrentLangId.store(c.language);
        char text[256];
        uint32_t length = 0;
        EXPECT_EQ(PatGetDeviceName(c.kind, c.source, c.revision, text, &length), 0);
        if (c.error != 0) {
            EXPECT_EQ(GetLastError(), c.error);
            EXPECT_EQ(length, 0u) << "a failed composition leaves the length";
            continue;
        }
        EXPECT_EQ(GetLastError(), PAT_ERROR_INSUFFICIENT_BUFFER);
        ASSERT_EQ(length, c.name.size() + 1);
        --length;
        EXPECT_EQ(PatGetDeviceName(c.kind, c.source, c.revision, text, &length), 0);
        EXPECT_EQ(GetLastError(), PAT_ERROR_INSUFFICIENT_BUFFER);
        EXPECT_EQ(PatGetDeviceName(c.kind, c.source, c.revision, nullptr, &length), 0);
        EXPECT_EQ(GetLastError(), PAT_ERROR_INSUFFICIENT_BUFFER) << "a null buffer is never written through";
        EXPECT_EQ(PatGetDeviceName(c.kind, c.source, c.revision, text, &length), 1);
        EXPECT_EQ(GetLastError(), 0u);
        EXPECT_EQ(text, c.name);
    }
}

}  // namespace
}  // namespace pat::test
