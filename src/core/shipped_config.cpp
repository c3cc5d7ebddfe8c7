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
    .trayQueryTable = kTrayQueryTable,
    .commonReplyTable = kCommonReplyTable,
    .familyReplyTable = kFamilyReplyTable,
    .versionNameTable = kVersionNameTable,
    .memoryUsageTable = kMemoryUsageTable,
    .imageRotationTable = kImageRotationTable,
    .punchOptionTable = kPunchOptionTable,
    .trayLevelTable = kTrayLevelTable,
    .markingTypeTable = kMarkingTypeTable,
    .packageStateTable = kPackageStateTable,
    .packageIdTable = kPackageIdTable,
    .commandSetTable = kCommandSetTable,
    .supplyKindTable = kSupplyKindTable,
    .classifyEngineStatus = ClassifyNoEngineStatus,
    .paperSizeTable = kPaperSizeTable,
    .paperSizeAttrTable = kPaperSizeAttrTable,
    .paperKeywordTable = kPaperKeywordTable,
    .mediaBitTable = kMediaBitTable,
    .mediaMaskTable = kMediaMaskTable,
    .mediaNameTable = kMediaNameTable,
    .trayNameTable = kTrayNameTable,
    .binNameTable = kBinNameTable,
    .emulationTable = kEmulationTable,
    .modelNameTable = kModelNameTable,
    .fontNameTable = kFontNameTable,
    .deviceOptionTable = kDeviceOptionTable,
    .funcpkgTable = kFuncpkgTable,
    .salespkgTable = kSalespkgTable,
    .statusBitTable = kStatusBitTable,
    .localeTable = kLocaleTable,
    .stringDirectory = kStringDirectory,
    .statusClassTable = kStatusClassTable,
    .statusMessageTable = kStatusMessageTable,
    .negativeStatusMessageTable = kNegativeStatusMessageTable,
    .detailSlotTable = kDetailSlotTable,
    .helpFileStep = NoHelpFileName,
};

}  // namespace

const ModuleConfig &ShippedConfig() { return kShipped; }

}  // namespace pat
