// The device ID parser alone, on arbitrary text without a terminator, under
// the shipped tables or under tables with rows (command sets, supply kinds,
// model names, an engine-status classification), parsed twice into one record
// as repeated polls do. A nonzero third byte makes that allocation of the
// first parse fail. The parser must read nothing outside the text, fail only
// with 8 and only when an allocation failed, and leave the record consistent
// and the heap balanced.
#include "api/module_config.h"
#include "fuzz_support.h"
#include "reply/device_id_parser.h"
#include "reply/device_id_rows.h"

using namespace pat::fuzz;

// Input: [tables: bit 0 of byte 0][failing allocation: byte 1][device ID text].
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const pat::ModuleConfig withRows = pat::test::DeviceIdConfigWithRows();
    if (size < 2) return 0;
    pat::InstallConfig((data[0] & 1) != 0 ? &withRows : &pat::ShippedConfig());
    const uint32_t before = pat::portable::HeapLiveBlocks();
    const char *text = reinterpret_cast<const char *>(data + 2);
    const uint32_t length = static_cast<uint32_t>(size - 2);
    PrnInfoEx record = FreshRecord();
    for (int parse = 0; parse < 2; ++parse) {
        pat::portable::HeapFailNthAllocation(parse == 0 ? data[1] : 0);
        pat::Status status = pat::ParseDeviceId(text, length, &record);
        bool failed = data[1] != 0 && pat::portable::HeapAllocationsSinceArmed() >= data[1];
        pat::portable::HeapFailNthAllocation(0);
        Require(status == pat::kOk || (status == pat::kNoMemory && parse == 0 && failed));
        Require(pat::FindRecordViolation(&record) == nullptr);
    }
    FreeRecordAsHost(&record);
    Require(pat::portable::HeapLiveBlocks() == before);
    return 0;
}
