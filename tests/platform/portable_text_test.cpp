// The portable backend's locale data, text conversion and string functions.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"

namespace pat::test {
namespace {

std::string Convert(UINT codePage, const std::u16string &text, int size, int *result, BOOL *usedDefault = nullptr) {
    char out[64] = {};
    *result = WideCharToMultiByte(codePage, 0, reinterpret_cast<LPCWSTR>(text.c_str()), -1, out, size, nullptr,
                                  usedDefault);
    return out;
}

TEST(PortableText, EveryKnownLanguageHasAnInstalledCodePage) {
    int known = 0;
    for (uint32_t language = 0; language <= 0xFFFF; ++language) {
        int length = GetLocaleInfoA(language, LOCALE_IDEFAULTANSICODEPAGE, nullptr, 0);
        if (length == 0) continue;
        ++known;
        char text[8];
        ASSERT_EQ(GetLocaleInfoA(language, LOCALE_IDEFAULTANSICODEPAGE, text, length), length);
        int result;
        EXPECT_EQ(Convert(static_cast<UINT>(atoi(text)), u"Az", 64, &result), "Az") << std::hex << language;
        EXPECT_EQ(result, 3);
    }
    EXPECT_GT(known, 20);
    char text[8];
    EXPECT_EQ(GetLocaleInfoA(0x0411, LOCALE_IDEFAULTANSICODEPAGE, text, 3), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(GetLocaleInfoA(0x03FF, LOCALE_IDEFAULTANSICODEPAGE, text, 8), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(GetLocaleInfoA(0x0409, 0x1001, text, 8), 0);
    EXPECT_EQ(GetLocaleInfoA(0x0409, LOCALE_IDEFAULTANSICODEPAGE, nullptr, 8), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(PortableText, ConversionMeasuresBoundsAndReplaces) {
    int result;
    BOOL usedDefault = FALSE;
    EXPECT_EQ(Convert(932, u"あA", 64, &result), "\x82\xa0" "A");
    EXPECT_EQ(result, 4);
    EXPECT_EQ(Convert(932, u"あA", 0, &result), "");  // measures only
    EXPECT_EQ(result, 4);
    Convert(932, u"Aあ", 3, &result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(Convert(1252, u"é日\xD800", 64, &result, &usedDefault), "\xe9??");
    EXPECT_TRUE(usedDefault);
}

TEST(PortableText, StringFunctions) {
    char text[16] = "xxxxxxxx";
    EXPECT_EQ(lstrcpynA(text, "abcdef", 0), text);
    EXPECT_STREQ(text, "xxxxxxxx");
    lstrcpynA(text, "abcdef", 4);
    EXPECT_STREQ(text, "abc");
    lstrcatA(text, "\xe0\xff\x9a\x9c\x9e\xf7");  // code page 1252: s and z caron, oe; the division sign stays
    EXPECT_STREQ(CharUpperA(text), "ABC\xc0\x9f\x8a\x8c\x8e\xf7");
    EXPECT_EQ(reinterpret_cast<uintptr_t>(CharUpperA(reinterpret_cast<LPSTR>(uintptr_t{'q'}))), uintptr_t{'Q'});
    EXPECT_EQ(lstrlenA(lstrcpyA(text, "12345")), 5);
    EXPECT_EQ(lstrlenA(nullptr), 0);
    EXPECT_EQ(lstrcmpA(nullptr, ""), 0);
    EXPECT_EQ(lstrcmpA("a", "b"), -1);
    EXPECT_EQ(lstrcmpA("b", "a"), 1);
}

}  // namespace
}  // namespace pat::test
