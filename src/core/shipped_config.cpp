// The configuration this module ships with: the tables of its printer family.
#include "core/config.h"
#include "core/shipped_tables.h"

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
};

}  // namespace

const ModuleConfig &ShippedConfig() { return kShipped; }

}  // namespace pat
