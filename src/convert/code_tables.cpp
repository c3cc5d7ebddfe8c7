// The code tables: names and dimensions into the codes of the record's items.
#include "core/shipped_tables.h"

namespace pat {

const DimensionRow kPaperSizeTable[] = {{kAbsent, 0, 2}};
const DimensionAttrRow kPaperSizeAttrTable[] = {{kAbsent, 0, 2, 0, 0}};
const NameCodeRow kPaperKeywordTable[] = {{nullptr, 0}};
const KeyCodeRow kMediaBitTable[] = {{kEndKey, 0}};
const MediaMaskRow kMediaMaskTable[] = {{0xFFFFFFFFu, 0xFFFFFFFFu, 0}};
const NameCodeRow kMediaNameTable[] = {{nullptr, 0}};
const NamedDeviceRow kTrayNameTable[] = {{nullptr, 0, 0}};
const NamedDeviceRow kBinNameTable[] = {{nullptr, 255, 0}};
const NameCodeRow kEmulationTable[] = {{nullptr, 0}};
const NameCodeRow kModelNameTable[] = {{nullptr, 255}};
const NameCodeRow kFontNameTable[] = {{nullptr, 0}};
const KeyCodeRow kDeviceOptionTable[] = {{kEndKey, 0}};
const PackageRow kFuncpkgTable[] = {{nullptr, 0}};
const PackageRow kSalespkgTable[] = {{nullptr, 0}};
const StatusBitRow kStatusBitTable[] = {{0xFFFFFFFFu, 0, 0, 0}};

}  // namespace pat
