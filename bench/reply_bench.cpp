// Reply parsing cost. Goal: a whole polling answer (INFO CONFIG, every tray
// inquiry, OUTBINSTATUS, device ID) applies in well under a millisecond, and
// scanning grows linearly with the answer's length.
#include <benchmark/benchmark.h>

#include <string>

#include "core/data_node.h"
#include "pat/pat.h"
#include "platform/platform.h"
#include "reply/reply_scanner.h"

namespace {

std::string PollAnswer() {
    std::string text =
        "\x1B%-12345X@PJL INFO CONFIG\r\nIN TRAYS [4 ENUMERATED]\r\n\tINTRAY1\r\n\tINTRAY2\r\n\tINTRAYMANUAL\r\n"
        "\tINTRAYINSERTER\r\nIN TRAYS ATTRIBUTE [2 ENUMERATED]\r\n\tINTRAY3 TANDEM\r\n\tINTRAYLCT STANDARD\r\n"
        "VERSION [3 ENUMERATED]\r\n\tFIRMWARE 1.10\r\n\tVORD 2.00\r\n\tZOLT 3.00\r\nMEMORY=16777216\r\n\f";
    const char *trays[] = {"1", "2", "3", "4", "5", "6", "7", "LCT"};
    for (const char *t : trays) {
        text += std::string("@PJL INQUIRE INTRAY") + t + "SIZE\r\nA4SRT\r\n\f";
        text += std::string("@PJL INQUIRE INTRAY") + t + "QUANT\r\n3/5\r\n\f";
        text += std::string("@PJL INQUIRE INTRAY") + t + "\r\nUNLOCKED\r\n\f";
    }
    text += "@PJL INFO OUTBINSTATUS\r\nUPPER=READY\r\nLOWER=FULL\r\n\f\x1B%-12345X";
    return text;
}

void ApplyPollAnswer(benchmark::State &state) {
    std::string answer = PollAnswer();
    std::string id = "MFG:Maker;MDL:Model 9;DES:Desk laser;STS:10001/20002,1,Ready;RIJ:12345/50,60;";
    DataNode *root = pat::CreateNode(nullptr, 2, nullptr, 0);
    pat::CreateNode(root, 1000, answer.c_str(), static_cast<uint32_t>(answer.size() + 1));
    pat::CreateNode(root, 1002, id.c_str(), static_cast<uint32_t>(id.size() + 1));
    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    for (auto _ : state) benchmark::DoNotOptimize(PatSetCentroDataTo(root, 0, &record, 2));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * (answer.size() + id.size())));
    pat::FreeTree(root);
    // The record's items and strings stay with the process; a benchmark exits.
}
BENCHMARK(ApplyPollAnswer);

void ScanAnswer(benchmark::State &state) {
    std::string text;
    while (text.size() < static_cast<size_t>(state.range(0))) text += PollAnswer();
    char token[48];
    for (auto _ : state) {
        pat::ReplyCursor cursor;
        pat::InitReplyCursor(&cursor, text.c_str(), static_cast<uint32_t>(text.size() + 1));
        uint32_t kind = 0;
        do pat::NextReplyToken(&cursor, token, sizeof token, &kind);
        while (kind != pat::TOKEN_END);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ScanAnswer)->Range(1 << 10, 1 << 16);

}  // namespace
