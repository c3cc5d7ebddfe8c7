// Installed options, packages and device status bits: what the host reports
// about a device's equipment, into device and engine status codes.
#include "convert/convert_config.h"

namespace pat {

// No option keys in this family: every option is device code 0.
const KeyCodeRow kDeviceOptionTable[] = {{kEndKey, 0}};

// An active function package whose name begins with a prefix installs the
// row's device.
const PackageRow kFuncpkgTable[] = {
    {"604271958", 500},
    {nullptr, 0},
};

const PackageRow kSalespkgTable[] = {{nullptr, 0}};

// No engine status is derived from the device status word in this family.
const StatusBitRow kStatusBitTable[] = {{0xFFFFFFFFu, 0, 0, 0}};

}  // namespace pat
