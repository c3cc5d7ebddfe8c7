#include "serve/text_escape.h"

#include <nlohmann/json.hpp>

namespace pathost::serve {

std::string ValidUtf8(const std::string &text) {
    // The JSON library's replacing dump is the UTF-8 check; parsed back, the
    // text is what it was, with U+FFFD where it was not UTF-8.
    using nlohmann::json;
    return json::parse(json(text).dump(-1, ' ', false, json::error_handler_t::replace)).get<std::string>();
}

std::string LabelValue(const std::string &text) {
    std::string escaped;
    for (char c : ValidUtf8(text)) {
        if (c == '\\' || c == '"')
            escaped += {'\\', c};
        else if (c == '\n')
            escaped += "\\n";
        else
            escaped += c;
    }
    return escaped;
}

std::string Html(const std::string &text) {
    std::string escaped;
    for (char c : ValidUtf8(text)) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            case '\'': escaped += "&#39;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

}  // namespace pathost::serve
