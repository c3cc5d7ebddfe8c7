// Tables of the device ID parser.
#include "reply/reply_config.h"

namespace pat {

// Emulation codes of the "CMD" entries: empty in this configuration.
const NameCodeRow kCommandSetTable[] = {{nullptr, 0}};

// Supply kinds of the "RIJ" entries, in order: empty in this configuration.
const uint16_t kSupplyKindTable[] = {0xFFFF};

// The engine-status classification: no code is classified here.
uint32_t ClassifyNoEngineStatus(uint32_t) { return 0; }

}  // namespace pat
