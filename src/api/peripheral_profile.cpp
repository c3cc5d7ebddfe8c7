// The peripheral profile: five words that differ by device class only at
// offset 12.
#include "api/operations.h"
#include "api/module_config.h"

namespace pat {

Status FillPeripheralProfile(uint32_t deviceClass, PeripheralProfile *profile, uint32_t *length) {
    if (length == nullptr) return kInvalidParameter;
    uint16_t cls = static_cast<uint16_t>(deviceClass);
    if (cls != PAT_CLASS_STATUS && cls != PAT_CLASS_CONFIG) {
        *length = sizeof(PeripheralProfile);
        return kInvalidParameter;
    }
    // A null profile is never written through, whatever length it claims.
    if (*length < sizeof(PeripheralProfile) || profile == nullptr) {
        *length = sizeof(PeripheralProfile);
        return kBufferTooSmall;
    }
    profile->dwWord[0] = 0x00020000;
    profile->dwWord[1] = 3;
    profile->dwWord[2] = 0;
    profile->dwWord[3] = cls == PAT_CLASS_STATUS ? 2 : 0;
    profile->dwWord[4] = 0;
    if (Config().profileStep != nullptr) {
        Status status = Config().profileStep(cls, profile);
        if (status != kOk) return status;
    }
    *length = sizeof(PeripheralProfile);
    return kOk;
}

}  // namespace pat
