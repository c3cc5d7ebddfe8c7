// Devices that an installed package brings: a package whose name begins with
// a package table row's prefix adds that row's device while it is active.
#ifndef PAT_CONVERT_PACKAGE_MATCHING_H
#define PAT_CONVERT_PACKAGE_MATCHING_H

#include <stdint.h>

#include "core/error_codes.h"
#include "convert/convert_config.h"
#include "pat/pat.h"

namespace pat {

// The package state that means active.
constexpr uint32_t kPackageActive = 1;

// When state is kPackageActive, appends to "pDeviceInfo" one DeviceInfo per
// row of table whose prefix begins name (every row is tried, so a name that
// several prefixes begin adds several devices). kOk, or kNoMemory when an item
// cannot be allocated (the devices added before it stay).
Status AddPackageDevices(PrnInfoEx *record, const char *name, uint32_t state, const PackageRow *table);

}  // namespace pat

#endif
