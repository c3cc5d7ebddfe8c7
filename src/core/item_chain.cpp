#include "core/item_chain.h"

#include <string.h>

#include "platform/platform.h"

namespace pat {

InfoItem *AllocateItem(uint32_t size) {
    if (size < sizeof(InfoItem)) return nullptr;
    InfoItem *item = static_cast<InfoItem *>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, size));
    if (item == nullptr) return nullptr;
    item->next = nullptr;
    item->size = size;
    return item;
}

InfoItem *FreeChain(InfoItem *head) {
    while (head != nullptr) {
        InfoItem *next = head->next;
        GlobalFree(head);
        head = next;
    }
    return nullptr;
}

InfoItem *FindItemByCode(InfoItem *head, uint32_t code) {
    for (; head != nullptr; head = head->next)
        if (ItemCode(head) == code) return head;
    return nullptr;
}

InfoItem *AppendItem(InfoItem *head, InfoItem *item) {
    if (head == nullptr) return item;
    InfoItem *last = head;
    while (last->next != nullptr) last = last->next;
    last->next = item;
    return head;
}

InfoItem *RemoveItem(InfoItem *head, InfoItem *item) {
    if (head == nullptr || item == nullptr) return head;
    if (head == item) {
        InfoItem *next = item->next;
        GlobalFree(item);
        return next;
    }
    for (InfoItem *at = head; at->next != nullptr; at = at->next) {
        if (at->next == item) {
            at->next = item->next;
            GlobalFree(item);
            break;
        }
    }
    return head;
}

int32_t NameToCode(const char *name, const NameCodeRow *table) {
    if (name == nullptr || table == nullptr) return -1;
    for (; table->name != nullptr; ++table)
        if (strcmp(table->name, name) == 0) return table->code;
    return table->code;
}

}  // namespace pat
