// What the host owns across the module boundary: its PrnInfoEx record, whose
// items and strings the module allocates, and the request trees the module
// hands out. Both are released block by block with the module's GlobalFree.
#ifndef PAT_HOST_MODULE_OBJECTS_H
#define PAT_HOST_MODULE_OBJECTS_H

#include <string>
#include <vector>

#include "pat/pat.h"

namespace pathost {

class Module;

// A zeroed record of the smallest size the exports accept.
class HostRecord {
public:
    explicit HostRecord(const Module &module);
    ~HostRecord();
    HostRecord(const HostRecord &) = delete;
    HostRecord &operator=(const HostRecord &) = delete;
    PrnInfoEx *get() { return &record_; }
    const PrnInfoEx &operator*() const { return record_; }
    const PrnInfoEx *operator->() const { return &record_; }
    // Adds a tray item the way the module does, so a query asks for it.
    void AddTray(uint16_t code);

private:
    const Module &module_;
    PrnInfoEx record_;
};

// Frees every item and string of a record with the module's GlobalFree and
// zeroes it.
void FreeRecordContents(const Module &module, PrnInfoEx *record);

// A tree handed out by the module (QueryInfo, EmulUniqQueryInfo).
class ModuleTree {
public:
    ModuleTree() = default;
    ModuleTree(const Module &module, DataNode *root) : module_(&module), root_(root) {}
    ~ModuleTree();
    ModuleTree(ModuleTree &&other) noexcept : module_(other.module_), root_(other.root_) { other.root_ = nullptr; }
    ModuleTree &operator=(ModuleTree &&other) noexcept;
    ModuleTree(const ModuleTree &) = delete;
    ModuleTree &operator=(const ModuleTree &) = delete;
    DataNode *get() const { return root_; }

private:
    const Module *module_ = nullptr;
    DataNode *root_ = nullptr;
};

// The items of a list, head first.
template <typename Item>
std::vector<const Item *> ListItems(const Item *head) {
    std::vector<const Item *> items;
    // Every item starts with its InfoItem header.
    for (const Item *item = head; item != nullptr;
         item = reinterpret_cast<const Item *>(reinterpret_cast<const InfoItem *>(item)->next))
        items.push_back(item);
    return items;
}

// The child of a tree node with a given tag, or null.
const DataNode *FindChild(const DataNode *node, uint32_t tag);
// The payload of a text node without its terminating NUL.
std::string TextPayload(const DataNode *node);

// "0x20000002"
std::string HexCode(uint32_t code);
// What a last-error value of the module means, in a few words.
std::string ErrorMeaning(uint32_t code);

// "PatCreateQueryInfo failed with 0x00000008 (not enough memory)": an export
// that refused where the host cannot go on.
std::string RefusalText(const std::string &call, uint32_t lastError);

}  // namespace pathost

#endif
