// The tables of the shipped configuration, each defined beside the code of
// the subsystem that reads it.
#ifndef PAT_CORE_SHIPPED_TABLES_H
#define PAT_CORE_SHIPPED_TABLES_H

#include "core/table_rows.h"

namespace pat {

// Exported interface (api/palette_table.cpp).
extern const PatPaletteEntry kPaletteTable[];

// Query building (query/tray_query_table.cpp).
extern const TrayQueryRow kTrayQueryTable[];

// Reply parsing (reply/reply_rule_tables.cpp, reply/keyword_tables.cpp,
// reply/device_id_tables.cpp).
extern const ReplyRule kCommonReplyTable[];
extern const ReplyRule kFamilyReplyTable[];
extern const NameCodeRow kVersionNameTable[];
extern const NameCodeRow kMemoryUsageTable[];
extern const NameCodeRow kImageRotationTable[];
extern const PunchOptionRow kPunchOptionTable[];
extern const NameCodeRow kTrayLevelTable[];
extern const NameCodeRow kMarkingTypeTable[];
extern const NameCodeRow kPackageStateTable[];
extern const PackageIdRow kPackageIdTable[];
extern const NameCodeRow kCommandSetTable[];
extern const uint16_t kSupplyKindTable[];
uint32_t ClassifyNoEngineStatus(uint32_t code);

// Code tables (convert/paper_tables.cpp, convert/media_tables.cpp,
// convert/name_tables.cpp, convert/code_tables.cpp).
extern const DimensionRow kPaperSizeTable[];
extern const DimensionAttrRow kPaperSizeAttrTable[];
extern const NameCodeRow kPaperKeywordTable[];
extern const KeyCodeRow kMediaBitTable[];
extern const MediaMaskRow kMediaMaskTable[];
extern const NameCodeRow kMediaNameTable[];
extern const NamedDeviceRow kTrayNameTable[];
extern const NamedDeviceRow kBinNameTable[];
extern const NameCodeRow kEmulationTable[];
extern const NameCodeRow kModelNameTable[];
extern const NameCodeRow kFontNameTable[];
extern const KeyCodeRow kDeviceOptionTable[];
extern const PackageRow kFuncpkgTable[];
extern const PackageRow kSalespkgTable[];
extern const StatusBitRow kStatusBitTable[];

// Status text (text/locale_selection.cpp, text/string_directory.cpp,
// text/status_codes.cpp, text/status_messages.cpp, text/slot_text.cpp,
// text/help_file_name.cpp).
extern const LocaleRow kLocaleTable[];
extern const StringDirectoryRow kStringDirectory[];
extern const StatusClassRow kStatusClassTable[];
extern const StatusMessageRow kStatusMessageTable[];
extern const StatusMessageRow kNegativeStatusMessageTable[];
extern const uint32_t kDetailSlotTable[];
Status NoHelpFileName(const StatusRequest *request, RecordArray *codes, char *text, uint32_t capacity);

}  // namespace pat

#endif
