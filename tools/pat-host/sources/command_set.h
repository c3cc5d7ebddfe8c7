// Safe probing: a device whose device ID names its command languages and no
// PJL among them would print a PJL query as a page of garbage, so nothing is
// sent to it.
#ifndef PAT_HOST_COMMAND_SET_H
#define PAT_HOST_COMMAND_SET_H

#include <optional>
#include <string>
#include <string_view>

namespace pathost {

// The value of a key of a cleaned device ID (any case); none without it.
std::optional<std::string> DeviceIdValue(std::string_view deviceId, std::string_view key);

// The value of the "CMD" key of a cleaned device ID; none without the key.
std::optional<std::string> CommandSetOf(std::string_view deviceId);

// True when one of the comma-separated languages is PJL (any case, spaces
// around it ignored).
bool NamesPjl(std::string_view commandSet);

}  // namespace pathost

#endif
