#include "core/data_node.h"

#include <string.h>

#include "platform/platform.h"

namespace pat {

namespace {

bool LengthFits(uint32_t callerLength, uint32_t payloadLength, uint32_t mode) {
    switch (mode) {
        case kPayloadAtLeast: return callerLength >= payloadLength;
        case kPayloadAtMost: return callerLength <= payloadLength;
        default: return callerLength == payloadLength;  // exact, and any unknown mode
    }
}

}  // namespace

const uint8_t *Payload(const DataNode *node) {
    return node == nullptr ? nullptr : reinterpret_cast<const uint8_t *>(node + 1);
}

DataNode *CreateNode(DataNode *parent, uint32_t tag, const void *source, uint32_t length) {
    if (source == nullptr && length != 0) return nullptr;
    if (length > UINT32_MAX - sizeof(DataNode)) return nullptr;
    DataNode *node = static_cast<DataNode *>(GlobalAlloc(GMEM_FIXED, sizeof(DataNode) + length));
    if (node == nullptr) return nullptr;
    node->tag = tag;
    node->parent = nullptr;
    node->firstChild = nullptr;
    node->nextSibling = nullptr;
    node->lastChild = nullptr;
    node->payloadLength = length;
    if (source != nullptr) memcpy(node + 1, source, length);
    AppendChild(parent, node);
    return node;
}

int AppendChild(DataNode *parent, DataNode *child) {
    if (parent == nullptr || child == nullptr) return 0;
    if (child->parent != nullptr || child->nextSibling != nullptr) return 0;
    child->parent = parent;
    if (parent->lastChild != nullptr)
        parent->lastChild->nextSibling = child;
    else
        parent->firstChild = child;
    parent->lastChild = child;
    return 1;
}

int CopyPayload(const DataNode *node, void *destination, uint32_t length, uint32_t mode) {
    if (node == nullptr || destination == nullptr) return 0;
    if (!LengthFits(length, node->payloadLength, mode)) return 0;
    // Mode 1 may be given a larger area: copy the payload only, never past it.
    memcpy(destination, node + 1, length < node->payloadLength ? length : node->payloadLength);
    return 1;
}

const uint8_t *PayloadPointer(const DataNode *node, uint32_t length, uint32_t mode) {
    if (node == nullptr || !LengthFits(length, node->payloadLength, mode)) return nullptr;
    return Payload(node);
}

int TagAndLength(const DataNode *node, uint32_t *tag, uint32_t *length) {
    if (node == nullptr) return 0;
    if (tag != nullptr) *tag = node->tag;
    if (length != nullptr) *length = node->payloadLength;
    return 1;
}

DataNode *FirstChild(const DataNode *node) { return node == nullptr ? nullptr : node->firstChild; }

DataNode *NextSibling(const DataNode *node) { return node == nullptr ? nullptr : node->nextSibling; }

void FreeTree(DataNode *root) {
    if (root == nullptr) return;
    for (DataNode *child = root->firstChild; child != nullptr;) {
        DataNode *next = child->nextSibling;
        FreeTree(child);
        child = next;
    }
    GlobalFree(root);
}

DataNode *FindByTag(DataNode *node, uint32_t tag) {
    for (; node != nullptr; node = node->nextSibling)
        if (node->tag == tag) return node;
    return nullptr;
}

}  // namespace pat
