// The reply tree the host hands to PatSetCentroDataTo: a root (tag 2, or tag 3
// carrying the query kind for the emulation-specific query), the request as
// it was sent (the module's own tree, borrowed), the answer text and the
// device ID. Nodes are module heap blocks, as on Windows.
#ifndef PAT_HOST_CENTRO_DATA_H
#define PAT_HOST_CENTRO_DATA_H

#include <string_view>

#include "pat/pat.h"

namespace pathost {

class Module;

class CentroData {
public:
    // A tag-2 root, or with emulationQuery a tag-3 root holding kind 15.
    explicit CentroData(const Module &module, bool emulationQuery = false);
    // Frees the host's nodes; the borrowed request is detached, not freed.
    ~CentroData();
    CentroData(const CentroData &) = delete;
    CentroData &operator=(const CentroData &) = delete;

    void AttachRequestCopy(DataNode *request);
    // A text child: the bytes and a terminating NUL. Empty text adds nothing.
    void AddText(uint32_t tag, std::string_view bytes);
    DataNode *root() const { return root_; }

private:
    void Append(DataNode *child);
    DataNode *NewNode(uint32_t tag, const void *payload, uint32_t length);
    const Module &module_;
    DataNode *root_;
    DataNode *borrowed_ = nullptr;
};

}  // namespace pathost

#endif
