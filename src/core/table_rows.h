// Row shapes of the compiled-in configuration tables. Every table is an array
// of one of these shapes ended by its terminator row; a terminator's code is
// the answer for a key that no row holds.
#ifndef PAT_CORE_TABLE_ROWS_H
#define PAT_CORE_TABLE_ROWS_H

#include <stdint.h>

#include "core/error_codes.h"
#include "pat/pat.h"

namespace pat {

// {name, code}; ended by a null name.
struct NameCodeRow {
    const char *name;
    int32_t code;
};

// Tray and bin names: {name, code, string identifier of the localized name}.
struct NamedDeviceRow {
    const char *name;
    uint32_t code;
    uint32_t stringId;
};

// {32-bit key, code}; ended by key 0xFFFFFFFF.
struct KeyCodeRow {
    uint32_t key;
    uint32_t code;
};
constexpr uint32_t kEndKey = 0xFFFFFFFFu;

// Paper dimensions in millimetres; ended by {0xFFFFFFFF, 0}. A width of
// 0xFFFFFFFF marks a row for a tray whose width is absent (roll paper).
struct DimensionRow {
    uint32_t width;
    uint32_t height;
    uint32_t code;
};

// Dimensions qualified by the two paper attribute bits 0x400 and 0x800.
struct DimensionAttrRow {
    uint32_t width;
    uint32_t height;
    uint32_t code;
    uint32_t needs400;
    uint32_t needs800;
};
constexpr uint32_t kAbsent = 0xFFFFFFFFu;

// 64-bit media mask {bits 32-63, bits 0-31, code}; ended by low 0xFFFFFFFF.
struct MediaMaskRow {
    uint32_t high;
    uint32_t low;
    uint32_t code;
};

// Package name prefix and the device code an active package adds.
struct PackageRow {
    const char *prefix;
    uint32_t code;
};

// Device status word bits that add an engine status; ended by group 0xFFFFFFFF.
struct StatusBitRow {
    uint32_t group;
    uint32_t mask;
    uint32_t status;
    uint32_t conditional;
};

// A tray's PJL INQUIRE group; ended by tray 0xFFFF.
struct TrayQueryRow {
    uint16_t tray;
    uint32_t isDefault;  // 0: asked while the record lists no tray
    const char *groupText;
};
constexpr uint16_t kEndTray = 0xFFFF;

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

constexpr uint8_t kPaletteEnd = 0xFF;

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

}  // namespace pat

#endif
