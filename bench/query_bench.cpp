// Query building cost. Goal: building and releasing a full request tree is a
// few microseconds: the host does it once per polling cycle.
#include <benchmark/benchmark.h>

#include "core/data_node.h"
#include "pat/pat.h"

namespace {

void BuildFullQuery(benchmark::State &state) {
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    for (auto _ : state) {
        DataNode *root = PatCreateQueryInfo(&record, 2, 0xFFFFFFFF);
        pat::FreeTree(root);
    }
}
BENCHMARK(BuildFullQuery);

}  // namespace
