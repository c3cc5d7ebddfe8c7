// The configuration object: every compiled-in table and per-configuration step
// of the module, reached through one pointer. The module runs on the shipped
// configuration; tests install another one for the duration of a test, so the
// same code runs against tables with rows.
#ifndef PAT_CORE_CONFIG_H
#define PAT_CORE_CONFIG_H

#include "core/table_rows.h"

namespace pat {

struct ModuleConfig {
    // Exported interface.
    Status (*versionStep)(DllVersion *version);
    Status (*profileStep)(uint32_t deviceClass, PeripheralProfile *profile);
    const PatPaletteEntry *paletteTable;

    // Query building.
    const TrayQueryRow *trayQueryTable;

    // Reply parsing.
    const ReplyRule *commonReplyTable;
    const ReplyRule *familyReplyTable;
    const NameCodeRow *versionNameTable;
    const NameCodeRow *memoryUsageTable;
    const NameCodeRow *imageRotationTable;
    const PunchOptionRow *punchOptionTable;
    const NameCodeRow *trayLevelTable;
    const NameCodeRow *markingTypeTable;
    const NameCodeRow *packageStateTable;
    const PackageIdRow *packageIdTable;
    const NameCodeRow *commandSetTable;
    const uint16_t *supplyKindTable;
    uint32_t (*classifyEngineStatus)(uint32_t code);

    // Code tables.
    const DimensionRow *paperSizeTable;
    const DimensionAttrRow *paperSizeAttrTable;
    const NameCodeRow *paperKeywordTable;
    const KeyCodeRow *mediaBitTable;
    const MediaMaskRow *mediaMaskTable;
    const NameCodeRow *mediaNameTable;
    const NamedDeviceRow *trayNameTable;
    const NamedDeviceRow *binNameTable;
    const NameCodeRow *emulationTable;
    const NameCodeRow *modelNameTable;
    const NameCodeRow *fontNameTable;
    const KeyCodeRow *deviceOptionTable;
    const PackageRow *funcpkgTable;
    const PackageRow *salespkgTable;
    const StatusBitRow *statusBitTable;

    // Status text.
    const LocaleRow *localeTable;
    const StringDirectoryRow *stringDirectory;
    const StatusClassRow *statusClassTable;
    const StatusMessageRow *statusMessageTable;          // device classes not negative
    const StatusMessageRow *negativeStatusMessageTable;  // negative device classes
    // Entries {template key, groups of detail keys each ended by 0, 0}; a
    // template key of 0 ends the table.
    const uint32_t *detailSlotTable;
    HelpFileStep helpFileStep;
};

// The configuration in force.
const ModuleConfig &Config();

// The configuration the module ships with.
const ModuleConfig &ShippedConfig();

// Puts config in force (null restores the shipped one); returns the previous.
const ModuleConfig *InstallConfig(const ModuleConfig *config);

}  // namespace pat

#endif
