// Record conversions, each against strlen over as many bytes as it reads
// (the host's records, or the flat record it writes). Goals: a configuration
// block with 64 trays converts at a small multiple of reading it, allocating
// only the items and strings it hands over; flattening allocates nothing.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_support.h"
#include "pat/pat.h"
#include "core/record.h"
#include "poll_scenario.h"

namespace pat::bench {
namespace {

// A host's configuration block: 64 trays whose sizes range over the paper
// table (some match late rows, some none, some are roll paper), 16 bins.
class ConfigBlock {
public:
    explicit ConfigBlock(uint32_t trayCount) {
        const uint32_t sizes[][2] = {{210, 297}, {297, 210}, {355, 209}, {300, 300}, {0xFFFFFFFF, 914}, {235, 120}};
        const char *names[] = {"Tray 1", "Tray 2", "Tray 7 -Small Paper", "LCT", "Unlisted Tray", "Bypass Tray"};
        trays_.resize(trayCount);
        for (uint32_t i = 0; i < trayCount; ++i) {
            PMTrayRecord &t = trays_[i];
            t = {};
            t.pszName = names[i % 6];
            t.dwLevel = 0x200;
            t.dwWidth = sizes[i % 6][0];
            t.dwHeight = sizes[i % 6][1];
            t.dwMedia = i % 3 == 0 ? 0x800000 : 0x400;
            t.pMediaMask = mask_;
            t.dwSizeSelect = i % 2 == 0 ? 0xFFFFFFFF : 0;
            trayPointers_.push_back(&t);
        }
        for (int i = 0; i < 16; ++i) binPointers_.push_back(i % 2 ? &full_ : &mailbox_);
        for (int i = 0; i < 4; ++i) functionPointers_.push_back(&functions_[i]);
        trayList_ = {trayCount, trayPointers_.data()};
        binList_ = {16, binPointers_.data()};
        optionList_ = {1, optionPointers_};
        functionList_ = {4, functionPointers_.data()};
        block_ = {&model_, &trayList_, &binList_, {}, &optionList_, &functionList_, {}, nullptr, &packages_};
    }
    const PMInfoConfig *get() const { return &block_; }
    // The bytes a conversion of the trays, or of the whole block, reads.
    uint32_t TrayBytes() const { return static_cast<uint32_t>(trays_.size() * (sizeof(PMTrayRecord) + 12)); }
    uint32_t BlockBytes() const { return TrayBytes() + 16 * (sizeof(PMBinRecord) + 14) + sizeof(PMInfoConfig) + 64; }

private:
    uint32_t mask_[2] = {0, 1};
    std::vector<PMTrayRecord> trays_;
    std::vector<void *> trayPointers_, binPointers_, functionPointers_;
    PMBinRecord full_ = {"Finisher Tray", 1}, mailbox_ = {"Mailbox Tray 9", 0};
    PMOptionRecord option_ = {3};
    void *optionPointers_[1] = {&option_};
    uint32_t functions_[4] = {1, 5, 2008, 7};
    PMPackageRecord active_ = {"604271958-A", "function package", 1}, sold_ = {"S-1", "sales package", 1};
    PMPackageRecord *packageList_[2] = {&active_, &sold_};
    PMPackageBlock packages_ = {2, packageList_, 2, packageList_};
    PMModelRecord model_ = {"Model 9", "1.00", 268435456, 0, "Maker"};
    PMList trayList_, binList_, optionList_, functionList_;
    PMInfoConfig block_;
};

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
