// The reply path's parts: the scanner over a large answer and the device ID
// parser, each against one strlen pass over the same bytes. Goal: the scanner
// at 10 % or more of strlen's throughput (at most 10 strlen passes).
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "poll_scenario.h"
#include "reply/device_id_parser.h"
#include "reply/reply_scanner.h"
#include "reply/reply_step.h"

namespace pat::bench {
namespace {

// The scanner alone, token by token to the end: each token a view into the
// answer, as the dispatcher and the completeness check read them.
void ScanAnswer(benchmark::State &state) {
    std::string text = PollAnswer(static_cast<int>(state.range(0)));
    LoopClock clock;
    for (auto _ : state) {
        ReplyCursor cursor;
        InitReplyCursor(&cursor, text.c_str(), static_cast<uint32_t>(text.size() + 1));
        ReplyToken token;
        do {
            StepReplyCursor(&cursor, &token);
            benchmark::DoNotOptimize(token);
        } while (token.kind != TOKEN_END);
    }
    Report(state, clock, text, 0, 0);
}
BENCHMARK(ScanAnswer)->Arg(1)->Arg(100);

// The same with every token's text copied into a 48-byte buffer, as the
// handlers read theirs.
void ScanAnswerCopying(benchmark::State &state) {
    std::string text = PollAnswer(static_cast<int>(state.range(0)));
    char token[48];
    LoopClock clock;
    for (auto _ : state) {
        ReplyCursor cursor;
        InitReplyCursor(&cursor, text.c_str(), static_cast<uint32_t>(text.size() + 1));
        uint32_t kind = 0;
        do NextReplyToken(&cursor, token, sizeof token, &kind);
        while (kind != TOKEN_END);
    }
    Report(state, clock, text, 0, 0);
}
BENCHMARK(ScanAnswerCopying)->Arg(1);

void ParseDeviceIdString(benchmark::State &state) {
    std::string id = PollDeviceId();
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    LoopClock clock;
    for (auto _ : state) ParseDeviceId(id.c_str(), static_cast<uint32_t>(id.size() + 1), &record);
    ArmAllocationCount();
    ParseDeviceId(id.c_str(), static_cast<uint32_t>(id.size() + 1), &record);
    double allocations = AllocationCount();
    double handed = HandedBlocks(&record);
    FreeRecordAsHost(&record);
    Report(state, clock, id, allocations, handed);
}
BENCHMARK(ParseDeviceIdString);

}  // namespace
}  // namespace pat::bench
