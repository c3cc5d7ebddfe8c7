#include "poll_scenario.h"

#include "core/data_node.h"
#include "core/record.h"
#include "platform/platform.h"

namespace pat::bench {

void FreeHostTree(DataNode *node) {
    while (node != nullptr) {
        DataNode *next = node->nextSibling;
        FreeHostTree(node->firstChild);
        GlobalFree(node);
        node = next;
    }
}

int RunPollCycle(PrnInfoEx *record, PrnInfo *flat, const std::string &answer, const std::string &deviceId) {
    DataNode *root = BuildCentroData(record, answer, deviceId);
    int result = PatSetCentroDataTo(root, 0, record, 2);
    if (result) result = PatPrnInfoExToPrnInfo(record, flat, kEveryCategory);
    FreeHostTree(root);
    return result;
}

uint32_t HandedBlocks(PrnInfoEx *record) {
    uint32_t blocks = 0;
    for (uint32_t i = 0; i < ListKeyCount(); ++i)
        for (InfoItem *item = ListHead(record, ListKeyName(i)); item != nullptr; item = item->next) ++blocks;
    for (uint32_t i = 0; i < StringKeyCount(); ++i) blocks += *StringField(record, StringKeyName(i)) != nullptr;
    return blocks;
}

void FreeRecordAsHost(PrnInfoEx *record) {
    for (uint32_t i = 0; i < ListKeyCount(); ++i) ClearList(record, ListKeyName(i));
    for (uint32_t i = 0; i < StringKeyCount(); ++i) {
        char **field = StringField(record, StringKeyName(i));
        GlobalFree(*field);
        *field = nullptr;
    }
}

}  // namespace pat::bench
