// What a host does with a binary's heap: builds its CentroData nodes there,
// releases request trees and record contents with the binary's GlobalFree,
// and writes down what it got back (Transcript), so that the two binaries
// can be compared byte for byte.
#ifndef PAT_TESTS_CONTRACT_HOST_SIDE_H
#define PAT_TESTS_CONTRACT_HOST_SIDE_H

#include <string>

#include "contract/module_under_test.h"
#include "pat/pat.h"

namespace pat::test {

// A node in the binary's heap; a non-empty text payload keeps its NUL.
DataNode *HostNode(const ModuleUnderTest &module, uint32_t tag, const std::string &payload);
void AppendChild(DataNode *parent, DataNode *child);
void FreeTree(const ModuleUnderTest &module, DataNode *node);  // with its following siblings
void FreeRecord(const ModuleUnderTest &module, PrnInfoEx *record);

// The payload of a tree's first child with the given tag, as text.
std::string ChildText(const DataNode *root, uint32_t tag);

// One labelled line per item: results and last errors in hex, blocks as
// escaped bytes, trees and records with their pointers replaced by what
// they point to.
class Transcript {
public:
    // Reads the last error itself: only once the call's result is in hand.
    void Result(const char *what, uint32_t result, const ModuleUnderTest &module);
    void Bytes(const char *what, const void *data, size_t size);
    void Tree(const char *what, const DataNode *root);
    void Record(const char *what, const PrnInfoEx &record);
    const std::string &Text() const { return text_; }

private:
    void Node(const DataNode *node, const DataNode *parent, int depth);
    std::string text_;
};

}  // namespace pat::test

#endif
