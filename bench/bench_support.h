// What every benchmark reports besides its time: the ratio to one strlen pass
// over the same bytes, timed in the same run (absolute times under emulation
// mean little), and the global-heap allocations one iteration makes.
#ifndef PAT_BENCH_BENCH_SUPPORT_H
#define PAT_BENCH_BENCH_SUPPORT_H

#include <benchmark/benchmark.h>

#include <string>

namespace pat::bench {

// Both sides of every ratio are the thread's CPU time, so that other work on
// a busy machine inflates neither.
double ThreadCpuNanos();

// Nanoseconds of one strlen pass over text: the best of several timed batches.
double StrlenPassNanos(const std::string &text);

// Times the benchmark loop from its first iteration to its last.
class LoopClock {
public:
    LoopClock() : start_(ThreadCpuNanos()) {}
    double NanosPerIteration(const benchmark::State &state) const;

private:
    double start_;
};

// Sets the counters of the table: "x_strlen" (the iteration's time in strlen
// passes over bytes), "allocs" (heap allocations per iteration) and "handed"
// (how many of those blocks the host receives and frees).
void Report(benchmark::State &state, const LoopClock &clock, const std::string &bytes, double allocations,
            double handed);

// Counting the portable heap's allocations: Arm() before, Count() after.
void ArmAllocationCount();
uint32_t AllocationCount();

}  // namespace pat::bench

#endif
