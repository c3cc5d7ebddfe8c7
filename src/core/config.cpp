#include "core/config.h"

namespace pat {

namespace {
const ModuleConfig *g_config = nullptr;
}

const ModuleConfig &Config() { return g_config != nullptr ? *g_config : ShippedConfig(); }

const ModuleConfig *InstallConfig(const ModuleConfig *config) {
    const ModuleConfig *previous = &Config();
    g_config = config;
    return previous;
}

}  // namespace pat
