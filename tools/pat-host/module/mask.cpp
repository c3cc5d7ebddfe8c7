#include "module/mask.h"

#include <ctype.h>
#include <errno.h>
#include <stdlib.h>

#include <array>


namespace pathost {

namespace {

struct MaskName {
    const char *name;
    uint32_t bits;
};

constexpr std::array<MaskName, 10> kMaskNames = {{
    {"status", PAT_CAT_STATUS},
    {"config", PAT_CAT_CONFIG},
    {"trays", PAT_CAT_INTRAYS},
    {"bins", PAT_CAT_OUTBINS},
    {"emulations", PAT_CAT_EMULATIONS},
    {"fonts", PAT_CAT_FONTS},
    {"identity", PAT_CAT_IDENTITY},
    {"options", PAT_CAT_OPTIONS},
    {"engine", PAT_CAT_ENGINE_STATUS},
    {"all", kAllCategories},
}};

}  // namespace

std::optional<uint32_t> ParseMask(const std::string &text) {
    if (text.empty()) return std::nullopt;
    if (isdigit(static_cast<unsigned char>(text[0]))) {
        char *end = nullptr;
        errno = 0;
        unsigned long long value = strtoull(text.c_str(), &end, 0);
        if (*end != '\0' || errno != 0 || value > 0xFFFFFFFFull) return std::nullopt;
        return static_cast<uint32_t>(value);
    }
    uint32_t mask = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(',', start);
        std::string name = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        bool known = false;
        for (const MaskName &row : kMaskNames) {
            if (name == row.name) {
                mask |= row.bits;
                known = true;
            }
        }
        if (!known) return std::nullopt;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return mask;
}

std::string MaskNames() {
    std::string names;
    for (const MaskName &row : kMaskNames) names += (names.empty() ? "" : ", ") + std::string(row.name);
    return names;
}

}  // namespace pathost
