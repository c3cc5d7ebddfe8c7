// The text of one slot of a message template: the detail texts of the
// messages that belong to the slot, joined by the separator.
#include "text/text_config.h"
#include "text/text_config.h"
#include "platform/platform.h"
#include "text/status_text.h"
#include "text/string_resources.h"

namespace pat {

// This configuration assigns no details to particular slots.
const uint32_t kDetailSlotTable[] = {0};

namespace {

// The first group of templateKey's entry, or null when it has none.
const uint32_t *FindSlotEntry(const uint32_t *table, uint32_t templateKey) {
    for (const uint32_t *at = table; *at != 0;) {
        if (*at == templateKey) return at + 1;
        ++at;
        while (*at != 0) {          // each group:
            while (*at != 0) ++at;  // its detail keys,
            ++at;                   // its closing 0
        }
        ++at;  // the entry's closing 0
    }
    return nullptr;
}

bool InGroup(const uint32_t *groups, uint32_t slot, uint32_t detailKey) {
    for (uint32_t group = 1; *groups != 0 && group <= slot; ++group, ++groups)
        for (; *groups != 0; ++groups)
            if (group == slot && *groups == detailKey) return true;
    return false;
}

// A message whose template has no slot entry serves every slot.
bool ServesSlot(const MessageRecord *message, uint32_t slot) {
    const uint32_t *groups = FindSlotEntry(ActiveTextConfig().detailSlotTable, message->templateKey);
    return groups == nullptr || InGroup(groups, slot, message->detailKey);
}

bool FindDetail(const StringMapRow *map, uint32_t detailKey, DetailEntry *entry) {
    for (uint32_t row = 1; map->key != kEndKey; ++map, ++row) {
        if (map->key != detailKey) continue;
        *entry = {detailKey, row, map->stringId};
        return true;
    }
    return false;
}

bool HasDetail(RecordArray *entries, uint32_t detailKey) {
    RecordCursor cursor;
    RecordCursorStart(entries, &cursor);
    void *at;
    while (RecordCursorNext(&cursor, &at))
        if (static_cast<const DetailEntry *>(at)->detailKey == detailKey) return true;
    return false;
}

// Where an entry at position goes: before the first one placed later.
uint32_t InsertionIndex(RecordArray *entries, uint32_t position) {
    RecordCursor cursor;
    RecordCursorStart(entries, &cursor);
    void *at;
    while (RecordCursorNext(&cursor, &at))
        if (static_cast<const DetailEntry *>(at)->position > position) return cursor.position;
    return RecordArrayCount(entries) + 1;
}

// The details of slot, ordered by their rows in the detail map, each once.
// kNotFound for a detail key the map lacks; a detail that cannot be stored
// is dropped.
Status GatherDetails(RecordArray *messages, uint32_t slot, const StringMapRow *map, RecordArray *entries) {
    RecordCursor cursor;
    RecordCursorStart(messages, &cursor);
    void *at;
    while (RecordCursorNext(&cursor, &at)) {
        const MessageRecord *message = static_cast<const MessageRecord *>(at);
        if (message->detailKey == 0 || !ServesSlot(message, slot) || HasDetail(entries, message->detailKey))
            continue;
        DetailEntry entry;
        if (!FindDetail(map, message->detailKey, &entry)) return kNotFound;
        RecordArrayInsert(entries, &entry, InsertionIndex(entries, entry.position));
    }
    return kOk;
}

// Appends tail, cut so that text keeps within capacity bytes.
void AppendCut(char *text, const char *tail) {
    int length = lstrlenA(text);
    if (length + 1 < static_cast<int>(kSlotCapacity)) lstrcpynA(text + length, tail, kSlotCapacity - length);
}

// The loaded details joined by the separator. The result is that of the last
// load: a slot whose last detail cannot be loaded fails.
Status JoinDetails(RecordArray *entries, const char *separator, char *slotText) {
    Status result = kOk;
    char detail[kSlotCapacity];
    RecordCursor cursor;
    RecordCursorStart(entries, &cursor);
    DetailEntry entry;
    while (RecordCursorNextCopy(&cursor, &entry)) {
        result = LoadResourceString(entry.stringId, detail, sizeof detail);
        if (result != kOk) continue;
        if (slotText[0] != '\0') AppendCut(slotText, separator);
        AppendCut(slotText, detail);
    }
    return result;
}

}  // namespace

Status ComposeSlotText(RecordArray *messages, char *slotText, uint32_t slot) {
    slotText[0] = '\0';
    RecordArray *entries = CreateRecordArray(sizeof(DetailEntry), 10, 10);
    if (entries == nullptr) return kNoMemory;
    Status status = kNotFound;
    const StringMapRow *map = FindStringMap(kDetailKind, 1);
    char separator[kSeparatorCapacity];
    if (map != nullptr && LoadResourceString(kSeparatorStringId, separator, sizeof separator) == kOk) {
        status = GatherDetails(messages, slot, map, entries);
        if (status == kOk) status = JoinDetails(entries, separator, slotText);
    }
    if (status != kOk) slotText[0] = '\0';
    DestroyRecordArray(entries);
    return status;
}

}  // namespace pat
