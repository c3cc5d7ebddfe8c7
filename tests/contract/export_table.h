// The sixteen exports as a host knows them: name, ordinal and the number of
// 32-bit arguments the callee removes from the stack.
#ifndef PAT_TESTS_CONTRACT_EXPORT_TABLE_H
#define PAT_TESTS_CONTRACT_EXPORT_TABLE_H

#include <stdint.h>
#include <string.h>

namespace pat::test {

struct ExportRow {
    const char *name;
    uint32_t ordinal;
    uint32_t arguments;
};

inline constexpr ExportRow kExports[] = {
    {"PatCreateBitmapInfo", 2, 3},       {"PatDisposeBitmapInfo", 3, 1},   {"PatLoadBitmap", 4, 1},
    {"PatGetStatusString", 5, 6},        {"PatGetDeviceName", 6, 5},       {"PatPMInfoToPrnInfoEx", 7, 5},
    {"PatPrnInfoExToPrnInfo", 8, 3},     {"PatCreateQueryInfo", 9, 3},     {"PatCreateEmulUniqQueryInfo", 10, 4},
    {"PatSetCentroDataTo", 11, 4},       {"PatGetDllVersion", 12, 1},      {"PatGetPeripheralProfile", 13, 3},
    {"PatSetLocale", 14, 1},             {"PatGetStatusHelpFileName", 15, 5}, {"PatLoadDIBitmap", 16, 1},
    {"PatGetPalette", 17, 2},
};

inline const ExportRow *FindExportRow(const char *name) {
    for (const ExportRow &row : kExports)
        if (strcmp(row.name, name) == 0) return &row;
    return nullptr;
}

}  // namespace pat::test

#endif
