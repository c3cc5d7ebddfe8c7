#include "transport/target.h"

#include <stdlib.h>

namespace pathost {

std::string Target::Label() const {
    bool v6 = host.find(':') != std::string::npos;
    return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

std::optional<Target> ParseTarget(const std::string &text, uint16_t defaultPort, std::string *error,
                                  bool allowPortZero) {
    Target target;
    target.port = defaultPort;
    std::string portText;
    if (!text.empty() && text.front() == '[') {
        size_t close = text.find(']');
        if (close == std::string::npos) {
            *error = "'" + text + "': missing ']' after the IPv6 address";
            return std::nullopt;
        }
        target.host = text.substr(1, close - 1);
        if (close + 1 < text.size()) {
            if (text[close + 1] != ':') {
                *error = "'" + text + "': expected ':PORT' after ']'";
                return std::nullopt;
            }
            portText = text.substr(close + 2);
            if (portText.empty()) {
                *error = "'" + text + "': empty port";
                return std::nullopt;
            }
        }
    } else {
        size_t colon = text.rfind(':');
        if (colon != std::string::npos && text.find(':') != colon) {
            target.host = text;  // a bare IPv6 address: no port
        } else if (colon != std::string::npos) {
            target.host = text.substr(0, colon);
            portText = text.substr(colon + 1);
            if (portText.empty()) {
                *error = "'" + text + "': empty port";
                return std::nullopt;
            }
        } else {
            target.host = text;
        }
    }
    if (target.host.empty()) {
        *error = "'" + text + "': empty host";
        return std::nullopt;
    }
    if (!portText.empty()) {
        char *end = nullptr;
        unsigned long port = strtoul(portText.c_str(), &end, 10);
        bool zeroRefused = port == 0 && !allowPortZero;
        if (*end != '\0' || zeroRefused || port > 65535 || portText[0] == '-' || portText[0] == '+') {
            *error = "'" + text + "': port must be a number from " + (allowPortZero ? "0" : "1") + " to 65535";
            return std::nullopt;
        }
        target.port = static_cast<uint16_t>(port);
    }
    return target;
}

}  // namespace pathost
