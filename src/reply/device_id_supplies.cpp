// "RIJ": counter/supply,supply,...; -- one counter value and the supply levels,
// whose kinds the configuration lists in the order the printer reports them.
#include "reply/reply_config.h"
#include "core/record.h"
#include "platform/platform.h"
#include "reply/device_id_handlers.h"
#include "reply/device_id_number.h"

namespace pat {

namespace {

constexpr uint16_t kCounterKind = 1;
constexpr uint16_t kEndOfKinds = 0xFFFF;

void AddCounter(PrnInfoEx *record, const char *key, uint16_t kind, const char *number) {
    CounterInfo *item = NewItem<CounterInfo>();
    if (item == nullptr) return;  // out of memory: this value is left out
    item->wKind = kind;
    item->lValue = ReadDecimal(number);
    if (!AddItem(record, key, &item->header)) GlobalFree(item);
}

}  // namespace

Status OnCounterAndSupplies(FieldSource *source, PrnInfoEx *record) {
    ClearList(record, keys::kCounterInfo);
    ClearList(record, keys::kSupplyInfo);

    // The counter ends at the first "/", not at ";": a value without it takes
    // its counter from the pairs that follow.
    char counter[kDeviceIdFieldCapacity];
    ReadField(source, counter, sizeof counter, "/");
    AddCounter(record, keys::kCounterInfo, kCounterKind, counter);

    char rest[kDeviceIdFieldCapacity];
    ReadField(source, rest, sizeof rest, ";");
    const uint16_t *kind = ActiveReplyConfig().supplyKindTable;
    if (kind == nullptr) return kOk;
    // Empty entries do not use up a kind; a failed allocation does.
    FieldSource entries = SourceOf(rest, sizeof rest);
    while (!AtTextEnd(entries) && *kind != kEndOfKinds) {
        char entry[kDeviceIdEntryCapacity];
        ReadField(&entries, entry, sizeof entry, ",");
        if (entry[0] == '\0') continue;
        AddCounter(record, keys::kSupplyInfo, *kind, entry);
        ++kind;
    }
    return kOk;
}

}  // namespace pat
