#include "sources/command_set.h"

#include <algorithm>
#include <cctype>

namespace pathost {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::optional<std::string> DeviceIdValue(std::string_view deviceId, std::string_view key) {
    while (!deviceId.empty()) {
        size_t end = deviceId.find(';');
        std::string_view field = deviceId.substr(0, end);
        size_t colon = field.find(':');
        if (colon != std::string_view::npos && EqualsIgnoringCase(Trim(field.substr(0, colon)), key))
            return std::string(field.substr(colon + 1));
        if (end == std::string_view::npos) break;
        deviceId.remove_prefix(end + 1);
    }
    return std::nullopt;
}

std::optional<std::string> CommandSetOf(std::string_view deviceId) {
    std::optional<std::string> value = DeviceIdValue(deviceId, "CMD");
    // An empty command set ("CMD:;") names no language at all: as if absent.
    if (value && Trim(*value).empty()) return std::nullopt;
    return value;
}

bool NamesPjl(std::string_view commandSet) {
    while (true) {
        size_t end = commandSet.find(',');
        if (EqualsIgnoringCase(Trim(commandSet.substr(0, end)), "PJL")) return true;
        if (end == std::string_view::npos) return false;
        commandSet.remove_prefix(end + 1);
    }
}

}  // namespace pathost
