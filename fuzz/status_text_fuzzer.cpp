// The status-text exports over the test configuration with rows and its
// English and Japanese string tables: PatGetStatusString on a status tree and
// records decoded from the input (tree shape, device class, composition
// option, language, engine-status codes, output capacity), then
// PatGetStatusHelpFileName on the same record and PatGetDeviceName on a name
// or key from the input. Every result must follow the length protocol with
// a documented error, the host's records must be left exactly as they were,
// and the heap balanced.
#include <stdlib.h>

#include <string>

#include "core/data_node.h"
#include "fuzz_support.h"
#include "text/current_language.h"
#include "text/status_text.h"
#include "text/text_test_config.h"

using namespace pat::fuzz;

namespace {

const uint32_t kClasses[] = {1, 0x8000, 0xFFFF8000u, 0x10001, 0x18000, 2, 0xFFFF0001u, 0x8000};
const uint16_t kLanguages[] = {pat::test::kEnglish, pat::test::kJapanese, 0x0809, 0x03FF};

// Everything a record holds, to show that the text exports only read it.
std::string Contents(PrnInfoEx *record) {
    std::string bytes(reinterpret_cast<const char *>(record), 212);
    for (InfoItem *item = reinterpret_cast<InfoItem *>(record->pEngineStatus); item != nullptr; item = item->next)
        bytes.append(reinterpret_cast<const char *>(item), item->size);
    return bytes;
}

void AddCodes(InputReader &in, uint32_t count, PrnInfoEx *record) {
    for (uint32_t i = 0; i < count && in.left() >= 4; ++i) Require(pat::AddEngineStatus(record, in.Word()) != 0);
}

// A text export's outcome under the length protocol: on success the text and
// its size; 122 with the needed size stored; any other failure leaves the
// length as the caller passed it.
void CheckText(int ok, const char *text, uint32_t capacity, uint32_t length, uint32_t limit) {
    uint32_t error = GetLastError();
    Require((ok == 1) == (error == 0));
    if (ok == 1) {
        Require(length <= capacity && length >= 1 && text[length - 1] == '\0' && strlen(text) == length - 1);
    } else if (error == 122) {
        Require(length >= 1 && length <= limit);
    } else {
        Require(length == capacity);
        Require(error == 87 || error == 8 || error == 0x20000001 || error == 0x2000FFFF);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    pat::InstallConfig(&pat::test::TextTestConfig());
    static pat::test::TextResources resources;  // for the whole run
    return 0;
}

// Input: [class][option][language][tree flags][root payload][capacity]
//        [record flags][base code count][base codes][reported codes, or the device name source].
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    InputReader in(data, size);
    const uint32_t before = pat::portable::HeapLiveBlocks();
    const uint32_t deviceClass = kClasses[in.Byte() % 8];
    const uint32_t option = in.Byte();
    pat::CurrentLangId.store(kLanguages[in.Byte() % 4]);
    const uint8_t tree = in.Byte(), rootPayload = in.Byte() % 8, capacityByte = in.Byte(), flags = in.Byte();
    const uint32_t capacity = (capacityByte & 0x80) != 0 ? 512 : (capacityByte & 0x7F) * 4u;

    PrnInfoEx base = FreshRecord(), reported = FreshRecord();
    if ((tree & 0x10) != 0) base.dwSize = PAT_PRNINFOEX_MIN_SIZE - 1;
    base.bStatusBit27 = flags & 1;
    reported.bStatusBit27 = (flags >> 1) & 1;
    AddCodes(in, in.Byte() % 17, &base);
    const uint8_t *rest;
    const size_t restSize = in.Take(in.left(), &rest);
    InputReader codes(rest, restSize);
    AddCodes(codes, 16, &reported);
    const std::string baseBefore = Contents(&base), reportedBefore = Contents(&reported);

    // Root tag 10 (or 9), then the base record (tag 2) and the reported one
    // (tag 1; class 0x8000 looks for the tag the root's payload length names).
    uint8_t payload[8] = {};
    DataNode *root = pat::CreateNode(nullptr, (tree & 0x40) != 0 ? 9 : pat::kStatusRootTag, payload, rootPayload);
    const PrnInfoEx *basePointer = &base, *reportedPointer = (tree & 0x4) != 0 ? &reported : &base;
    if ((tree & 0x1) == 0)
        pat::CreateNode(root, pat::kBaseRecordTag, &basePointer, (tree & 0x8) != 0 ? 3 : sizeof basePointer);
    if ((tree & 0x2) == 0)
        pat::CreateNode(root, (tree & 0x20) != 0 ? rootPayload : pat::kStatusRecordTag, &reportedPointer,
                        sizeof reportedPointer);

    char *text = static_cast<char *>(malloc(capacity != 0 ? capacity : 1));
    char *buffer = (tree & 0x80) != 0 ? nullptr : text;
    uint32_t length = capacity;
    int ok = PatGetStatusString(deviceClass, root, 3 | option << 8, option, buffer, &length);
    Require(ok == 0 || buffer != nullptr);
    CheckText(ok, text, capacity, length, 512);

    length = capacity;
    ok = PatGetStatusHelpFileName(deviceClass, &reported, 0, text, &length);
    CheckText(ok, text, capacity, length, 512);

    // Kinds 1 and 2 name a tray or bin by the rest of the input; kind 3 keys
    // a device by its first four bytes.
    const uint32_t kind = (flags >> 2) & 3;
    const std::string name(reinterpret_cast<const char *>(rest), restSize);
    uint32_t key = 0;
    memcpy(&key, rest, restSize < 4 ? restSize : 4);
    const uint32_t revision = (flags & 0x10) != 0 ? 0x95 : kind == 3 ? 0x96 : 0x97;
    length = capacity;
    ok = PatGetDeviceName(kind, kind == 3 ? static_cast<const void *>(&key) : name.c_str(), revision, text, &length);
    CheckText(ok, text, capacity, length, 256);

    free(text);
    pat::FreeTree(root);
    Require(Contents(&base) == baseBefore && Contents(&reported) == reportedBefore);
    FreeRecordAsHost(&base);
    FreeRecordAsHost(&reported);
    Require(pat::portable::HeapLiveBlocks() == before);
    return 0;
}
