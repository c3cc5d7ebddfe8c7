// The tables of the shipped configuration, defined beside the code of the
// subsystem that reads them.
#ifndef PAT_CORE_SHIPPED_TABLES_H
#define PAT_CORE_SHIPPED_TABLES_H

#include "core/table_rows.h"

namespace pat {

// Exported interface.
extern const PatPaletteEntry kPaletteTable[];

}  // namespace pat

#endif
