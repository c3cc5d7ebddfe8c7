// The module's palette: empty in this configuration (terminator only).
#include "api/module_config.h"

namespace pat {

const PatPaletteEntry kPaletteTable[] = {
    {0, 0, 0, kPaletteEnd},
};

}  // namespace pat
