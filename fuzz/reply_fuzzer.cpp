// Feeds arbitrary printer answers through PatSetCentroDataTo: a request the
// module built, an answer text and a device ID cut from the input, payloads
// exactly as long as their bytes (no terminator). The module must neither
// read outside a payload nor leave the record inconsistent or the heap
// unbalanced.
#include "core/data_node.h"
#include "fuzz_support.h"

using namespace pat::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 4) return 0;
    uint32_t before = pat::portable::HeapLiveBlocks();
    uint32_t mask = data[0] | (data[1] << 8) | (static_cast<uint32_t>(data[2] & 0x0F) << 16);
    bool emulRoot = data[2] & 0x80;
    size_t split = size > 4 ? data[3] % (size - 4 + 1) : 0;
    const uint8_t *answer = data + 4;
    size_t answerLength = size - 4 - split;
    const uint8_t *deviceId = answer + answerLength;

    PrnInfoEx record = FreshRecord();
    uint32_t kind = PAT_EMUL_QUERY_KIND;
    DataNode *root = emulRoot ? pat::CreateNode(nullptr, 3, &kind, 4) : pat::CreateNode(nullptr, 2, nullptr, 0);
    // Polled twice into the same record, as a host does.
    for (int poll = 0; poll < 2; ++poll) {
        DataNode *request = PatCreateQueryInfo(&record, 2, mask);
        if (request != nullptr) pat::AppendChild(root, request);
        if (answerLength > 0) pat::CreateNode(root, 1000, answer, static_cast<uint32_t>(answerLength));
        if (split > 0) pat::CreateNode(root, 1002, deviceId, static_cast<uint32_t>(split));
        PatSetCentroDataTo(root, 0, &record, 2);
        Require(pat::FindRecordViolation(&record) == nullptr);
        pat::FreeTree(root);
        root = emulRoot ? pat::CreateNode(nullptr, 3, &kind, 4) : pat::CreateNode(nullptr, 2, nullptr, 0);
    }
    pat::FreeTree(root);
    FreeRecordAsHost(&record);
    Require(pat::portable::HeapLiveBlocks() == before);
    return 0;
}
