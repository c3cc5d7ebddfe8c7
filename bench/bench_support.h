// What every benchmark reports besides its time: the ratio to one strlen pass
// over the same bytes, timed in the same run (absolute times under emulation
// mean little), and the global-heap allocations one iteration makes.
#ifndef PAT_BENCH_BENCH_SUPPORT_H
#define PAT_BENCH_BENCH_SUPPORT_H

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace pat::bench {

// Nanoseconds of one strlen pass over text: the best of several timed batches,
// so that a busy machine inflates it as little as it inflates the figure.
double StrlenPassNanos(const std::string &text);

// Times the benchmark loop from its first iteration to its last.
class LoopClock {
public:
    LoopClock() : start_(std::chrono::steady_clock::now()) {}
    double NanosPerIteration(const benchmark::State &state) const;

private:
    std::chrono::steady_clock::time_point start_;
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
