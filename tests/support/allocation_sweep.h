// Allocation-failure sweeps: a scenario runs once to count the allocations of
// the call it exercises, then once more for each of them, with that one
// allocation failing.
#ifndef PAT_TESTS_SUPPORT_ALLOCATION_SWEEP_H
#define PAT_TESTS_SUPPORT_ALLOCATION_SWEEP_H

#include <stdint.h>

#include <functional>
#include <set>

namespace pat::test {

// Handed to a scenario, which arms it right before the call it sweeps and
// disarms it right after: its own setup and checks never see a failure.
class FailurePoint {
public:
    explicit FailurePoint(uint32_t failing) : failing_(failing) {}
    // From here the failing-th allocation fails (0: none fails, they are counted).
    void Arm();
    // Stops the injection; remembers how many allocations the call made.
    void Disarm();
    uint32_t allocations() const { return allocations_; }

private:
    uint32_t failing_;
    uint32_t allocations_ = 0;
};

// A scenario makes the export call under test between Arm and Disarm, checks
// what it can of the outcome, releases whatever the host holds (records
// through HostRecord, which checks their consistency) and returns the
// export's last error: 0 for success.
using SweepScenario = std::function<uint32_t(FailurePoint &)>;

struct SweepOutcome {
    uint32_t failurePoints = 0;
    std::set<uint32_t> errors;  // what the runs ended with, 0 for success
};

// The clean run must succeed. Every run with allocation k failing, for k from
// 1 to the clean run's count, must end in success or one of the documented
// errors, reach its k-th allocation, and leave the global heap's live-block
// count as it found it. The count is reported as a test property and on
// stdout under the export's name.
SweepOutcome SweepAllocationFailures(const char *exportName, const std::set<uint32_t> &documented,
                                     const SweepScenario &scenario);

}  // namespace pat::test

#endif
