#include "contract/host_side.h"

#include <stdio.h>
#include <string.h>

#include <gtest/gtest.h>

namespace pat::test {

namespace {

std::string Escaped(const void *data, size_t size) {
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        uint8_t b = static_cast<const uint8_t *>(data)[i];
        char escape[8];
        snprintf(escape, sizeof escape, "\\x%02X", b);
        text += b >= 0x20 && b < 0x7F && b != '\\' ? std::string(1, static_cast<char>(b)) : escape;
    }
    return text;
}

struct ListField {
    const char *name;
    size_t count, head;
};
struct StringField {
    const char *name;
    size_t at;
};

#define PAT_LIST(x) {"p" #x, offsetof(PrnInfoEx, dw##x##Count), offsetof(PrnInfoEx, p##x)}
const ListField kLists[] = {
    PAT_LIST(EngineStatus),     PAT_LIST(LoadedEmul),  PAT_LIST(LoadedFont),   PAT_LIST(TrayInfo),
    PAT_LIST(OutBinInfo),       PAT_LIST(DeviceInfo),  PAT_LIST(EmulUniqInfo), PAT_LIST(CounterInfo),
    PAT_LIST(SupplyInfo),       PAT_LIST(ColorCorrection), PAT_LIST(CustomMediaInfo), PAT_LIST(FuncpkgInfo),
    PAT_LIST(FuncInfo),         PAT_LIST(SalespkgInfo),
};
#define PAT_STRING(x) {"p" #x, offsetof(PrnInfoEx, p##x)}
const StringField kStrings[] = {PAT_STRING(ModelName),  PAT_STRING(MakerName),       PAT_STRING(Description),
                                PAT_STRING(SYSVersion), PAT_STRING(MainProgVersion), PAT_STRING(KVNVersion)};

template <typename T>
T &FieldAt(PrnInfoEx &record, size_t at) {
    return *reinterpret_cast<T *>(reinterpret_cast<uint8_t *>(&record) + at);
}

}  // namespace

DataNode *HostNode(const ModuleUnderTest &module, uint32_t tag, const std::string &payload) {
    uint32_t length = static_cast<uint32_t>(payload.empty() ? 0 : payload.size() + 1);
    DataNode *node = static_cast<DataNode *>(module.globalAlloc(0x40, sizeof(DataNode) + length));
    node->tag = tag;
    node->payloadLength = length;
    memcpy(node + 1, payload.c_str(), length);
    return node;
}

void AppendChild(DataNode *parent, DataNode *child) {
    child->parent = parent;
    if (parent->lastChild != nullptr) parent->lastChild->nextSibling = child;
    else parent->firstChild = child;
    parent->lastChild = child;
}

void FreeTree(const ModuleUnderTest &module, DataNode *node) {
    while (node != nullptr) {
        DataNode *next = node->nextSibling;
        FreeTree(module, node->firstChild);
        EXPECT_EQ(module.globalFree(node), nullptr) << module.Name() << ": a tree node is not a block of its heap";
        node = next;
    }
}

void FreeRecord(const ModuleUnderTest &module, PrnInfoEx *record) {
    for (const ListField &list : kLists) {
        for (InfoItem *item = FieldAt<InfoItem *>(*record, list.head); item != nullptr;) {
            InfoItem *next = item->next;
            EXPECT_EQ(module.globalFree(item), nullptr) << module.Name() << ": an item of " << list.name;
            item = next;
        }
        FieldAt<InfoItem *>(*record, list.head) = nullptr;
        FieldAt<uint32_t>(*record, list.count) = 0;
    }
    for (const StringField &string : kStrings) {
        char *&text = FieldAt<char *>(*record, string.at);
        if (text != nullptr) EXPECT_EQ(module.globalFree(text), nullptr) << module.Name() << ": " << string.name;
        text = nullptr;
    }
}

std::string ChildText(const DataNode *root, uint32_t tag) {
    for (const DataNode *child = root->firstChild; child != nullptr; child = child->nextSibling)
        if (child->tag == tag)
            return std::string(reinterpret_cast<const char *>(child + 1), strnlen(reinterpret_cast<const char *>(child + 1), child->payloadLength));
    return "";
}

void Transcript::Result(const char *what, uint32_t result, const ModuleUnderTest &module) {
    char line[128];
    snprintf(line, sizeof line, "%s: returned %08X, last error %08X\n", what, result, module.getLastError());
    text_ += line;
}

void Transcript::Bytes(const char *what, const void *data, size_t size) {
    text_ += std::string(what) + ": " + Escaped(data, size) + "\n";
}

void Transcript::Tree(const char *what, const DataNode *root) {
    text_ += std::string(what) + ":\n";
    if (root == nullptr) text_ += "  (none)\n";
    else Node(root, nullptr, 1);
}

void Transcript::Node(const DataNode *node, const DataNode *parent, int depth) {
    char line[96];
    snprintf(line, sizeof line, "%*stag %u, %u bytes%s: ", depth * 2, "", node->tag, node->payloadLength,
             node->parent == parent ? "" : " (parent link broken)");
    text_ += line + Escaped(node + 1, node->payloadLength) + "\n";
    const DataNode *last = nullptr;
    for (const DataNode *child = node->firstChild; child != nullptr; child = child->nextSibling) {
        Node(child, node, depth + 1);
        last = child;
    }
    if (node->lastChild != last) text_ += std::string(depth * 2, ' ') + "(last-child link broken)\n";
}

void Transcript::Record(const char *what, const PrnInfoEx &record) {
    PrnInfoEx fixed = record;  // the pointers differ by nature; what they point to must not
    for (const ListField &list : kLists) FieldAt<void *>(fixed, list.head) = nullptr;
    for (const StringField &string : kStrings) FieldAt<void *>(fixed, string.at) = nullptr;
    Bytes(what, &fixed, sizeof fixed);
    PrnInfoEx &walked = const_cast<PrnInfoEx &>(record);
    for (const ListField &list : kLists) {
        int index = 0;
        for (InfoItem *item = FieldAt<InfoItem *>(walked, list.head); item != nullptr; item = item->next, ++index) {
            std::string label = std::string("  ") + list.name + "[" + std::to_string(index) + "]";
            Bytes(label.c_str(), &item->size, item->size < 4096 && item->size >= 8 ? item->size - 4 : 4);
        }
    }
    for (const StringField &string : kStrings) {
        const char *text = FieldAt<char *>(walked, string.at);
        Bytes((std::string("  ") + string.name).c_str(), text != nullptr ? text : "(null)",
              text != nullptr ? strlen(text) + 1 : 6);
    }
}

}  // namespace pat::test
