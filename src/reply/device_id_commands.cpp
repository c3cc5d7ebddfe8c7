// "CMD": the command sets the printer lists become its loaded emulations.
#include "reply/reply_config.h"
#include "core/item_chain.h"
#include "core/record.h"
#include "platform/platform.h"
#include "reply/device_id_handlers.h"

namespace pat {

Status OnCommandSet(FieldSource *source, PrnInfoEx *record) {
    char value[kDeviceIdFieldCapacity];
    ReadField(source, value, sizeof value, ";");
    // Without a table the names mean nothing; the emulation list another
    // source filled is then kept.
    const NameCodeRow *table = ActiveReplyConfig().commandSetTable;
    if (table == nullptr || table->name == nullptr) return kOk;

    ClearList(record, keys::kLoadedEmul);
    FieldSource entries = SourceOf(value, sizeof value);
    while (!AtTextEnd(entries)) {
        char entry[kDeviceIdEntryCapacity];
        ReadField(&entries, entry, sizeof entry, ",");
        if (entry[0] == '\0') continue;
        LoadedEmul *item = NewItem<LoadedEmul>();
        if (item == nullptr) continue;  // out of memory: this entry is left out
        item->wEmulation = static_cast<uint16_t>(NameToCode(entry, table));
        if (!AddItem(record, keys::kLoadedEmul, &item->header)) GlobalFree(item);
    }
    return kOk;
}

}  // namespace pat
