// Status text over a configuration with rows: a status string with two slots
// and three details, against strlen over the text it composes. The host asks
// for it once per polling cycle and per printer on display; it allocates only
// its working arrays, all released before it returns.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_support.h"
#include "core/data_node.h"
#include "core/record.h"
#include "pat/pat.h"
#include "platform/platform.h"
#include "text/current_language.h"
#include "text/text_test_config.h"

namespace pat::bench {
namespace {

void ComposeStatusString(benchmark::State &state, uint16_t language) {
    const ModuleConfig *previous = InstallConfig(&test::TextTestConfig());
    {
        test::TextResources resources;
        CurrentLangId.store(language);
        PrnInfoEx record = {};
        record.dwSize = sizeof record;
        AddEngineStatus(&record, 303);
        record.bStatusBit27 = 1;
        PrnInfoEx *pointer = &record;
        DataNode *root = CreateNode(nullptr, 10, nullptr, 0);
        CreateNode(root, 2, &pointer, sizeof pointer);
        CreateNode(root, 1, &pointer, sizeof pointer);
        char text[512];
        LoopClock clock;
        for (auto _ : state) {
            uint32_t length = sizeof text;
            if (PatGetStatusString(1, root, 3, 0, text, &length) != 1) state.SkipWithError("no status text");
            benchmark::DoNotOptimize(text);
        }
        ArmAllocationCount();
        uint32_t length = sizeof text;
        PatGetStatusString(1, root, 3, 0, text, &length);
        double allocations = AllocationCount();
        FreeTree(root);
        ClearList(&record, "pEngineStatus");
        Report(state, clock, text, allocations, 0);
    }
    InstallConfig(previous);
}
BENCHMARK_CAPTURE(ComposeStatusString, english, test::kEnglish);
BENCHMARK_CAPTURE(ComposeStatusString, japanese, test::kJapanese);

}  // namespace
}  // namespace pat::bench
