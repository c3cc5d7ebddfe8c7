// Record conversion cost. Goal: converting a configuration block with 64 trays
// (plus bins, options, functions and packages) into PrnInfoEx takes well under
// a millisecond, rebuilding every list; flattening a full PrnInfoEx into
// PrnInfo takes a few microseconds and allocates nothing.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/record.h"
#include "pat/pat.h"
#include "platform/platform.h"

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

void ReleaseRecord(PrnInfoEx *record) {
    for (uint32_t i = 0; i < pat::ListKeyCount(); ++i) pat::ClearList(record, pat::ListKeyName(i));
    for (uint32_t i = 0; i < pat::StringKeyCount(); ++i) {
        char **field = pat::StringField(record, pat::StringKeyName(i));
        if (*field != nullptr) GlobalFree(*field);
        *field = nullptr;
    }
}

void ConvertTrays(benchmark::State &state) {
    ConfigBlock block(static_cast<uint32_t>(state.range(0)));
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    for (auto _ : state)
        benchmark::DoNotOptimize(PatPMInfoToPrnInfoEx(PAT_CLASS_CONFIG, block.get(), 'h', PAT_PMCONFIG_TRAYS, &record));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    ReleaseRecord(&record);
}
BENCHMARK(ConvertTrays)->Arg(8)->Arg(64);

void ConvertWholeConfigBlock(benchmark::State &state) {
    ConfigBlock block(64);
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    for (auto _ : state)
        benchmark::DoNotOptimize(PatPMInfoToPrnInfoEx(PAT_CLASS_CONFIG, block.get(), 'h', 0x1CC7, &record));
    ReleaseRecord(&record);
}
BENCHMARK(ConvertWholeConfigBlock);

void FlattenFullRecord(benchmark::State &state) {
    ConfigBlock block(64);
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    PatPMInfoToPrnInfoEx(PAT_CLASS_CONFIG, block.get(), 'h', 0x1CC7, &record);
    for (uint32_t code = 1; code <= 32; ++code) pat::AddEngineStatus(&record, code);
    PrnInfo flat;
    for (auto _ : state) benchmark::DoNotOptimize(PatPrnInfoExToPrnInfo(&record, &flat, 0xFFFFFFFF));
    ReleaseRecord(&record);
}
BENCHMARK(FlattenFullRecord);

}  // namespace
