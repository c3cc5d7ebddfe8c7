// Localized names of input trays, output bins and keyed devices.
#include <string.h>

#include "convert/code_lookups.h"
#include "convert/convert_config.h"
#include "text/text_config.h"
#include "pat/pat.h"
#include "text/string_resources.h"
#include "text/text_exports.h"

namespace pat {

namespace {

constexpr uint32_t kTrayName = 1;
constexpr uint32_t kBinName = 2;
constexpr uint32_t kKeyedName = 3;

bool RevisionIs(uint32_t revision, uint32_t expected) { return (revision & 0xFFu) == expected; }

}  // namespace

Status LoadDeviceNameByKey(uint32_t key, char *destination, uint32_t capacity) {
    ClearText(destination, capacity);
    const StringMapRow *map = FindStringMap(kDeviceNameKind, 1);
    if (map == nullptr) return kNotFound;
    return LoadMappedString(map, key, destination, capacity);
}

Status LoadDeviceNameByName(uint32_t kind, const char *name, char *destination, uint32_t capacity) {
    ClearText(destination, capacity);
    const NamedDeviceRow *table = kind == kTrayName  ? ActiveConvertConfig().trayNameTable
                                  : kind == kBinName ? ActiveConvertConfig().binNameTable
                                                     : nullptr;
    if (table == nullptr) return kInvalidParameter;
    const NamedDeviceRow *row = FindNamedDevice(name, table);
    if (row->name == nullptr || row->stringId == 0) return kInvalidParameter;
    return LoadResourceString(row->stringId, destination, capacity);
}

// The kind is compared with all 32 bits, the revision by its low byte. A null
// source names nothing: it is never read.
Status ComposeDeviceName(uint32_t kind, const void *source, uint32_t revision, char *text, uint32_t capacity) {
    ClearText(text, capacity);
    if (kind == kTrayName || kind == kBinName) {
        if (!RevisionIs(revision, PAT_REVISION_NAME_SOURCE)) return kInvalidParameter;
        return LoadDeviceNameByName(kind, static_cast<const char *>(source), text, capacity);
    }
    if (kind == kKeyedName) {
        if (!RevisionIs(revision, PAT_REVISION_NAME_SOURCE3) || source == nullptr) return kInvalidParameter;
        uint32_t key;
        memcpy(&key, source, sizeof key);  // little-endian, any alignment
        return LoadDeviceNameByKey(key, text, capacity);
    }
    return kInvalidParameter;
}

}  // namespace pat
