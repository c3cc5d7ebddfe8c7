// The two binaries give the same bytes: each scenario runs against libpat.so
// and against pat.dll, and the transcripts of what they returned and wrote
// must be equal. A conversion or text export joins as one more row.
#include <gtest/gtest.h>

#include "contract/export_table.h"
#include "contract/host_side.h"

namespace pat::test {
namespace {

constexpr uint32_t kEveryCategory = PAT_CAT_STATUS | PAT_CAT_CONFIG | PAT_CAT_INTRAYS | PAT_CAT_OUTBINS |
                                    PAT_CAT_EMULATIONS | PAT_CAT_FONTS | PAT_CAT_IDENTITY | PAT_CAT_OPTIONS |
                                    PAT_CAT_ENGINE_STATUS;

const char kConfigAnswer[] =
    "@PJL INFO CONFIG\r\nIN TRAYS [3 ENUMERATED]\r\n\tINTRAY1\r\n\tINTRAY2\r\n\tINTRAYMANUAL\r\n"
    "IN TRAYS ATTRIBUTE [2 ENUMERATED]\r\n\tINTRAY3 TANDEM\r\n\tINTRAYLCT STANDARD\r\n"
    "VERSION [2 ENUMERATED]\r\n\tFIRMWARE 1.10\r\n\tVORD 2.00\r\nMEMORY=16777216\r\n\f";
const char kDeviceId[] = "MFG:Maker;MDL:Model 7;DES:Desk printer;CMD:PJL,PCL;STS:20002/10001,1,Tray 2 empty;"
                         "RIJ:1234/50,60;";

// What a printer answers to each line of a request.
std::string AnswersTo(const std::string &request) {
    std::string answers;
    for (size_t at = 0, end; (end = request.find("\r\n", at)) != std::string::npos; at = end + 2) {
        std::string line = request.substr(at, end - at);
        if (line == "@PJL INFO CONFIG") answers += kConfigAnswer;
        else if (line == "@PJL INFO OUTBINSTATUS") answers += line + "\r\nUPPER=PAPEREXIST\r\nLOWER=FULL\r\n\f";
        else if (line.rfind("@PJL INQUIRE ", 0) == 0) {
            const char *value = line.size() > 4 && line.compare(line.size() - 4, 4, "SIZE") == 0    ? "A4SRT"
                                : line.size() > 5 && line.compare(line.size() - 5, 5, "QUANT") == 0 ? "2/5"
                                                                                                     : "LOCKED";
            answers += line + "\r\n" + value + "\r\n\f";
        }
    }
    return answers;
}

// A whole poll: a request for every category, the printer's answers to it
// and its device ID, applied to the record.
void Poll(const ModuleUnderTest &m, PrnInfoEx *record, Transcript *t) {
    DataNode *query = reinterpret_cast<DataNode *>(m.Call("PatCreateQueryInfo", record, 2, kEveryCategory));
    t->Result("PatCreateQueryInfo", query != nullptr, m);
    t->Tree("request", query);
    if (query == nullptr) return;
    DataNode *root = HostNode(m, 2, "");
    AppendChild(root, query);
    AppendChild(root, HostNode(m, 1000, AnswersTo(ChildText(query, 1000))));
    AppendChild(root, HostNode(m, 1002, kDeviceId));
    t->Result("PatSetCentroDataTo", m.Call("PatSetCentroDataTo", root, 0x12345678, record, 2), m);
    t->Record("record", *record);
    FreeTree(m, root);
}

void NullArguments(const ModuleUnderTest &m, Transcript *t) {
    const uint32_t zeros[8] = {};
    for (const ExportRow &row : kExports) t->Result(row.name, m.CallWords(row.name, zeros, row.arguments), m);
}

void Queries(const ModuleUnderTest &m, Transcript *t) {
    PrnInfoEx record = {};
    record.dwSize = PAT_PRNINFOEX_MIN_SIZE;
    for (uint32_t mask : {kEveryCategory, PAT_CAT_CONFIG | PAT_CAT_OUTBINS, PAT_CAT_IDENTITY, 0u}) {
        DataNode *query = reinterpret_cast<DataNode *>(m.Call("PatCreateQueryInfo", &record, 0x102, mask));
        t->Result("PatCreateQueryInfo", query != nullptr, m);
        t->Tree("request", query);
        FreeTree(m, query);
    }
    t->Result("wrong revision", m.Call("PatCreateQueryInfo", &record, 3, kEveryCategory), m);
    int context = 0;
    DataNode *emulation = reinterpret_cast<DataNode *>(m.Call("PatCreateEmulUniqQueryInfo", &context, 2, 15, 0));
    t->Result("PatCreateEmulUniqQueryInfo", emulation != nullptr, m);
    t->Tree("emulation request", emulation);
    FreeTree(m, emulation);
}

void FlatRecordAfterAPoll(const ModuleUnderTest &m, Transcript *t) {
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    Poll(m, &record, t);
    PrnInfo flat;
    memset(&flat, 0xEE, sizeof flat);
    t->Result("PatPrnInfoExToPrnInfo", m.Call("PatPrnInfoExToPrnInfo", &record, &flat, kEveryCategory),
              m);
    t->Bytes("PrnInfo", &flat, sizeof flat);
    FreeRecord(m, &record);
}

constexpr uint32_t kAbsent = PAT_PM_ABSENT;
template <typename T = void>
T *AbsentPointer() {
    return reinterpret_cast<T *>(uintptr_t{kAbsent});
}

// A record converted from a host block, then flattened.
void ConvertAndFlatten(const ModuleUnderTest &m, uint32_t deviceClass, const void *block, uint32_t revision,
                       uint32_t mask, Transcript *t) {
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    t->Result("PatPMInfoToPrnInfoEx", m.Call("PatPMInfoToPrnInfoEx", deviceClass, block, revision, mask, &record), m);
    t->Record("record", record);
    PrnInfo flat;
    memset(&flat, 0xEE, sizeof flat);
    t->Result("PatPrnInfoExToPrnInfo", m.Call("PatPrnInfoExToPrnInfo", &record, &flat, kEveryCategory), m);
    t->Bytes("PrnInfo", &flat, sizeof flat);
    FreeRecord(m, &record);
}

void StatusBlock(const ModuleUnderTest &m, Transcript *t) {
    PMStatusWord word = {0x08400001};
    PMEmulationRecord vord = {0, "V1", "VORD"}, ps = {0, "3011", "Adobe PostScript 3"}, other = {0, "9", nullptr};
    PMEngineStatusRecord jam = {0, 0x12345, "Jam", 5}, silent = {0, kAbsent, AbsentPointer<char>(), 0};
    PMFontRecord font = {"Courier"};
    PMCopyGuardRecord guard = {0, 1};
    void *emulations[] = {&vord, nullptr, &ps, AbsentPointer(), &other}, *statuses[] = {&jam, &silent}, *fonts[] = {&font};
    PMList emulationList = {5, emulations}, statusList = {2, statuses}, fontList = {1, fonts};
    PMInfoStatus block = {&word, &fontList, &emulationList, {}, &statusList, {}, &guard};
    ConvertAndFlatten(m, PAT_CLASS_STATUS, &block, 'd', 0xFFFFFFFF, t);
    ConvertAndFlatten(m, PAT_CLASS_STATUS | PAT_CLASS_SUPPRESS, &block, 'd', PAT_PMSTATUS_WORD | PAT_PMSTATUS_ENGINE, t);
}

void ConfigurationBlock(const ModuleUnderTest &m, Transcript *t) {
    PMModelRecord model = {"M9", "1.0", 1048575, 0, "Maker"};
    uint32_t mask[2] = {0x5, 0x1};
    PMTrayRecord tray2 = {"Tray 2", 0x200, {}, 210, 297, {}, "Plain", {}, 0x1, mask, 0, 0};
    PMTrayRecord roll = {"Bypass Tray", kAbsent, {}, kAbsent, 914, {}, nullptr, {}, kAbsent};
    PMTrayRecordEx trayEx = {"Tray 3", 50, {}, 297, 420, "Recycled", {}, 0x2, 0, 0};
    PMBinRecord full = {"Finisher Tray", 0x1}, unnamed = {nullptr, kAbsent};
    PMOptionRecord option = {5}, silent = {kAbsent};
    uint32_t five = 5, f2008 = 2008;
    PMPackageRecord active = {"604271958-X", "text", 1}, idle = {"604271958", nullptr, kAbsent};
    PMPackageRecord *funcs[] = {&active, &idle}, *sales[] = {&active};
    PMPackageBlock packages = {1, sales, 2, funcs};
    void *trays[] = {&tray2, nullptr, &roll}, *traysEx[] = {&trayEx}, *bins[] = {&full, &unnamed};
    void *options[] = {&option, &silent}, *functions[] = {&five, &f2008};
    PMList trayList = {3, trays}, trayExList = {1, traysEx}, binList = {2, bins}, optionList = {2, options},
           functionList = {2, functions};
    PMInfoConfig block = {&model, &trayList, &binList, {}, &optionList, &functionList, {}, &trayExList, &packages};
    ConvertAndFlatten(m, PAT_CLASS_CONFIG, &block, 'h', 0xFFFFFFFF, t);
    ConvertAndFlatten(m, PAT_CLASS_CONFIG, &block, 'h', PAT_PMCONFIG_TRAYS_EX | PAT_PMCONFIG_SALESPKG, t);
    ConvertAndFlatten(m, PAT_CLASS_CONFIG, &block, 'd', 0xFFFFFFFF, t);  // the other class's revision
}

// The status text, device names, help-file name and locale after a poll.
void Texts(const ModuleUnderTest &m, Transcript *t) {
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    Poll(m, &record, t);
    PrnInfoEx *pointer = &record;
    DataNode *status = HostNode(m, 10, "");
    for (uint32_t tag : {2u, 1u}) {
        DataNode *child = static_cast<DataNode *>(m.globalAlloc(0x40, sizeof(DataNode) + 4));
        child->tag = tag;
        child->payloadLength = 4;
        memcpy(child + 1, &pointer, 4);
        AppendChild(status, child);
    }
    char text[600];
    const uint32_t deviceKey = 7;
    for (uint32_t deviceClass : {1u, 0x8000u}) {
        for (uint32_t capacity : {0u, 600u}) {
            uint32_t length = capacity;
            memset(text, 0xCD, sizeof text);
            t->Result("PatGetStatusString", m.Call("PatGetStatusString", deviceClass, status, 3, 0, text, &length), m);
            t->Bytes("text", text, sizeof text);
            t->Bytes("length", &length, 4);
            length = capacity;
            t->Result("PatGetStatusHelpFileName",
                      m.Call("PatGetStatusHelpFileName", deviceClass, &record, 0, text, &length), m);
            t->Bytes("text", text, sizeof text);
            t->Bytes("length", &length, 4);
        }
    }
    const struct {
        uint32_t kind;
        const void *source;
        uint32_t revision;
    } names[] = {{1, "Tray 1", 0x97}, {2, "Finisher Shift Tray", 0x97}, {3, &deviceKey, 0x96}, {3, &deviceKey, 0x97}};
    for (const auto &name : names) {
        uint32_t length = 600;
        memset(text, 0xCD, sizeof text);
        t->Result("PatGetDeviceName", m.Call("PatGetDeviceName", name.kind, name.source, name.revision, text, &length), m);
        t->Bytes("text", text, sizeof text);
        t->Bytes("length", &length, 4);
    }
    for (const char *locale : {"en-US", "ja-JP", ""}) t->Result(locale, m.Call("PatSetLocale", locale), m);
    FreeTree(m, status);
    FreeRecord(m, &record);
}

void VersionBlocks(const ModuleUnderTest &m, Transcript *t) {
    for (uint32_t size : {32u, 31u, 100u}) {
        uint8_t block[100];
        memset(block, 0xCD, sizeof block);
        memcpy(block, &size, 4);
        t->Result("PatGetDllVersion", m.Call("PatGetDllVersion", block), m);
        t->Bytes("DllVersion", block, sizeof block);
    }
}

void ProfileBlocks(const ModuleUnderTest &m, Transcript *t) {
    for (uint32_t deviceClass : {1u, 0x8000u, 0x00018000u, 0x00010001u, 2u, 0u}) {
        for (uint32_t length : {20u, 19u, 64u}) {
            uint8_t block[64];
            memset(block, 0xCD, sizeof block);
            t->Result("PatGetPeripheralProfile", m.Call("PatGetPeripheralProfile", deviceClass, block, &length),
                      m);
            t->Bytes("PeripheralProfile", block, sizeof block);
            t->Bytes("length", &length, sizeof length);
        }
    }
}

void ImagesAndPalette(const ModuleUnderTest &m, Transcript *t) {
    uint8_t palette[1024];
    memset(palette, 0xCD, sizeof palette);
    for (uint32_t length : {0u, 1024u}) {
        t->Result("PatGetPalette", m.Call("PatGetPalette", palette, &length), m);
        t->Bytes("length", &length, sizeof length);
    }
    t->Bytes("palette", palette, sizeof palette);
    t->Result("PatLoadBitmap", m.Call("PatLoadBitmap", "STATUS"), m);
    t->Result("PatLoadDIBitmap", m.Call("PatLoadDIBitmap", "STATUS"), m);
    t->Result("PatCreateBitmapInfo", m.Call("PatCreateBitmapInfo", 1, 2, 3), m);
}

struct Scenario {
    const char *name;
    void (*run)(const ModuleUnderTest &, Transcript *);
};

const Scenario kScenarios[] = {
    {"NullArguments", NullArguments},
    {"Queries", Queries},
    {"FlatRecordAfterAPoll", FlatRecordAfterAPoll},
    {"StatusBlock", StatusBlock},
    {"ConfigurationBlock", ConfigurationBlock},
    {"Texts", Texts},
    {"VersionBlocks", VersionBlocks},
    {"ProfileBlocks", ProfileBlocks},
    {"ImagesAndPalette", ImagesAndPalette},
};

class SameBytes : public testing::TestWithParam<Scenario> {};

TEST_P(SameBytes, FromBothBinaries) {
    const ModuleUnderTest &so = SharedObject(), &dll = Dll();
    ASSERT_TRUE(so.Loaded()) << so.LoadError();
    ASSERT_TRUE(dll.Loaded()) << dll.LoadError();
    Transcript fromSharedObject, fromDll;
    GetParam().run(so, &fromSharedObject);
    GetParam().run(dll, &fromDll);
    EXPECT_EQ(fromSharedObject.Text(), fromDll.Text());
}

INSTANTIATE_TEST_SUITE_P(Scenarios, SameBytes, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<Scenario> &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pat::test
