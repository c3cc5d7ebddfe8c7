// Collecting the status codes of best priority from a record's engine status.
#include "text/text_config.h"
#include "text/text_config.h"
#include "text/status_text.h"

namespace pat {

// This configuration gives no device class a priority table.
const StatusClassRow kStatusClassTable[] = {
    {0xFFFFFFFFu, nullptr},
};

RecordArray *CreateCodeArray() { return CreateRecordArray(sizeof(uint32_t), 20, 1); }

namespace {

const StatusPriorityRow *PrioritiesOf(uint32_t deviceClass) {
    const StatusClassRow *row = ActiveTextConfig().statusClassTable;
    for (; row->deviceClass != 0xFFFFFFFFu; ++row)
        if (row->deviceClass == deviceClass) return row->priorities;
    return nullptr;
}

uint16_t PriorityOf(const StatusPriorityRow *table, uint32_t code) {
    uint16_t priority;
    FindCodePriority(table, code, &priority);
    return priority;
}

// Exchange sort, ascending as unsigned values: the lists hold tens of codes.
void SortCodes(RecordArray *codes) {
    uint32_t count = RecordArrayCount(codes);
    for (uint32_t pass = 1; pass < count; ++pass) {
        for (uint32_t n = 1; n < count; ++n) {
            uint32_t *left = static_cast<uint32_t *>(RecordArrayAt(codes, n));
            uint32_t *right = static_cast<uint32_t *>(RecordArrayAt(codes, n + 1));
            if (*left <= *right) continue;
            uint32_t swapped = *left;
            *left = *right;
            *right = swapped;
        }
    }
}

}  // namespace

Status CollectStatusCodes(const StatusRequest *request, RecordArray *codes) {
    const StatusPriorityRow *table = PrioritiesOf(request->deviceClass);
    if (table == nullptr) return kNotFound;
    const PrnInfoEx *record = request->record;
    const bool flagged = record->bStatusBit27 != 0;

    uint16_t best = kNoPriority;
    for (const EngineStatus *item = record->pEngineStatus; item != nullptr;
         item = reinterpret_cast<const EngineStatus *>(item->header.next)) {
        uint16_t priority = PriorityOf(table, item->dwStatus);
        if (priority < best) best = priority;
    }
    uint16_t flagPriority = flagged ? PriorityOf(table, kStatusFlagCode) : kNoPriority;
    if (flagged && flagPriority < best) best = flagPriority;

    // A code that cannot be appended is dropped; the others still count.
    for (const EngineStatus *item = record->pEngineStatus; item != nullptr;
         item = reinterpret_cast<const EngineStatus *>(item->header.next)) {
        if (PriorityOf(table, item->dwStatus) == best) RecordArrayAppend(codes, &item->dwStatus);
    }
    if (flagged && flagPriority == best) RecordArrayAppend(codes, &kStatusFlagCode);

    SortCodes(codes);
    return kOk;
}

}  // namespace pat
