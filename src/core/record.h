// Keyed access to the host's PrnInfoEx: its six strings and fourteen lists are
// reached by key name, never by position.
#ifndef PAT_CORE_RECORD_H
#define PAT_CORE_RECORD_H

#include <stdint.h>

#include "core/item_chain.h"
#include "core/record_keys.h"
#include "pat/pat.h"

namespace pat {

// Where a list lives inside a record.
struct ListRef {
    InfoItem *head;
    InfoItem **headField;
    uint32_t *countField;
};

// Finds the list of key; false for a key that names no list.
bool LocateList(PrnInfoEx *record, const char *key, ListRef *list);

// The head of key's list, or null (also for an unknown key).
InfoItem *ListHead(PrnInfoEx *record, const char *key);

// Appends item to key's list and counts it. 1, or 0 for an unknown key.
int AddItem(PrnInfoEx *record, const char *key, InfoItem *item);

// Frees every item of key's list; head null, count 0. 1, or 0 for an unknown key.
int ClearList(PrnInfoEx *record, const char *key);

// Unlinks and frees item from key's list and counts it out when it was there.
void RemoveListItem(PrnInfoEx *record, const char *key, InfoItem *item);

// Replaces the string of key by a copy of text. 0 for an unknown key (nothing
// changed) or when the copy cannot be allocated (the field is then null).
int SetString(PrnInfoEx *record, const char *key, const char *text);

// 1 when "pDeviceInfo" holds an item whose code is code's low 16 bits.
int HasDevice(PrnInfoEx *record, uint32_t code);

// Adds an engine status with code in both code fields and an empty text.
int AddEngineStatus(PrnInfoEx *record, uint32_t code);

// The list and string keys, in the order they are tried: index < count.
uint32_t ListKeyCount();
const char *ListKeyName(uint32_t index);
uint32_t StringKeyCount();
const char *StringKeyName(uint32_t index);

// The field of a string key, or null for a key that names no string.
char **StringField(PrnInfoEx *record, const char *key);

// The item size of key's list (the layout the host reads), 0 for no list.
// "pColorCorrection" and "pCustomMediaInfo" have no layout of the module's.
uint32_t ItemSizeOf(const char *key);

// Allocates a zero-filled item of key's layout; null on failure or unknown key.
InfoItem *AllocateListItem(const char *key);

// Typed allocation for the layouts of pat.h: zero-filled, `size` set.
template <typename Item>
Item *NewItem() {
    return reinterpret_cast<Item *>(AllocateItem(sizeof(Item)));
}

// Copies text into a fixed field of width bytes: at most width - 1
// characters, always terminated.
void CopyToField(char *field, uint32_t width, const char *text);

}  // namespace pat

#endif
