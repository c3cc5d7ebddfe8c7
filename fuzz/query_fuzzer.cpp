// PatCreateQueryInfo over a tray list decoded from the input (any codes, any
// number of repeats, so the text can outgrow its 1024-byte area), and
// PatCreateEmulUniqQueryInfo with a kind from the input. Every request must
// have the shape the mask asks for, a PJL text that fits its area, opens and
// closes with the universal exit sequence and is terminated exactly at its
// length; nothing may stay allocated once the host frees it.
#include <string.h>

#include "core/data_node.h"
#include "fuzz_support.h"

using namespace pat::fuzz;

namespace {

constexpr char kOpening[] = "\x1B%-12345X@PJL\r\n";
constexpr char kExit[] = "\x1B%-12345X";
constexpr uint32_t kDeviceIdBits = PAT_CAT_STATUS | PAT_CAT_IDENTITY | PAT_CAT_ENGINE_STATUS;
constexpr uint32_t kPjlBits = PAT_CAT_CONFIG | PAT_CAT_EMULATIONS | PAT_CAT_OPTIONS | PAT_CAT_INTRAYS | PAT_CAT_OUTBINS;

bool IsPjlText(const DataNode *node) {
    const char *text = reinterpret_cast<const char *>(node + 1);
    uint32_t n = node->payloadLength;
    if (n == 0 || n > 1024 || text[n - 1] != '\0' || strlen(text) != n - 1) return false;
    size_t open = sizeof kOpening - 1, exit = sizeof kExit - 1;
    return n - 1 >= open + exit && memcmp(text, kOpening, open) == 0 && memcmp(text + n - 1 - exit, kExit, exit) == 0;
}

void CheckRequest(const DataNode *root, uint32_t mask) {
    Require(root->tag == PAT_TAG_QUERY_ROOT && root->payloadLength == 0 && root->parent == nullptr);
    const DataNode *child = root->firstChild;
    if ((mask & kDeviceIdBits) != 0) {
        Require(child != nullptr && child->tag == PAT_TAG_DEVICE_ID && child->payloadLength == 0);
        child = child->nextSibling;
    }
    if ((mask & kPjlBits) != 0) {
        Require(child != nullptr && child->tag == PAT_TAG_PJL_TEXT && IsPjlText(child));
        Require(root->lastChild == child);
        child = child->nextSibling;
    }
    Require(child == nullptr);
}

}  // namespace

// Input: [mask: 4 bytes][flags: 1 byte][tray codes: 2 bytes each].
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    InputReader in(data, size);
    const uint32_t before = pat::portable::HeapLiveBlocks();
    const uint32_t mask = in.Word();
    const uint8_t flags = in.Byte();
    PrnInfoEx record = FreshRecord();
    if ((flags & 1) != 0) record.dwSize = PAT_PRNINFOEX_MIN_SIZE - 1;
    while (in.left() >= 2) {
        TrayInfo *tray = pat::NewItem<TrayInfo>();
        tray->wTray = in.Half();
        Require(pat::AddItem(&record, pat::keys::kTrayInfo, &tray->header) != 0);
    }
    const uint32_t revision = 2 | static_cast<uint32_t>(flags) << 8;  // only the low byte counts
    DataNode *request = PatCreateQueryInfo(&record, revision, mask);
    if ((flags & 1) != 0) {
        Require(request == nullptr && GetLastError() == 87);
    } else {
        Require(request != nullptr && GetLastError() == 0);
        CheckRequest(request, mask);
        pat::FreeTree(request);
    }
    DataNode *emul = PatCreateEmulUniqQueryInfo(&record, revision, mask >> 12, mask);
    if (static_cast<uint16_t>(mask >> 12) == PAT_EMUL_QUERY_KIND) {
        Require(emul != nullptr && emul->firstChild != nullptr && emul->firstChild->payloadLength == 41);
        Require(IsPjlText(emul->firstChild));
        pat::FreeTree(emul);
    } else {
        Require(emul == nullptr && GetLastError() == 87);
    }
    FreeRecordAsHost(&record);
    Require(pat::portable::HeapLiveBlocks() == before);
    return 0;
}
