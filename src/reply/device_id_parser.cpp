#include "reply/device_id_parser.h"

#include <string.h>

#include "reply/device_id_field.h"
#include "reply/device_id_handlers.h"

namespace pat {

namespace {

struct KeyHandler {
    const char *key;
    DeviceIdHandler handler;
};

// Compared in this order, exactly and case-sensitively; the first match runs.
const KeyHandler kKeyHandlers[] = {
    {"CMD", OnCommandSet},   {"MFG", OnMakerName},    {"MDL", OnModelName},
    {"DES", OnDescription},  {"STS", OnEngineStatus}, {"RIJ", OnCounterAndSupplies},
};

DeviceIdHandler HandlerOf(const char *key) {
    for (const KeyHandler &k : kKeyHandlers)
        if (strcmp(k.key, key) == 0) return k.handler;
    return nullptr;
}

}  // namespace

Status ParseDeviceId(const char *text, uint32_t length, PrnInfoEx *record) {
    if (record == nullptr) return kOk;
    FieldSource source = SourceOf(text, length);
    Status result = kOk;
    // Every round consumes at least one character while text remains, so the
    // walk ends; an empty text reads one empty key and changes nothing.
    do {
        char key[kDeviceIdFieldCapacity];
        ReadField(&source, key, sizeof key, ":");
        DeviceIdHandler handler = HandlerOf(key);
        if (handler != nullptr) {
            result = handler(&source, record);
        } else {
            char skipped[kDeviceIdFieldCapacity];
            ReadField(&source, skipped, sizeof skipped, ";");
        }
    } while (!AtTextEnd(source) && result == kOk);
    return result;
}

}  // namespace pat
