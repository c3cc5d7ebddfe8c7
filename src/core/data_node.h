// The tagged tree that carries requests and replies across the boundary.
// A node is one global-heap block: the 24-byte DataNode header, then the
// payload. Every operation accepts null nodes and then reports failure.
#ifndef PAT_CORE_DATA_NODE_H
#define PAT_CORE_DATA_NODE_H

#include <stdint.h>

#include "pat/pat.h"

namespace pat {

// How a caller's length must relate to a payload's length.
enum PayloadMode : uint32_t {
    kPayloadExact = 0,    // equal
    kPayloadAtLeast = 1,  // the caller's area may be larger
    kPayloadAtMost = 2,   // take a prefix
};

// Creates a node (fixed, non-zeroed block of 24 + length bytes) and appends it
// to parent when one is given. Null when source is null with a nonzero length
// or when the allocation fails. The append's outcome is not reported.
DataNode *CreateNode(DataNode *parent, uint32_t tag, const void *source, uint32_t length);

// Links child (and its subtree) behind parent's last child. 0 when either is
// null or the child already has a parent or a next sibling.
int AppendChild(DataNode *parent, DataNode *child);

// Copies the payload into destination when length fits mode; 1 or 0.
int CopyPayload(const DataNode *node, void *destination, uint32_t length, uint32_t mode);

// The first payload byte when length fits mode, else null.
const uint8_t *PayloadPointer(const DataNode *node, uint32_t length, uint32_t mode);

// Writes the tag and payload length to the outputs given; 0 for a null node.
int TagAndLength(const DataNode *node, uint32_t *tag, uint32_t *length);

DataNode *FirstChild(const DataNode *node);
DataNode *NextSibling(const DataNode *node);

// The first of node and its following siblings that has tag, or null.
DataNode *FindByTag(DataNode *node, uint32_t tag);

// Releases a node with its subtree: only for a request the module built and
// could not complete. Trees the host owns are never released by the module.
void FreeTree(DataNode *root);

// The whole payload of a node, whatever its length; null for a null node.
const uint8_t *Payload(const DataNode *node);

}  // namespace pat

#endif
