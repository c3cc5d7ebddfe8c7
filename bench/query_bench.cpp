// Query building: the host does it once per polling cycle.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "core/data_node.h"
#include "poll_scenario.h"

namespace pat::bench {
namespace {

void BuildFullQuery(benchmark::State &state) {
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    ListEightTrays(&record);
    LoopClock clock;
    for (auto _ : state) FreeHostTree(PatCreateQueryInfo(&record, 2, kEveryCategory));
    DataNode *root = PatCreateQueryInfo(&record, 2, kEveryCategory);
    std::string text = reinterpret_cast<const char *>(Payload(FindByTag(FirstChild(root), PAT_TAG_PJL_TEXT)));
    FreeHostTree(root);
    ArmAllocationCount();
    FreeHostTree(PatCreateQueryInfo(&record, 2, kEveryCategory));
    double allocations = AllocationCount();
    FreeRecordAsHost(&record);
    Report(state, clock, text, allocations, allocations);  // the request's nodes
}
BENCHMARK(BuildFullQuery);

}  // namespace
}  // namespace pat::bench
