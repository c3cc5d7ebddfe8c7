// "STS": codes,status,text; -- the engine-status codes (separated by "/"), the
// status byte and one detail text shared by every code.
#include "reply/reply_config.h"
#include "core/record.h"
#include "platform/platform.h"
#include "reply/device_id_handlers.h"
#include "reply/device_id_number.h"

namespace pat {

namespace {

// Adds an item for every non-empty "/" piece of codes; returns the first
// nonzero classification of the codes added, or 0.
uint32_t AddStatusCodes(const char *codes, uint32_t size, PrnInfoEx *record) {
    uint32_t (*classify)(uint32_t) = ActiveReplyConfig().classifyEngineStatus;
    uint32_t classification = 0;
    FieldSource pieces = SourceOf(codes, size);
    while (!AtTextEnd(pieces)) {
        char piece[kDeviceIdEntryCapacity];
        ReadField(&pieces, piece, sizeof piece, "/");
        if (piece[0] == '\0') continue;
        EngineStatus *item = NewItem<EngineStatus>();
        if (item == nullptr) continue;  // out of memory: this code is left out
        uint32_t code = static_cast<uint32_t>(ReadDecimal(piece));
        item->dwStatus = code;
        item->wStatus = static_cast<uint16_t>(code);
        if (!AddItem(record, keys::kEngineStatus, &item->header)) GlobalFree(item);
        if (classification == 0 && classify != nullptr) classification = classify(code);
    }
    return classification;
}

}  // namespace

Status OnEngineStatus(FieldSource *source, PrnInfoEx *record) {
    ClearList(record, keys::kEngineStatus);

    // The codes end at the first ",", not at ";": a value without its commas
    // takes its codes from the pairs that follow.
    char codes[kDeviceIdFieldCapacity];
    ReadField(source, codes, sizeof codes, ",");
    uint32_t classification = AddStatusCodes(codes, sizeof codes, record);

    char rest[kDeviceIdFieldCapacity];
    ReadField(source, rest, sizeof rest, ";");
    FieldSource restSource = SourceOf(rest, sizeof rest);
    char status[kDeviceIdEntryCapacity];
    ReadField(&restSource, status, sizeof status, ",");
    uint8_t statusByte = static_cast<uint8_t>(ReadDecimal(status));
    record->bStatus = statusByte;
    record->bStatusNotOne = statusByte != 1 ? 1 : 0;
    record->bEngineFlag = classification == 1 ? 1 : 0;

    if (!AtTextEnd(restSource)) {
        for (InfoItem *at = ListHead(record, keys::kEngineStatus); at != nullptr; at = at->next) {
            EngineStatus *item = reinterpret_cast<EngineStatus *>(at);
            CopyToField(item->szText, sizeof item->szText, restSource.at);
        }
    }
    return kOk;
}

}  // namespace pat
