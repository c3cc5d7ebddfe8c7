#include "convert/convert_config.h"

#include "core/config_slot.h"

namespace pat {

namespace {
constinit ConfigSlot<ConvertConfig> g_slot{kShippedConvertConfig};
}

const ConvertConfig &ActiveConvertConfig() { return g_slot.Active(); }
void InstallConvertConfig(const ConvertConfig *config) { g_slot.Install(config); }

}  // namespace pat
