#include "reply/reply_config.h"

#include "core/config_slot.h"

namespace pat {

PAT_DEFINE_CONFIG_SLOT(Reply)

}  // namespace pat
