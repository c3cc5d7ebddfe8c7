// Record conversions, each against strlen over as many bytes as it reads
// (the host's records, or the flat record it writes). Goals: a configuration
// block with 64 trays converts at a small multiple of reading it, allocating
// only the items and strings it hands over; flattening allocates nothing.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_support.h"
#include "pat/pat.h"
#include "core/record.h"
#include "poll_scenario.h"

namespace pat::bench {
namespace {

using ConfigBlock = test::PMConfigBlock;

// Converts the block once more on a fresh record, counting what it allocates
// against what it hands over.
void CountAllocations(const ConfigBlock &block, uint32_t mask, double *allocations, double *handed) {
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    ArmAllocationCount();
    PatPMInfoToPrnInfoEx(PAT_CLASS_CONFIG, block.get(), 'h', mask, &record);
    *allocations = AllocationCount();
    *handed = HandedBlocks(&record);
    FreeRecordAsHost(&record);
}

void ConvertTrays(benchmark::State &state) {
    ConfigBlock block(static_cast<uint32_t>(state.range(0)));
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    LoopClock clock;
    for (auto _ : state)
        if (!PatPMInfoToPrnInfoEx(PAT_CLASS_CONFIG, block.get(), 'h', PAT_PMCONFIG_TRAYS, &record))
            state.SkipWithError("the conversion failed");
    FreeRecordAsHost(&record);
    double allocations, handed;
    CountAllocations(block, PAT_PMCONFIG_TRAYS, &allocations, &handed);
    Report(state, clock, std::string(block.TrayBytes(), 'x'), allocations, handed);
}
BENCHMARK(ConvertTrays)->Arg(8)->Arg(64);

void ConvertWholeConfigBlock(benchmark::State &state) {
    ConfigBlock block(64);
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    LoopClock clock;
    for (auto _ : state)
        if (!PatPMInfoToPrnInfoEx(PAT_CLASS_CONFIG, block.get(), 'h', 0x1CC7, &record))
            state.SkipWithError("the conversion failed");
    FreeRecordAsHost(&record);
    double allocations, handed;
    CountAllocations(block, 0x1CC7, &allocations, &handed);
    Report(state, clock, std::string(block.BlockBytes(), 'x'), allocations, handed);
}
BENCHMARK(ConvertWholeConfigBlock);

void FlattenFullRecord(benchmark::State &state) {
    ConfigBlock block(64);
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    PatPMInfoToPrnInfoEx(PAT_CLASS_CONFIG, block.get(), 'h', 0x1CC7, &record);
    for (uint32_t code = 1; code <= 32; ++code) AddEngineStatus(&record, code);
    PrnInfo flat;
    LoopClock clock;
    for (auto _ : state)
        if (!PatPrnInfoExToPrnInfo(&record, &flat, 0xFFFFFFFF)) state.SkipWithError("the conversion failed");
    ArmAllocationCount();
    PatPrnInfoExToPrnInfo(&record, &flat, 0xFFFFFFFF);
    double allocations = AllocationCount();
    FreeRecordAsHost(&record);
    Report(state, clock, std::string(sizeof flat, 'x'), allocations, 0);
}
BENCHMARK(FlattenFullRecord);

}  // namespace
}  // namespace pat::bench
