#include "api/module_config.h"

namespace pat {

namespace {

// Extension points that do nothing in this configuration.
Status NoVersionStep(DllVersion *) { return kOk; }
Status NoProfileStep(uint32_t, PeripheralProfile *) { return kOk; }

// Constant-initialized, so it is in force before any code of the module runs.
constexpr ModuleConfig kShipped = {
    .versionStep = NoVersionStep,
    .profileStep = NoProfileStep,
    .paletteTable = kPaletteTable,
    .query = kShippedQueryConfig,
    .reply = kShippedReplyConfig,
    .convert = kShippedConvertConfig,
    .text = kShippedTextConfig,
};

const ModuleConfig *g_config = nullptr;

}  // namespace

const ModuleConfig &Config() { return g_config != nullptr ? *g_config : kShipped; }

const ModuleConfig &ShippedConfig() { return kShipped; }

const ModuleConfig *InstallConfig(const ModuleConfig *config) {
    const ModuleConfig *previous = &Config();
    g_config = config;
    InstallQueryConfig(config != nullptr ? &config->query : nullptr);
    InstallReplyConfig(config != nullptr ? &config->reply : nullptr);
    InstallConvertConfig(config != nullptr ? &config->convert : nullptr);
    InstallTextConfig(config != nullptr ? &config->text : nullptr);
    return previous;
}

}  // namespace pat
