// A configuration with rows for the device ID parser's tables: command sets,
// supply kinds, model names and an engine-status classification. The device
// ID tests and the device_id fuzz target run the parser under it.
#ifndef PAT_TESTS_REPLY_DEVICE_ID_ROWS_H
#define PAT_TESTS_REPLY_DEVICE_ID_ROWS_H

#include "api/module_config.h"

namespace pat::test {

inline const NameCodeRow kDeviceIdCommandRows[] = {{"PJL", 1}, {"PCL", 2}, {"POSTSCRIPT", 3}, {nullptr, 99}};
inline const uint16_t kDeviceIdSupplyKinds[] = {3, 7, 0xFFFF};
inline const NameCodeRow kDeviceIdModelRows[] = {{"X1", 7}, {"X2", 0x1234}, {"LP 9200", 7}, {nullptr, 255}};

// 1 for code 20002, 2 for 10001, 0 otherwise.
inline uint32_t ClassifySome(uint32_t code) { return code == 20002 ? 1 : code == 10001 ? 2 : 0; }

inline ModuleConfig DeviceIdConfigWithRows() {
    ModuleConfig config = ShippedConfig();
    config.reply.commandSetTable = kDeviceIdCommandRows;
    config.reply.supplyKindTable = kDeviceIdSupplyKinds;
    config.reply.modelNameTable = kDeviceIdModelRows;
    config.reply.classifyEngineStatus = ClassifySome;
    return config;
}

}  // namespace pat::test

#endif
