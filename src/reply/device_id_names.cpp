// "MFG", "DES" and "MDL": the record's maker, description and model strings.
#include "reply/reply_config.h"
#include "core/item_chain.h"
#include "core/record.h"
#include "reply/device_id_handlers.h"

namespace pat {

namespace {

// Reads the value and stores it as key's string; false when not stored.
bool StoreValue(FieldSource *source, PrnInfoEx *record, const char *key, char *value) {
    ReadField(source, value, kDeviceIdFieldCapacity, ";");
    return SetString(record, key, value) != 0;
}

}  // namespace

Status OnMakerName(FieldSource *source, PrnInfoEx *record) {
    char value[kDeviceIdFieldCapacity];
    return StoreValue(source, record, keys::kMakerName, value) ? kOk : kNoMemory;
}

Status OnDescription(FieldSource *source, PrnInfoEx *record) {
    char value[kDeviceIdFieldCapacity];
    return StoreValue(source, record, keys::kDescription, value) ? kOk : kNoMemory;
}

// A model name that cannot be stored is not worth failing the parse for: the
// model code then says "unknown" (255).
Status OnModelName(FieldSource *source, PrnInfoEx *record) {
    char value[kDeviceIdFieldCapacity];
    if (StoreValue(source, record, keys::kModelName, value))
        record->bModelCode = static_cast<uint8_t>(NameToCode(value, ActiveReplyConfig().modelNameTable));
    else
        record->bModelCode = 255;
    return kOk;
}

}  // namespace pat
