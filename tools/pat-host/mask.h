// The category mask on the command line: a number (0xA071E) or names joined
// by commas (config,trays,bins).
#ifndef PAT_HOST_MASK_H
#define PAT_HOST_MASK_H

#include <stdint.h>

#include <optional>
#include <string>

namespace pathost {

std::optional<uint32_t> ParseMask(const std::string &text);
// "status, config, trays, bins, emulations, fonts, identity, options, engine, all"
std::string MaskNames();

}  // namespace pathost

#endif
