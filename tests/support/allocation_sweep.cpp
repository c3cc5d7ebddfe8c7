#include "support/allocation_sweep.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/portable/test_hooks.h"

namespace pat::test {

void FailurePoint::Arm() { portable::HeapFailNthAllocation(failing_); }  // resets the count

void FailurePoint::Disarm() {
    allocations_ = portable::HeapAllocationsSinceArmed();
    portable::HeapFailNthAllocation(0);
}

SweepOutcome SweepAllocationFailures(const char *exportName, const std::set<uint32_t> &documented,
                                     const SweepScenario &scenario) {
    SCOPED_TRACE(exportName);
    SweepOutcome outcome;
    const uint32_t live = portable::HeapLiveBlocks();
    FailurePoint clean(0);
    EXPECT_EQ(scenario(clean), 0u) << "the clean run failed";
    EXPECT_EQ(portable::HeapLiveBlocks(), live) << "the clean run";
    outcome.failurePoints = clean.allocations();
    for (uint32_t k = 1; k <= outcome.failurePoints; ++k) {
        SCOPED_TRACE(testing::Message() << "allocation " << k << " of " << outcome.failurePoints << " fails");
        FailurePoint failing(k);
        uint32_t error = scenario(failing);
        outcome.errors.insert(error);
        EXPECT_TRUE(error == 0 || documented.count(error) == 1) << "undocumented error " << error;
        EXPECT_GE(failing.allocations(), k) << "the run no longer reaches this allocation";
        EXPECT_EQ(portable::HeapLiveBlocks(), live);
    }
    testing::Test::RecordProperty(exportName, static_cast<int>(outcome.failurePoints));
    std::string errors;
    char code[16];
    for (uint32_t e : outcome.errors) {
        snprintf(code, sizeof code, e == 0 ? "success" : e < 0x10000 ? "%u" : "0x%X", e);
        errors += (errors.empty() ? "" : ", ") + std::string(code);
    }
    printf("[ sweep    ] %-26s %4u failure points; outcomes: %s\n", exportName, outcome.failurePoints,
           errors.empty() ? "-" : errors.c_str());
    return outcome;
}

}  // namespace pat::test
