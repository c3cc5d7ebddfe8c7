#include "printer_mib/mib_conversion.h"

#include "pat/pat.h"
#include "printer_mib/mib_blocks.h"

namespace pathost {

namespace {

constexpr uint32_t kStatusClass = 1, kConfigClass = 0x8000;
constexpr uint32_t kStatusRevision = 'd', kConfigRevision = 'h';
// Conversion masks of the two blocks.
constexpr uint32_t kConfigModel = 0x1, kConfigTrays = 0x2, kConfigBins = 0x4;
constexpr uint32_t kStatusWord = 0x1, kStatusEngine = 0x2, kStatusEmulations = 0x4;

Expected<bool> Call(const Module &module, PrnInfoEx *record, uint32_t deviceClass, const void *block,
                    uint32_t revision, uint32_t mask, const char *name, MibConversion &conversion) {
    Expected<int> result = module.PMInfoToPrnInfoEx(deviceClass, block, revision, mask, record);
    if (!result) return std::unexpected(result.error());
    MibConversionCall call{name, mask, *result, *result ? 0 : module.LastError()};
    conversion.calls.push_back(call);
    return *result != 0;
}

bool Has(uint32_t mask, uint32_t category) { return (mask & category) != 0; }

}  // namespace

MibParts ModelParts(uint32_t asked) {
    MibParts parts;
    parts.modelName = Has(asked, PAT_CAT_IDENTITY);
    parts.memory = Has(asked, PAT_CAT_CONFIG);
    return parts;
}

MibParts RestParts(uint32_t asked, uint32_t pjl, uint32_t deviceId) {
    auto open = [&](uint32_t category) { return Has(asked, category) && !Has(pjl | deviceId, category); };
    MibParts parts;
    parts.trays = open(PAT_CAT_INTRAYS);
    parts.bins = open(PAT_CAT_OUTBINS);
    parts.emulations = open(PAT_CAT_EMULATIONS);
    // The status word and the engine statuses share one list in the record:
    // the MIB gives both or neither.
    parts.statusWord = open(PAT_CAT_STATUS) && open(PAT_CAT_ENGINE_STATUS);
    parts.engineStatuses = parts.statusWord;
    return parts;
}

std::vector<CategorySource> CategorySources(uint32_t asked, uint32_t pjl, uint32_t deviceId, const MibParts &filled,
                                            const PrinterMib *mib) {
    struct Row {
        const char *name;
        uint32_t category;
        bool fromMib;
    };
    const Row rows[] = {
        {"status", PAT_CAT_STATUS, filled.statusWord},       {"config", PAT_CAT_CONFIG, filled.memory},
        {"trays", PAT_CAT_INTRAYS, filled.trays},            {"bins", PAT_CAT_OUTBINS, filled.bins},
        {"emulations", PAT_CAT_EMULATIONS, filled.emulations}, {"fonts", PAT_CAT_FONTS, false},
        {"identity", PAT_CAT_IDENTITY, filled.modelName},    {"options", PAT_CAT_OPTIONS, false},
        {"engine", PAT_CAT_ENGINE_STATUS, filled.engineStatuses},
    };
    std::vector<CategorySource> sources;
    for (const Row &row : rows) {
        if (!Has(asked, row.category)) continue;
        const char *source = Has(deviceId, row.category) ? "device-id"
                             : Has(pjl, row.category)    ? "pjl"
                             : row.fromMib               ? "printer-mib"
                                                         : "none";
        sources.push_back({row.name, source});
    }
    if (mib != nullptr) {
        sources.push_back({"supplies", mib->supplies.empty() ? "none" : "printer-mib"});
        sources.push_back({"alerts", mib->alerts.empty() && !mib->alertsComplete ? "none" : "printer-mib"});
        sources.push_back({"pageCount", mib->pageCount ? "printer-mib" : "none"});
    }
    return sources;
}

Expected<MibConversion> ConvertPrinterMib(const Module &module, PrnInfoEx *record, const PrinterMib &mib,
                                          const MibParts &wanted) {
    MibBlocks blocks(mib, wanted.modelName, wanted.memory);
    MibConversion conversion;

    uint32_t config = 0;
    if ((wanted.modelName || wanted.memory) && blocks.hasModel()) config |= kConfigModel;
    if (wanted.trays && blocks.hasTrays()) config |= kConfigTrays;
    if (wanted.bins && blocks.hasBins()) config |= kConfigBins;
    if (config != 0) {
        Expected<bool> done = Call(module, record, kConfigClass, blocks.config(), kConfigRevision, config,
                                   "Printer MIB configuration block", conversion);
        if (!done) return std::unexpected(done.error());
        if (*done) {
            conversion.filled.modelName = (config & kConfigModel) && wanted.modelName && !mib.deviceDescr.empty();
            conversion.filled.memory = (config & kConfigModel) && wanted.memory && mib.memoryBytes.has_value();
            conversion.filled.trays = config & kConfigTrays;
            conversion.filled.bins = config & kConfigBins;
        }
    }

    uint32_t status = 0;
    if (wanted.statusWord && blocks.hasStatusWord()) status |= kStatusWord;
    if (wanted.engineStatuses && blocks.hasEngineStatuses()) status |= kStatusEngine;
    if (wanted.emulations && blocks.hasEmulations()) status |= kStatusEmulations;
    if (status != 0) {
        Expected<bool> done = Call(module, record, kStatusClass, blocks.status(), kStatusRevision, status,
                                   "Printer MIB status block", conversion);
        if (!done) return std::unexpected(done.error());
        if (*done) {
            conversion.filled.statusWord = status & kStatusWord;
            conversion.filled.engineStatuses = status & kStatusEngine;
            conversion.filled.emulations = status & kStatusEmulations;
        }
    }
    return conversion;
}

}  // namespace pathost
