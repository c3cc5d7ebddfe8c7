// The two ways bytes are shown to people: which bytes each hides, and how.
#include <gtest/gtest.h>

#include "report/visible_text.h"

namespace pathost {
namespace {

TEST(VisibleText, EachStyleHidesItsBytes) {
    using namespace std::string_literals;
    const struct {
        std::string bytes, pjl, terminal;
    } cases[] = {
        {"\x1B%-12345X@PJL\r\n", "<ESC>%-12345X@PJL<CR><LF>\n", "\\x1B%-12345X@PJL\\x0D\\x0A"},
        {"a\fb\tc\0d"s, "a<FF>b<TAB>c<NUL>d", "a\\x0Cb\\x09c\\x00d"},
        {"\x04\x7F~ ", "<0x04><0x7F>~ ", "\\x04\\x7F~ "},
        {"caf\xC3\xA9", "caf<0xC3><0xA9>", "caf\xC3\xA9"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ShowPjl(c.bytes), c.pjl);
        EXPECT_EQ(Visible(c.bytes), c.terminal);
    }
}

}  // namespace
}  // namespace pathost
