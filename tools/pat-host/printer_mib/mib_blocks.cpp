#include "printer_mib/mib_blocks.h"

#include "printer_mib/mib_mappings.h"

namespace pathost {

namespace {

// hrMemorySize is in KiB and the block's memory a 32-bit count of bytes: an
// agent reporting 4 GiB or more is given the most the field can say.
uint32_t MemoryBytes(uint64_t bytes) { return bytes >= 0xFFFFFC00u ? 0xFFFFFC00u : static_cast<uint32_t>(bytes); }

}  // namespace

const char *MibBlocks::Text(const std::string &text) {
    if (text.empty()) return nullptr;
    return texts_.emplace_back(text).c_str();  // a deque never moves what it holds
}

template <typename Record>
PMList *MibBlocks::List(std::vector<Record> &records, std::vector<void *> &items, PMList &list) {
    for (Record &record : records) items.push_back(&record);
    list.count = static_cast<uint32_t>(items.size());
    list.items = items.data();
    return &list;
}

MibBlocks::MibBlocks(const PrinterMib &mib, bool modelName, bool memory) {
    model_.pszModel = modelName ? Text(mib.deviceDescr) : nullptr;
    model_.dwMemory = memory && mib.memoryBytes ? MemoryBytes(*mib.memoryBytes) : kNotReported;
    config_.pModel = &model_;

    // Filled whole before any pointer to them is taken: the vectors never grow after.
    for (const MibInput &input : mib.inputs) {
        PMTrayRecord tray{};
        tray.pszName = Text(input.name);
        tray.dwLevel = TrayLevelBits(input.level, input.maxCapacity);
        tray.dwWidth = DimensionMm(input.crossFeed, input.dimUnit);
        tray.dwHeight = DimensionMm(input.feed, input.dimUnit);
        tray.pszMediaName = Text(input.mediaName);
        tray.dwMedia = kNotReported;       // the MIB has media names, no media bits
        tray.dwSizeSelect = 0;             // the plain paper-size table
        tray.dwAttributes = kNotReported;  // no custom-paper or size attributes
        trays_.push_back(tray);
    }
    for (const MibOutput &output : mib.outputs) bins_.push_back({Text(output.name), BinFlags(output.remaining)});
    config_.pTrays = trays_.empty() ? nullptr : List(trays_, trayItems_, trayList_);
    config_.pBins = bins_.empty() ? nullptr : List(bins_, binItems_, binList_);

    statusWord_.dwWord = StatusWord(mib);
    status_.pStatusWord = &statusWord_;
    for (const MibAlert &alert : mib.alerts) {
        if (!IsActiveState(alert)) continue;
        PMEngineStatusRecord record{};
        record.dwCode = EngineCodeOf(alert.code);
        std::string meaning = EngineCodeMeaning(record.dwCode);
        record.pszText = Text(!alert.description.empty() ? alert.description : meaning);
        record.dwKind = alert.severity && *alert.severity >= 0 ? static_cast<uint32_t>(*alert.severity) : kNotReported;
        engineStatuses_.push_back(record);
    }
    // No alert is news only when the whole table was read: then the printer
    // has none, and the module records it as ready.
    engineKnown_ = !engineStatuses_.empty() || mib.alertsComplete;
    if (engineKnown_) status_.pEngineStatuses = List(engineStatuses_, engineItems_, engineList_);
    for (const MibInterpreter &interpreter : mib.interpreters) {
        std::string name = EmulationNameOf(interpreter);
        if (name.empty()) continue;
        PMEmulationRecord record{};
        record.pszName = Text(name);
        record.pszVersion = Text(interpreter.version);
        emulations_.push_back(record);
    }
    status_.pEmulations = emulations_.empty() ? nullptr : List(emulations_, emulationItems_, emulationList_);
}

}  // namespace pathost
