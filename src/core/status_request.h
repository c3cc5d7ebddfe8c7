// What status-code collection works on: the device class as the host passed
// it (all 32 bits) and the record to read the engine status from.
#ifndef PAT_CORE_STATUS_REQUEST_H
#define PAT_CORE_STATUS_REQUEST_H

#include <stdint.h>

#include "pat/pat.h"

namespace pat {

struct StatusRequest {
    uint32_t deviceClass;  // low 16 bits 1 or 0x8000; bit 31 picks the negative tables
    const PrnInfoEx *record;
};

inline bool IsNegativeClass(uint32_t deviceClass) { return static_cast<int32_t>(deviceClass) < 0; }

}  // namespace pat

#endif
