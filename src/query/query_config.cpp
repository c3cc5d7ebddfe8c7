#include "query/query_config.h"

#include "core/config_slot.h"

namespace pat {

namespace {
constinit ConfigSlot<QueryConfig> g_slot{kShippedQueryConfig};
}

const QueryConfig &ActiveQueryConfig() { return g_slot.Active(); }
void InstallQueryConfig(const QueryConfig *config) { g_slot.Install(config); }

}  // namespace pat
