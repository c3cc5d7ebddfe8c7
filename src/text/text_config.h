// The status texts' part of the configuration: accepted locale names, the
// string directory, status-code priorities and messages, the detail slots
// and the help-file step.
#ifndef PAT_TEXT_TEXT_CONFIG_H
#define PAT_TEXT_TEXT_CONFIG_H

#include <stdint.h>

#include "core/error_codes.h"
#include "core/table_rows.h"

namespace pat {

// Locale names PatSetLocale accepts (upper case, at most 9 characters); a
// match selects language (sublanguage << 10) | primary. Ended by a null name.
struct LocaleRow {
    const char *name;
    uint16_t primaryLanguage;
    uint16_t sublanguage;
};

// One row of a string map: the module's key of a text and its string
// resource. Ended by key 0xFFFFFFFF, which is therefore never a key.
struct StringMapRow {
    uint32_t key;
    uint32_t stringId;
};

// The string directory: which map serves a kind of text and its variant
// (only the low 8 bits of subKind count). Ended by kind 0.
struct StringDirectoryRow {
    int32_t kind;
    uint32_t subKind;
    const StringMapRow *map;  // may be null
};

// Status code priorities: a code pattern ("301", "3xx") and its priority,
// lower is more important. Ended by a null pattern.
struct StatusPriorityRow {
    const char *pattern;
    uint32_t priority;  // 16-bit value
};

// The priority table of a device class (all 32 bits); ended by class
// 0xFFFFFFFF.
struct StatusClassRow {
    uint32_t deviceClass;
    const StatusPriorityRow *priorities;  // null: the class has none
};

// A status code pattern and the message it adds: the key of the template and
// of a detail text (0: none). Ended by a null pattern.
struct StatusMessageRow {
    const char *pattern;
    uint32_t templateKey;
    uint32_t detailKey;
};

struct StatusRequest;
struct RecordArray;

// Derives the help-file name from the sorted status codes of a request.
using HelpFileStep = Status (*)(const StatusRequest *request, RecordArray *codes, char *text,
                                uint32_t capacity);

struct TextConfig {
    const LocaleRow *localeTable;
    const StringDirectoryRow *stringDirectory;
    const StatusClassRow *statusClassTable;
    const StatusMessageRow *statusMessageTable;          // device classes not negative
    const StatusMessageRow *negativeStatusMessageTable;  // negative device classes
    // Entries {template key, groups of detail keys each ended by 0, 0}; a
    // template key of 0 ends the table.
    const uint32_t *detailSlotTable;
    HelpFileStep helpFileStep;
};

// Shipped tables (locale_selection.cpp, string_directory.cpp,
// status_codes.cpp, status_messages.cpp, slot_text.cpp, help_file_name.cpp).
extern const LocaleRow kLocaleTable[];
extern const StringDirectoryRow kStringDirectory[];
extern const StatusClassRow kStatusClassTable[];
extern const StatusMessageRow kStatusMessageTable[];
extern const StatusMessageRow kNegativeStatusMessageTable[];
extern const uint32_t kDetailSlotTable[];
Status NoHelpFileName(const StatusRequest *request, RecordArray *codes, char *text, uint32_t capacity);

inline constexpr TextConfig kShippedTextConfig = {
    .localeTable = kLocaleTable,
    .stringDirectory = kStringDirectory,
    .statusClassTable = kStatusClassTable,
    .statusMessageTable = kStatusMessageTable,
    .negativeStatusMessageTable = kNegativeStatusMessageTable,
    .detailSlotTable = kDetailSlotTable,
    .helpFileStep = NoHelpFileName,
};

// The part in force; null puts the shipped one back.
const TextConfig &ActiveTextConfig();
void InstallTextConfig(const TextConfig *config);

}  // namespace pat

#endif
