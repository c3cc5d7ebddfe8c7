// The reply parser's part of the configuration: the rule tables that route
// PJL answer lines to their handlers, the keyword tables those handlers read,
// the device ID tables and the engine-status classification.
#ifndef PAT_REPLY_REPLY_CONFIG_H
#define PAT_REPLY_REPLY_CONFIG_H

#include <stdint.h>

#include "core/error_codes.h"
#include "core/table_rows.h"
#include "pat/pat.h"

namespace pat {

struct ReplyCursor;

// A reply handler: reads the rest of its answer from the dispatcher's cursor
// and writes the record. The companion is a handler pointer that no handler of
// this configuration reads.
using ReplyCompanion = void (*)();
using ReplyHandler = Status (*)(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion companion,
                                uint32_t parameter);

// A rule: the five texts of the current reply line that fire handler.
struct ReplyRule {
    const char *command;
    const char *category;
    const char *key;
    const char *item;
    const char *value;
    ReplyHandler handler;
    uint32_t parameter;
};

// Up to five punch option names (unused slots null) and the device they mean.
struct PunchOptionRow {
    const char *names[5];
    uint32_t code;
};

// Function packages by the index a reply rule passes.
struct PackageIdRow {
    const char *name;
    uint32_t deviceCode;
};

struct ReplyConfig {
    const ReplyRule *commonReplyTable;
    const ReplyRule *familyReplyTable;
    const NameCodeRow *versionNameTable;
    const NameCodeRow *memoryUsageTable;
    const NameCodeRow *imageRotationTable;
    const PunchOptionRow *punchOptionTable;
    const NameCodeRow *trayLevelTable;
    const NameCodeRow *markingTypeTable;
    const NameCodeRow *packageStateTable;
    const PackageIdRow *packageIdTable;
    const NameCodeRow *paperKeywordTable;
    const NameCodeRow *commandSetTable;
    const uint16_t *supplyKindTable;
    const NameCodeRow *modelNameTable;
    uint32_t (*classifyEngineStatus)(uint32_t code);
};

// Shipped tables (reply_rule_tables.cpp, keyword_tables.cpp,
// device_id_tables.cpp).
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
extern const NameCodeRow kPaperKeywordTable[];
extern const NameCodeRow kCommandSetTable[];
extern const uint16_t kSupplyKindTable[];
uint32_t ClassifyNoEngineStatus(uint32_t code);

inline constexpr ReplyConfig kShippedReplyConfig = {
    .commonReplyTable = kCommonReplyTable,
    .familyReplyTable = kFamilyReplyTable,
    .versionNameTable = kVersionNameTable,
    .memoryUsageTable = kMemoryUsageTable,
    .imageRotationTable = kImageRotationTable,
    .punchOptionTable = kPunchOptionTable,
    .trayLevelTable = kTrayLevelTable,
    .markingTypeTable = kMarkingTypeTable,
    .packageStateTable = kPackageStateTable,
    .packageIdTable = kPackageIdTable,
    .paperKeywordTable = kPaperKeywordTable,
    .commandSetTable = kCommandSetTable,
    .supplyKindTable = kSupplyKindTable,
    .modelNameTable = kModelNameTable,
    .classifyEngineStatus = ClassifyNoEngineStatus,
};

// The part in force; null puts the shipped one back.
const ReplyConfig &ActiveReplyConfig();
void InstallReplyConfig(const ReplyConfig *config);

}  // namespace pat

#endif
