// Status text cost over a configuration with rows. Goal: a status string with
// two slots and three details is composed in well under 100 microseconds; the
// host asks for it once per polling cycle and per printer on display.
#include <benchmark/benchmark.h>

#include "core/data_node.h"
#include "core/record.h"
#include "pat/pat.h"
#include "platform/platform.h"
#include "text/current_language.h"
#include "text/text_test_config.h"

namespace {

void ComposeStatusString(benchmark::State &state, uint16_t language) {
    const pat::ModuleConfig *previous = pat::InstallConfig(&pat::test::TextTestConfig());
    {
        pat::test::TextResources resources;
        pat::CurrentLangId.store(language);
        PrnInfoEx record = {};
        record.dwSize = sizeof record;
        pat::AddEngineStatus(&record, 303);
        record.bStatusBit27 = 1;
        PrnInfoEx *pointer = &record;
        DataNode *root = pat::CreateNode(nullptr, 10, nullptr, 0);
        pat::CreateNode(root, 2, &pointer, sizeof pointer);
        pat::CreateNode(root, 1, &pointer, sizeof pointer);
        char text[512];
        for (auto _ : state) {
            uint32_t length = sizeof text;
            if (PatGetStatusString(1, root, 3, 0, text, &length) != 1) state.SkipWithError("no status text");
            benchmark::DoNotOptimize(text);
        }
        pat::FreeTree(root);
        pat::ClearList(&record, "pEngineStatus");
    }
    pat::InstallConfig(previous);
}
BENCHMARK_CAPTURE(ComposeStatusString, english, pat::test::kEnglish);
BENCHMARK_CAPTURE(ComposeStatusString, japanese, pat::test::kJapanese);

}  // namespace
