// The query builder's part of the configuration: which PJL INQUIRE groups
// each input tray is asked with.
#ifndef PAT_QUERY_QUERY_CONFIG_H
#define PAT_QUERY_QUERY_CONFIG_H

#include <stdint.h>

namespace pat {

// A tray's PJL INQUIRE group; ended by tray 0xFFFF.
struct TrayQueryRow {
    uint16_t tray;
    uint32_t isDefault;  // 0: asked while the record lists no tray
    const char *groupText;
};
constexpr uint16_t kEndTray = 0xFFFF;

struct QueryConfig {
    const TrayQueryRow *trayQueryTable;
};

extern const TrayQueryRow kTrayQueryTable[];

inline constexpr QueryConfig kShippedQueryConfig = {
    .trayQueryTable = kTrayQueryTable,
};

// The part in force; null puts the shipped one back.
const QueryConfig &ActiveQueryConfig();
void InstallQueryConfig(const QueryConfig *config);

}  // namespace pat

#endif
