#include "convert/convert_config.h"

#include "core/config_slot.h"

namespace pat {

PAT_DEFINE_CONFIG_SLOT(Convert)

}  // namespace pat
