// Test entry point: every test must leave the global heap's live-block count
// as it found it; a test that leaks or frees what it did not own fails here.
#include <gtest/gtest.h>

#include "platform/portable/test_hooks.h"

namespace {

class HeapBalanceListener : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo &) override { before_ = pat::portable::HeapLiveBlocks(); }
    void OnTestEnd(const testing::TestInfo &) override {
        pat::portable::HeapFailNthAllocation(0);
        uint32_t after = pat::portable::HeapLiveBlocks();
        EXPECT_EQ(after, before_) << "the test changed the global heap's live-block count";
    }
    uint32_t before_ = 0;
};

}  // namespace

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new HeapBalanceListener);
    return RUN_ALL_TESTS();
}
