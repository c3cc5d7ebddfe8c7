#include "text/text_config.h"

#include "core/config_slot.h"

namespace pat {

namespace {
constinit ConfigSlot<TextConfig> g_slot{kShippedTextConfig};
}

const TextConfig &ActiveTextConfig() { return g_slot.Active(); }
void InstallTextConfig(const TextConfig *config) { g_slot.Install(config); }

}  // namespace pat
