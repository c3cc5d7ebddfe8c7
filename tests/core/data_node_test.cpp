// The tagged tree at the boundary: creation, appending, payload access.
#include <gtest/gtest.h>

#include "core/data_node.h"
#include "platform/portable/test_hooks.h"
#include "support/host.h"

namespace pat::test {
namespace {

TEST(DataNode, CreateCopiesThePayloadIntoOneBlock) {
    const char bytes[] = {1, 2, 3, 4, 5};
    HostTree node(CreateNode(nullptr, 77, bytes, 5));
    ASSERT_NE(node.get(), nullptr);
    EXPECT_EQ(node->tag, 77u);
    EXPECT_EQ(node->payloadLength, 5u);
    EXPECT_EQ(node->parent, nullptr);
    EXPECT_EQ(node->firstChild, nullptr);
    EXPECT_EQ(node->lastChild, nullptr);
    EXPECT_EQ(node->nextSibling, nullptr);
    EXPECT_EQ(GlobalSize(node.get()), 24u + 5u);
    EXPECT_EQ(memcmp(Payload(node.get()), bytes, 5), 0);
}

TEST(DataNode, NullSourceIsOnlyAcceptedWithAnEmptyPayload) {
    uint32_t before = portable::HeapLiveBlocks();
    EXPECT_EQ(CreateNode(nullptr, 1, nullptr, 5), nullptr);
    EXPECT_EQ(portable::HeapLiveBlocks(), before);
    HostTree empty(CreateNode(nullptr, 1, nullptr, 0));
    ASSERT_NE(empty.get(), nullptr);
    EXPECT_EQ(empty->payloadLength, 0u);
}

TEST(DataNode, ChildrenKeepTheirOrderAndLastChildIsCurrent) {
    HostTree root(CreateNode(nullptr, 1, nullptr, 0));
    DataNode *n1 = CreateNode(root.get(), 11, nullptr, 0);
    DataNode *n2 = CreateNode(root.get(), 12, nullptr, 0);
    DataNode *n3 = CreateNode(root.get(), 13, nullptr, 0);
    EXPECT_EQ(FirstChild(root.get()), n1);
    EXPECT_EQ(NextSibling(n1), n2);
    EXPECT_EQ(NextSibling(n2), n3);
    EXPECT_EQ(NextSibling(n3), nullptr);
    EXPECT_EQ(root->lastChild, n3);
    EXPECT_EQ(n2->parent, root.get());
}

TEST(DataNode, AppendRefusesNodesThatAreAlreadyLinked) {
    HostTree a(CreateNode(nullptr, 1, nullptr, 0));
    HostTree b(CreateNode(nullptr, 2, nullptr, 0));
    DataNode *child = CreateNode(a.get(), 3, nullptr, 0);
    DataNode *sibling = CreateNode(a.get(), 4, nullptr, 0);
    EXPECT_EQ(AppendChild(b.get(), child), 0);   // has a parent and a next sibling
    EXPECT_EQ(AppendChild(b.get(), sibling), 0); // has a parent
    EXPECT_EQ(b->firstChild, nullptr);
    EXPECT_EQ(AppendChild(nullptr, sibling), 0);
    EXPECT_EQ(AppendChild(b.get(), nullptr), 0);
}

TEST(DataNode, AppendingADetachedNodeBringsItsSubtree) {
    HostTree root(CreateNode(nullptr, 1, nullptr, 0));
    DataNode *sub = CreateNode(nullptr, 2, nullptr, 0);
    DataNode *leaf = CreateNode(sub, 3, nullptr, 0);
    ASSERT_EQ(AppendChild(root.get(), sub), 1);
    EXPECT_EQ(FirstChild(FirstChild(root.get())), leaf);
}

TEST(DataNode, PayloadAccessFollowsTheLengthModes) {
    const uint8_t bytes[4] = {0xA1, 0xB2, 0xC3, 0xD4};
    HostTree node(CreateNode(nullptr, 5, bytes, 4));
    struct Case {
        uint32_t length, mode;
        bool accepted;
    } cases[] = {
        {4, 0, true}, {8, 0, false}, {2, 0, false},  // exact
        {4, 1, true}, {8, 1, true},  {2, 1, false},  // at least
        {4, 2, true}, {8, 2, false}, {2, 2, true},   // at most
        {4, 7, true}, {8, 7, false}, {2, 7, false},  // unknown modes behave as exact
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "length " << c.length << " mode " << c.mode);
        uint8_t out[8];
        memset(out, 0xEE, sizeof out);
        EXPECT_EQ(CopyPayload(node.get(), out, c.length, c.mode), c.accepted ? 1 : 0);
        EXPECT_EQ(PayloadPointer(node.get(), c.length, c.mode) != nullptr, c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(out[0], 0xEE);
            continue;
        }
        uint32_t copied = c.length < 4 ? c.length : 4;
        EXPECT_EQ(memcmp(out, bytes, copied), 0);
        for (uint32_t i = copied; i < 8; ++i) EXPECT_EQ(out[i], 0xEE) << "wrote past the payload at " << i;
    }
    uint8_t out[4];
    EXPECT_EQ(CopyPayload(nullptr, out, 4, 0), 0);
    EXPECT_EQ(CopyPayload(node.get(), nullptr, 4, 0), 0);
}

TEST(DataNode, TagAndLengthAndFindByTag) {
    uint32_t tag = 9, length = 9;
    EXPECT_EQ(TagAndLength(nullptr, &tag, &length), 0);
    EXPECT_EQ(tag, 9u);
    EXPECT_EQ(length, 9u);

    HostTree root(CreateNode(nullptr, 1000, nullptr, 0));
    DataNode *a = CreateNode(root.get(), 1000, "x", 1);
    DataNode *b = CreateNode(root.get(), 1002, nullptr, 0);
    DataNode *c = CreateNode(root.get(), 1000, nullptr, 0);
    EXPECT_EQ(TagAndLength(a, &tag, nullptr), 1);
    EXPECT_EQ(tag, 1000u);
    EXPECT_EQ(TagAndLength(a, nullptr, &length), 1);
    EXPECT_EQ(length, 1u);
    EXPECT_EQ(FindByTag(a, 1000), a);  // the node itself first
    EXPECT_EQ(FindByTag(b, 1000), c);
    EXPECT_EQ(FindByTag(a, 1002), b);
    EXPECT_EQ(FindByTag(a, 3), nullptr);
    EXPECT_EQ(FindByTag(nullptr, 1000), nullptr);
    EXPECT_EQ(FirstChild(nullptr), nullptr);
    EXPECT_EQ(NextSibling(nullptr), nullptr);
}

}  // namespace
}  // namespace pat::test
