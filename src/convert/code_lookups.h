// Lookups over the code tables. Every lookup takes its table, so callers pass
// the configuration's table (ActiveConvertConfig().trayNameTable, ...). Name tables are
// searched with NameToCode (core/item_chain.h).
#ifndef PAT_CONVERT_CODE_LOOKUPS_H
#define PAT_CONVERT_CODE_LOOKUPS_H

#include <stdint.h>

#include "core/item_chain.h"
#include "convert/convert_config.h"

namespace pat {

// The paper attribute bits that can take part in a paper-size match.
constexpr uint32_t kPaperAttr400 = 0x400;
constexpr uint32_t kPaperAttr800 = 0x800;

// The first tray or bin row whose name equals name (case-sensitive), else the
// terminator row, whose code is the answer for an unlisted name. A null name
// yields the terminator.
const NamedDeviceRow *FindNamedDevice(const char *name, const NamedDeviceRow *table);

// The code of the first row whose key is key, else the terminator's code.
uint32_t KeyToCode(uint32_t key, const KeyCodeRow *table);

// The code of the row whose mask equals mask; the search ends at the first row
// whose low word is 0xFFFFFFFF, whose code is the answer for any other mask.
uint32_t MediaMaskToCode(uint64_t mask, const MediaMaskRow *table);

// The first row within 2 mm of width x height (a dimension of kAbsent must
// match exactly), else the terminator {kAbsent, 0}. Widths and heights are
// millimetres, kAbsent when the tray does not report them.
const DimensionRow *FindPaperSize(uint32_t width, uint32_t height, const DimensionRow *table);

// The same, where each bit of participating (kPaperAttr400, kPaperAttr800)
// must also have in attributes the value the row's needs400 or needs800 gives.
const DimensionAttrRow *FindPaperSize(uint32_t width, uint32_t height, uint32_t attributes,
                                      uint32_t participating, const DimensionAttrRow *table);

}  // namespace pat

#endif
