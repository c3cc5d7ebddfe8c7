#include "poll_scenario.h"

#include <string.h>

#include "core/data_node.h"
#include "core/record.h"
#include "platform/platform.h"

namespace pat::bench {

namespace {

const char *const kTrays[] = {"1", "2", "3", "4", "5", "6", "7", "LCT"};
const uint16_t kTrayCodes[] = {3, 4, 5, 6, 7, 8, 9, 11};

std::string InfoConfig(int scale) {
    // The eight trays the record lists: 3, 4, 6 to 9 plainly, 5 and 11 by attribute.
    std::string text = "@PJL INFO CONFIG\r\nIN TRAYS [" + std::to_string(6 * scale) + " ENUMERATED]\r\n";
    for (int i = 0; i < scale; ++i)
        text += "\tINTRAY1\r\n\tINTRAY2\r\n\tINTRAY4\r\n\tINTRAY5\r\n\tINTRAY6\r\n\tINTRAY7\r\n";
    text += "IN TRAYS ATTRIBUTE [2 ENUMERATED]\r\n\tINTRAY3 STANDARD\r\n\tINTRAYLCT STANDARD\r\n";
    text += "VERSION [" + std::to_string(3 * scale) + " ENUMERATED]\r\n";
    for (int i = 0; i < scale; ++i) text += "\tFIRMWARE 1.10\r\n\tVORD 2.00\r\n\tZOLT 3.00\r\n";
    return text + "MEMORY=16777216\r\n\f";
}

}  // namespace

std::string PollAnswer(int scale) {
    std::string text = "\x1B%-12345X" + InfoConfig(scale);
    for (int i = 0; i < scale; ++i) {
        for (const char *t : kTrays) {
            text += std::string("@PJL INQUIRE INTRAY") + t + "SIZE\r\nA4SRT\r\n\f";
            text += std::string("@PJL INQUIRE INTRAY") + t + "QUANT\r\n3/5\r\n\f";
            text += std::string("@PJL INQUIRE INTRAY") + t + "\r\nUNLOCKED\r\n\f";
        }
    }
    text += "@PJL INFO OUTBINSTATUS\r\n";
    for (int i = 0; i < scale; ++i) text += "UPPER=READY\r\nLOWER=FULL\r\nINNER=PAPEREXIST\r\n";
    return text + "\f\x1B%-12345X";
}

std::string PollDeviceId() {
    return "MFG:Lanternfield;MDL:LP 9200;CMD:PJL,PCLXL,POSTSCRIPT;DES:Desk laser 9200;"
           "STS:10001/20002,1,Ready;RIJ:12345/50,60;";
}

void ListEightTrays(PrnInfoEx *record) {
    for (uint16_t code : kTrayCodes) {
        TrayInfo *tray = NewItem<TrayInfo>();
        tray->wTray = code;
        AddItem(record, keys::kTrayInfo, &tray->header);
    }
}

DataNode *BuildCentroData(PrnInfoEx *record, const std::string &answer, const std::string &deviceId) {
    DataNode *root = CreateNode(nullptr, PAT_TAG_CENTRO_ROOT, nullptr, 0);
    AppendChild(root, PatCreateQueryInfo(record, 2, kEveryCategory));
    CreateNode(root, PAT_TAG_PJL_TEXT, answer.c_str(), static_cast<uint32_t>(answer.size() + 1));
    CreateNode(root, PAT_TAG_DEVICE_ID, deviceId.c_str(), static_cast<uint32_t>(deviceId.size() + 1));
    return root;
}

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
