// The record conversions' part of the configuration: the printer family's
// code tables (paper, media, trays, bins, emulations, models, fonts, options,
// packages) and the status-word bits of a host's device block.
#ifndef PAT_CONVERT_CONVERT_CONFIG_H
#define PAT_CONVERT_CONVERT_CONFIG_H

#include <stdint.h>

#include "core/table_rows.h"

namespace pat {

// Paper dimensions in millimetres; ended by {0xFFFFFFFF, 0}. A width of
// 0xFFFFFFFF marks a row for a tray whose width is absent (roll paper).
struct DimensionRow {
    uint32_t width;
    uint32_t height;
    uint32_t code;
};

// Dimensions qualified by the two paper attribute bits 0x400 and 0x800.
struct DimensionAttrRow {
    uint32_t width;
    uint32_t height;
    uint32_t code;
    uint32_t needs400;
    uint32_t needs800;
};
constexpr uint32_t kAbsent = 0xFFFFFFFFu;

// 64-bit media mask {bits 32-63, bits 0-31, code}; ended by low 0xFFFFFFFF.
struct MediaMaskRow {
    uint32_t high;
    uint32_t low;
    uint32_t code;
};

// Package name prefix and the device code an active package adds.
struct PackageRow {
    const char *prefix;
    uint32_t code;
};

// Device status word bits that add an engine status; ended by group 0xFFFFFFFF.
struct StatusBitRow {
    uint32_t group;
    uint32_t mask;
    uint32_t status;
    uint32_t conditional;
};

struct ConvertConfig {
    const DimensionRow *paperSizeTable;
    const DimensionAttrRow *paperSizeAttrTable;
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
};

// Shipped tables (paper_tables.cpp, media_tables.cpp, name_tables.cpp,
// code_tables.cpp).
extern const DimensionRow kPaperSizeTable[];
extern const DimensionAttrRow kPaperSizeAttrTable[];
extern const KeyCodeRow kMediaBitTable[];
extern const MediaMaskRow kMediaMaskTable[];
extern const NameCodeRow kMediaNameTable[];
extern const NamedDeviceRow kTrayNameTable[];
extern const NamedDeviceRow kBinNameTable[];
extern const NameCodeRow kEmulationTable[];
extern const NameCodeRow kFontNameTable[];
extern const KeyCodeRow kDeviceOptionTable[];
extern const PackageRow kFuncpkgTable[];
extern const PackageRow kSalespkgTable[];
extern const StatusBitRow kStatusBitTable[];

inline constexpr ConvertConfig kShippedConvertConfig = {
    .paperSizeTable = kPaperSizeTable,
    .paperSizeAttrTable = kPaperSizeAttrTable,
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
};

// The part in force; null puts the shipped one back.
const ConvertConfig &ActiveConvertConfig();
void InstallConvertConfig(const ConvertConfig *config);

}  // namespace pat

#endif
