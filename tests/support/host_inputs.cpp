#include "support/host_inputs.h"

#include "core/data_node.h"
#include "core/record.h"

namespace pat::test {

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

template <typename Record>
PMList ListOf(Record *records, void **pointers, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) pointers[i] = &records[i];
    return {count, pointers};
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

PMConfigBlock::PMConfigBlock(uint32_t trayCount) {
    const uint32_t sizes[][2] = {{210, 297}, {297, 210}, {355, 209}, {300, 300}, {0xFFFFFFFF, 914}, {235, 120}};
    const char *names[] = {"Tray 1", "Tray 2", "Tray 7 -Small Paper", "LCT", "Unlisted Tray", "Bypass Tray"};
    trays_.resize(trayCount);
    for (uint32_t i = 0; i < trayCount; ++i) {
        PMTrayRecord &t = trays_[i];
        t = {};
        t.pszName = names[i % 6];
        t.dwLevel = 0x200;
        t.dwWidth = sizes[i % 6][0];
        t.dwHeight = sizes[i % 6][1];
        t.dwMedia = i % 3 == 0 ? 0x800000 : 0x400;
        t.pMediaMask = mask_;
        t.dwSizeSelect = i % 2 == 0 ? 0xFFFFFFFF : 0;
        trayPointers_.push_back(&t);
    }
    for (int i = 0; i < 16; ++i) binPointers_.push_back(i % 2 ? &full_ : &mailbox_);
    for (int i = 0; i < 4; ++i) functionPointers_.push_back(&functions_[i]);
    trayList_ = {trayCount, trayPointers_.data()};
    binList_ = {16, binPointers_.data()};
    optionList_ = {1, optionPointers_};
    functionList_ = {4, functionPointers_.data()};
    block_ = {&model_, &trayList_, &binList_, {}, &optionList_, &functionList_, {}, nullptr, &packages_};
}

PMStatusBlock::PMStatusBlock()
    : emulationList_(ListOf(emulations_, emulationPointers_, 3)),
      fontList_(ListOf(fonts_, fontPointers_, 2)),
      statusList_(ListOf(statuses_, statusPointers_, 4)),
      block_{&word_, &fontList_, &emulationList_, {}, &statusList_, {}, &guard_} {}

}  // namespace pat::test
