#include "core/record.h"

#include <stddef.h>
#include <string.h>

#include "platform/platform.h"

namespace pat {

namespace {

struct ListKey {
    const char *key;
    uint32_t countOffset;
    uint32_t headOffset;
    uint32_t itemSize;
};

// A list's count and head fields, by their names in PrnInfoEx.
#define PAT_LIST(count, head) offsetof(PrnInfoEx, count), offsetof(PrnInfoEx, head)

// Tried in this order; the first exact match wins.
const ListKey kListKeys[] = {
    {keys::kEngineStatus, PAT_LIST(dwEngineStatusCount, pEngineStatus), sizeof(EngineStatus)},
    {keys::kLoadedEmul, PAT_LIST(dwLoadedEmulCount, pLoadedEmul), sizeof(LoadedEmul)},
    {keys::kLoadedFont, PAT_LIST(dwLoadedFontCount, pLoadedFont), sizeof(LoadedFont)},
    {keys::kTrayInfo, PAT_LIST(dwTrayInfoCount, pTrayInfo), sizeof(TrayInfo)},
    {keys::kOutBinInfo, PAT_LIST(dwOutBinInfoCount, pOutBinInfo), sizeof(OutBinInfo)},
    {keys::kDeviceInfo, PAT_LIST(dwDeviceInfoCount, pDeviceInfo), sizeof(DeviceInfo)},
    {keys::kEmulUniqInfo, PAT_LIST(dwEmulUniqInfoCount, pEmulUniqInfo), sizeof(EmulUniqInfo)},
    {keys::kCounterInfo, PAT_LIST(dwCounterInfoCount, pCounterInfo), sizeof(CounterInfo)},
    {keys::kSupplyInfo, PAT_LIST(dwSupplyInfoCount, pSupplyInfo), sizeof(SupplyInfo)},
    {keys::kColorCorrection, PAT_LIST(dwColorCorrectionCount, pColorCorrection), 0},
    {keys::kCustomMediaInfo, PAT_LIST(dwCustomMediaInfoCount, pCustomMediaInfo), 0},
    {keys::kFuncInfo, PAT_LIST(dwFuncInfoCount, pFuncInfo), sizeof(FuncInfo)},
    {keys::kSalespkgInfo, PAT_LIST(dwSalespkgInfoCount, pSalespkgInfo), sizeof(SalespkgInfo)},
    {keys::kFuncpkgInfo, PAT_LIST(dwFuncpkgInfoCount, pFuncpkgInfo), sizeof(FuncpkgInfo)},
};

#undef PAT_LIST

struct StringKey {
    const char *key;
    uint32_t offset;
};

const StringKey kStringKeys[] = {
    {keys::kModelName, offsetof(PrnInfoEx, pModelName)},
    {keys::kMakerName, offsetof(PrnInfoEx, pMakerName)},
    {keys::kDescription, offsetof(PrnInfoEx, pDescription)},
    {keys::kSYSVersion, offsetof(PrnInfoEx, pSYSVersion)},
    {keys::kMainProgVersion, offsetof(PrnInfoEx, pMainProgVersion)},
    {keys::kKVNVersion, offsetof(PrnInfoEx, pKVNVersion)},
};

const ListKey *FindListKey(const char *key) {
    if (key == nullptr) return nullptr;
    for (const ListKey &k : kListKeys)
        if (strcmp(k.key, key) == 0) return &k;
    return nullptr;
}

template <typename T>
T *FieldAt(PrnInfoEx *record, uint32_t offset) {
    return reinterpret_cast<T *>(reinterpret_cast<uint8_t *>(record) + offset);
}

}  // namespace

bool LocateList(PrnInfoEx *record, const char *key, ListRef *list) {
    const ListKey *k = FindListKey(key);
    if (record == nullptr || k == nullptr) return false;
    list->headField = FieldAt<InfoItem *>(record, k->headOffset);
    list->countField = FieldAt<uint32_t>(record, k->countOffset);
    list->head = *list->headField;
    return true;
}

InfoItem *ListHead(PrnInfoEx *record, const char *key) {
    ListRef list;
    return LocateList(record, key, &list) ? list.head : nullptr;
}

int AddItem(PrnInfoEx *record, const char *key, InfoItem *item) {
    ListRef list;
    if (item == nullptr || !LocateList(record, key, &list)) return 0;
    *list.headField = AppendItem(list.head, item);
    ++*list.countField;
    return 1;
}

int ClearList(PrnInfoEx *record, const char *key) {
    ListRef list;
    if (!LocateList(record, key, &list)) return 0;
    *list.headField = FreeChain(list.head);
    *list.countField = 0;
    return 1;
}

void RemoveListItem(PrnInfoEx *record, const char *key, InfoItem *item) {
    ListRef list;
    if (item == nullptr || !LocateList(record, key, &list)) return;
    bool present = false;
    for (InfoItem *at = list.head; at != nullptr && !present; at = at->next) present = at == item;
    if (!present) return;
    *list.headField = RemoveItem(list.head, item);
    --*list.countField;
}

uint32_t ListKeyCount() { return sizeof kListKeys / sizeof kListKeys[0]; }
const char *ListKeyName(uint32_t index) { return kListKeys[index].key; }
uint32_t StringKeyCount() { return sizeof kStringKeys / sizeof kStringKeys[0]; }
const char *StringKeyName(uint32_t index) { return kStringKeys[index].key; }

char **StringField(PrnInfoEx *record, const char *key) {
    if (record == nullptr || key == nullptr) return nullptr;
    for (const StringKey &k : kStringKeys)
        if (strcmp(k.key, key) == 0) return FieldAt<char *>(record, k.offset);
    return nullptr;
}

int SetString(PrnInfoEx *record, const char *key, const char *text) {
    char **field = StringField(record, key);
    if (field == nullptr || text == nullptr) return 0;
    if (*field != nullptr) GlobalFree(*field);
    *field = nullptr;
    size_t length = strlen(text);
    char *copy = static_cast<char *>(GlobalAlloc(GMEM_FIXED, length + 1));
    if (copy == nullptr) return 0;
    memcpy(copy, text, length + 1);
    *field = copy;
    return 1;
}

int HasDevice(PrnInfoEx *record, uint32_t code) {
    return FindItemByCode(ListHead(record, keys::kDeviceInfo), code & 0xFFFFu) != nullptr ? 1 : 0;
}

int AddEngineStatus(PrnInfoEx *record, uint32_t code) {
    EngineStatus *item = NewItem<EngineStatus>();
    if (item == nullptr) return 0;
    item->wStatus = static_cast<uint16_t>(code);
    item->dwStatus = code;
    if (AddItem(record, keys::kEngineStatus, &item->header)) return 1;
    GlobalFree(item);
    return 0;
}

uint32_t ItemSizeOf(const char *key) {
    const ListKey *k = FindListKey(key);
    return k == nullptr ? 0 : k->itemSize;
}

InfoItem *AllocateListItem(const char *key) {
    uint32_t size = ItemSizeOf(key);
    return size == 0 ? nullptr : AllocateItem(size);
}

void CopyToField(char *field, uint32_t width, const char *text) {
    if (width == 0) return;
    uint32_t n = 0;
    if (text != nullptr)
        while (n + 1 < width && text[n] != '\0') ++n;
    if (n != 0) memcpy(field, text, n);
    field[n] = '\0';
}

}  // namespace pat
