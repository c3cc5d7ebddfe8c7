#include "module/centro_data.h"

#include <string.h>

#include <new>

#include "module/module.h"

namespace pathost {

DataNode *CentroData::NewNode(uint32_t tag, const void *payload, uint32_t length) {
    auto *node = static_cast<DataNode *>(module_.Allocate(sizeof(DataNode) + length));
    if (node == nullptr) throw std::bad_alloc();
    node->tag = tag;
    node->payloadLength = length;
    if (payload != nullptr && length != 0) memcpy(node + 1, payload, length);
    return node;
}

CentroData::CentroData(const Module &module, bool emulationQuery) : module_(module) {
    uint32_t kind = PAT_EMUL_QUERY_KIND;
    root_ = emulationQuery ? NewNode(PAT_TAG_EMUL_ROOT, &kind, sizeof kind) : NewNode(PAT_TAG_CENTRO_ROOT, nullptr, 0);
}

CentroData::~CentroData() {
    DataNode *child = root_->firstChild;
    while (child != nullptr) {
        DataNode *next = child->nextSibling;
        if (child == borrowed_) {
            child->parent = nullptr;
            child->nextSibling = nullptr;
        } else {
            module_.Free(child);
        }
        child = next;
    }
    module_.Free(root_);
}

void CentroData::Append(DataNode *child) {
    child->parent = root_;
    child->nextSibling = nullptr;
    if (root_->lastChild == nullptr)
        root_->firstChild = child;
    else
        root_->lastChild->nextSibling = child;
    root_->lastChild = child;
}

void CentroData::AttachRequestCopy(DataNode *request) {
    if (request == nullptr || borrowed_ != nullptr) return;
    borrowed_ = request;
    Append(request);
}

void CentroData::AddText(uint32_t tag, std::string_view bytes) {
    if (bytes.empty()) return;
    DataNode *node = NewNode(tag, nullptr, static_cast<uint32_t>(bytes.size() + 1));
    char *payload = reinterpret_cast<char *>(node + 1);
    memcpy(payload, bytes.data(), bytes.size());
    payload[bytes.size()] = '\0';
    Append(node);
}

}  // namespace pathost
