// The configuration object: every compiled-in table and per-configuration step
// of the module. Each subsystem declares its own part and the part it ships
// with; this object puts them together with the exported interface's own
// steps and tables. The module runs on the shipped configuration; tests put
// another in force for the duration of a test, so the same code runs against
// tables with rows.
#ifndef PAT_API_MODULE_CONFIG_H
#define PAT_API_MODULE_CONFIG_H

#include <stdint.h>

#include "convert/convert_config.h"
#include "core/error_codes.h"
#include "pat/pat.h"
#include "query/query_config.h"
#include "reply/reply_config.h"
#include "text/text_config.h"

namespace pat {

constexpr uint8_t kPaletteEnd = 0xFF;

// The shipped palette (palette_table.cpp).
extern const PatPaletteEntry kPaletteTable[];

struct ModuleConfig {
    // Exported interface: extension points of the version and profile
    // exports, and the palette of the image exports.
    Status (*versionStep)(DllVersion *version);
    Status (*profileStep)(uint32_t deviceClass, PeripheralProfile *profile);
    const PatPaletteEntry *paletteTable;

    QueryConfig query;
    ReplyConfig reply;
    ConvertConfig convert;
    TextConfig text;
};

// The configuration in force.
const ModuleConfig &Config();

// The configuration the module ships with.
const ModuleConfig &ShippedConfig();

// Puts config in force in every subsystem (null restores the shipped one);
// returns the previous.
const ModuleConfig *InstallConfig(const ModuleConfig *config);

}  // namespace pat

#endif
