#include "text/text_config.h"

#include "core/config_slot.h"

namespace pat {

PAT_DEFINE_CONFIG_SLOT(Text)

}  // namespace pat
