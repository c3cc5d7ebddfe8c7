// A whole polling cycle and its parts, each against one strlen pass over the
// bytes it reads. Goals (ratios to strlen in the same run): the full cycle
// within 20 passes over its answer, and a cost per answer byte that stays flat
// from 1x to 100x the realistic answer.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "core/record.h"
#include "poll_scenario.h"
#include "reply/reply_config.h"
#include "reply/reply_dispatch.h"

namespace pat::bench {
namespace {

// PatCreateQueryInfo, PatSetCentroDataTo with the completeness check,
// PatPrnInfoExToPrnInfo and the host's frees, into a record kept between
// cycles as a host keeps it.
void PollCycle(benchmark::State &state) {
    int scale = static_cast<int>(state.range(0));
    std::string answer = PollAnswer(scale), deviceId = PollDeviceId();
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    ListEightTrays(&record);
    PrnInfo flat;
    LoopClock clock;
    for (auto _ : state)
        if (!RunPollCycle(&record, &flat, answer, deviceId)) state.SkipWithError("the cycle failed");

    // The module's allocations in one cycle on a fresh record, against what it
    // handed over: the request's nodes and the record's items and strings.
    PrnInfoEx fresh = {};
    fresh.dwSize = sizeof fresh;
    ListEightTrays(&fresh);
    DataNode *root = BuildCentroData(&fresh, answer, deviceId);
    FreeRecordAsHost(&fresh);
    ArmAllocationCount();
    PatSetCentroDataTo(root, 0, &fresh, 2);
    double applied = AllocationCount();
    double handed = HandedBlocks(&fresh) + 3;  // + the request's three nodes
    FreeHostTree(root);
    FreeRecordAsHost(&fresh);
    FreeRecordAsHost(&record);
    Report(state, clock, answer + deviceId, applied + 3, handed);
}
BENCHMARK(PollCycle)->Arg(1)->Arg(10)->Arg(100);

// The dispatch alone: the answer's lines through the rule tables and their
// handlers into a record kept between cycles, as PatSetCentroDataTo applies
// it after the check.
void DispatchAnswer(benchmark::State &state) {
    std::string answer = PollAnswer(static_cast<int>(state.range(0)));
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    ListEightTrays(&record);
    const ReplyRule *family = ActiveReplyConfig().familyReplyTable;
    const uint32_t length = static_cast<uint32_t>(answer.size() + 1);
    LoopClock clock;
    for (auto _ : state) DispatchPjlReply(&record, family, answer.c_str(), length);
    // Allocations of one dispatch into an empty record, against what it hands over.
    FreeRecordAsHost(&record);
    ArmAllocationCount();
    DispatchPjlReply(&record, family, answer.c_str(), length);
    double allocations = AllocationCount();
    double handed = HandedBlocks(&record);
    FreeRecordAsHost(&record);
    Report(state, clock, answer, allocations, handed);
}
BENCHMARK(DispatchAnswer)->Arg(1)->Arg(100);

// The completeness check alone: every category of the request looked up in
// the answer.
void CompletenessCheck(benchmark::State &state) {
    std::string answer = PollAnswer(static_cast<int>(state.range(0))), deviceId = PollDeviceId();
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    ListEightTrays(&record);
    DataNode *root = BuildCentroData(&record, answer, deviceId);
    LoopClock clock;
    for (auto _ : state)
        if (VerifyReplyAgainstRequest(root) != kOk) state.SkipWithError("the answer did not answer");
    FreeHostTree(root);
    FreeRecordAsHost(&record);
    Report(state, clock, answer, 0, 0);
}
BENCHMARK(CompletenessCheck)->Arg(1)->Arg(10)->Arg(100);

}  // namespace
}  // namespace pat::bench
