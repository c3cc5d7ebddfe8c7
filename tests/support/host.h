// Test helpers that play the host: records and trees allocated and released
// the way a host does it (every block with GlobalFree), and configuration
// overrides for the length of a test.
#ifndef PAT_TESTS_SUPPORT_HOST_H
#define PAT_TESTS_SUPPORT_HOST_H

#include <string.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "api/module_config.h"
#include "core/data_node.h"
#include "core/record_invariants.h"
#include "pat/pat.h"
#include "platform/platform.h"

namespace pat::test {

// Frees every list item and string of a record with GlobalFree, as a host
// discarding it does, and zeroes the pointers and counts.
void FreeRecordAsHost(PrnInfoEx *record);

// Frees a node, its subtree and its following siblings with GlobalFree.
void FreeTreeAsHost(DataNode *node);

// A zeroed record of the smallest accepted size, released as a host would.
class HostRecord {
public:
    HostRecord() {
        memset(&record_, 0, sizeof record_);
        record_.dwSize = PAT_PRNINFOEX_MIN_SIZE;
    }
    // Whatever a test did, the record it leaves must be consistent.
    ~HostRecord() {
        const char *violation = FindRecordViolation(&record_);
        EXPECT_EQ(violation, nullptr) << "record inconsistent at " << violation;
        FreeRecordAsHost(&record_);
    }
    HostRecord(const HostRecord &) = delete;
    HostRecord &operator=(const HostRecord &) = delete;
    PrnInfoEx *get() { return &record_; }
    PrnInfoEx *operator->() { return &record_; }

private:
    PrnInfoEx record_;
};

// Owns a tree handed out by the module; frees it as the host would.
class HostTree {
public:
    explicit HostTree(DataNode *root = nullptr) : root_(root) {}
    ~HostTree() { FreeTreeAsHost(root_); }
    HostTree(const HostTree &) = delete;
    HostTree &operator=(const HostTree &) = delete;
    DataNode *get() const { return root_; }
    DataNode *operator->() const { return root_; }
    void reset(DataNode *root) {
        FreeTreeAsHost(root_);
        root_ = root;
    }

private:
    DataNode *root_;
};

// Installs a configuration for the scope's duration.
class ScopedConfig {
public:
    explicit ScopedConfig(const ModuleConfig &config) : previous_(InstallConfig(&config)) {}
    ~ScopedConfig() { InstallConfig(previous_); }

private:
    const ModuleConfig *previous_;
};

// The items of a chain, in order.
template <typename Item>
std::vector<Item *> Items(Item *head) {
    std::vector<Item *> items;
    for (InfoItem *at = reinterpret_cast<InfoItem *>(head); at != nullptr; at = at->next)
        items.push_back(reinterpret_cast<Item *>(at));
    return items;
}

// Payload text of a node (without the terminating NUL when present).
std::string PayloadText(const DataNode *node);

}  // namespace pat::test

#endif
