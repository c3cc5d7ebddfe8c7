#include "bench_support.h"

#include <string.h>
#include <time.h>

#include <algorithm>

#include "platform/portable/test_hooks.h"

namespace pat::bench {

double ThreadCpuNanos() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

double StrlenPassNanos(const std::string &text) {
    const char *bytes = text.c_str();
    double best = 1e30;
    for (int batch = 0; batch < 7; ++batch) {
        const int passes = 2000;
        double start = ThreadCpuNanos();
        for (int i = 0; i < passes; ++i) {
            benchmark::DoNotOptimize(bytes);
            size_t length = strlen(bytes);
            benchmark::DoNotOptimize(length);
            benchmark::ClobberMemory();
        }
        best = std::min(best, (ThreadCpuNanos() - start) / passes);
    }
    return best;
}

double LoopClock::NanosPerIteration(const benchmark::State &state) const {
    double elapsed = ThreadCpuNanos() - start_;
    return state.iterations() > 0 ? elapsed / static_cast<double>(state.iterations()) : 0;
}

void Report(benchmark::State &state, const LoopClock &clock, const std::string &bytes, double allocations,
            double handed) {
    double perIteration = clock.NanosPerIteration(state);
    state.counters["x_strlen"] = perIteration / StrlenPassNanos(bytes);
    state.counters["allocs"] = allocations;
    state.counters["handed"] = handed;
    state.counters["bytes"] = static_cast<double>(bytes.size());
}

void ArmAllocationCount() { portable::HeapFailNthAllocation(0); }
uint32_t AllocationCount() { return portable::HeapAllocationsSinceArmed(); }

}  // namespace pat::bench
