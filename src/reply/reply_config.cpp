#include "reply/reply_config.h"

#include "core/config_slot.h"

namespace pat {

namespace {
constinit ConfigSlot<ReplyConfig> g_slot{kShippedReplyConfig};
}

const ReplyConfig &ActiveReplyConfig() { return g_slot.Active(); }
void InstallReplyConfig(const ReplyConfig *config) { g_slot.Install(config); }

}  // namespace pat
