#include "convert/package_matching.h"

#include <string.h>

#include "core/record.h"
#include "platform/platform.h"

namespace pat {

namespace {

bool BeginsWith(const char *name, const char *prefix) {
    return strncmp(name, prefix, strlen(prefix)) == 0;
}

}  // namespace

Status AddPackageDevices(PrnInfoEx *record, const char *name, uint32_t state, const PackageRow *table) {
    if (state != kPackageActive || name == nullptr) return kOk;
    for (; table->prefix != nullptr; ++table) {
        if (!BeginsWith(name, table->prefix)) continue;
        DeviceInfo *device = NewItem<DeviceInfo>();
        if (device == nullptr) return kNoMemory;
        device->wDevice = static_cast<uint16_t>(table->code);
        if (!AddItem(record, keys::kDeviceInfo, &device->header)) {
            GlobalFree(device);
            return kInvalidParameter;
        }
    }
    return kOk;
}

}  // namespace pat
