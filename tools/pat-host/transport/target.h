// A printer's address on the command line: HOST, HOST:PORT, [IPv6]:PORT.
#ifndef PAT_HOST_TARGET_H
#define PAT_HOST_TARGET_H

#include <stdint.h>

#include <optional>
#include <string>

namespace pathost {

constexpr uint16_t kRawPrintPort = 9100;

struct Target {
    std::string host;
    uint16_t port = kRawPrintPort;
    std::string Label() const;  // "host:port", "[v6]:port"
};

// Null with a reason in *error when the text is not an address. Port 0 (any
// free port) only where a listener is meant.
std::optional<Target> ParseTarget(const std::string &text, uint16_t defaultPort, std::string *error,
                                  bool allowPortZero = false);

}  // namespace pathost

#endif
