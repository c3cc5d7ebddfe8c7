#include "report/visible_text.h"

#include <stdio.h>

namespace pathost {

namespace {

enum class Style { Pjl, Terminal };

// The PJL style's names for the controls a PJL stream carries.
const char *PjlName(unsigned char c) {
    switch (c) {
        case 0x1B: return "<ESC>";
        case '\r': return "<CR>";
        case '\n': return "<LF>\n";
        case '\f': return "<FF>";
        case '\t': return "<TAB>";
        case '\0': return "<NUL>";
        default: return nullptr;
    }
}

std::string Show(std::string_view bytes, Style style) {
    std::string shown;
    shown.reserve(bytes.size());
    for (unsigned char c : bytes) {
        bool hidden = c < 0x20 || c == 0x7F || (style == Style::Pjl && c > 0x7F);
        if (!hidden) {
            shown += static_cast<char>(c);
            continue;
        }
        if (const char *name = style == Style::Pjl ? PjlName(c) : nullptr) {
            shown += name;
            continue;
        }
        char hex[8];
        snprintf(hex, sizeof hex, style == Style::Pjl ? "<0x%02X>" : "\\x%02X", c);
        shown += hex;
    }
    return shown;
}

}  // namespace

std::string ShowPjl(std::string_view bytes) { return Show(bytes, Style::Pjl); }

std::string Visible(std::string_view text) { return Show(text, Style::Terminal); }

}  // namespace pathost
