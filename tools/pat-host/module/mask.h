// The category mask on the command line: a number (0xA071E) or names joined
// by commas (config,trays,bins).
#ifndef PAT_HOST_MASK_H
#define PAT_HOST_MASK_H

#include <stdint.h>

#include <optional>
#include <string>

#include "pat/pat.h"

namespace pathost {

// Every category the module knows.
constexpr uint32_t kAllCategories = PAT_CAT_STATUS | PAT_CAT_CONFIG | PAT_CAT_INTRAYS | PAT_CAT_OUTBINS |
                                    PAT_CAT_EMULATIONS | PAT_CAT_FONTS | PAT_CAT_IDENTITY | PAT_CAT_OPTIONS |
                                    PAT_CAT_ENGINE_STATUS;
// The categories answered by the device ID rather than by PJL.
constexpr uint32_t kDeviceIdCategories = PAT_CAT_STATUS | PAT_CAT_IDENTITY | PAT_CAT_ENGINE_STATUS;


std::optional<uint32_t> ParseMask(const std::string &text);
// "status, config, trays, bins, emulations, fonts, identity, options, engine, all"
std::string MaskNames();

}  // namespace pathost

#endif
