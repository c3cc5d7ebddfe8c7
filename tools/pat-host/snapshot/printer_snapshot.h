// A printer as one poll left it: the PrnInfoEx record and the flat PrnInfo,
// copied once into typed fields after the module's calls. Everything that
// reports a poll reads this, never the module's record or a JSON document, and
// the values the module writes as sentinels are decoded here only. Lists hold
// their items without the next/size header; counts are kept as the module set
// them. Small on purpose: serve keeps one per printer.
#ifndef PAT_HOST_PRINTER_SNAPSHOT_H
#define PAT_HOST_PRINTER_SNAPSHOT_H

#include <stdint.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "pat/pat.h"

namespace pathost {

// A 32-bit field whose source did not say.
inline constexpr uint32_t kNotReported = 0xFFFFFFFFu;
// The engine status of a printer ready to print (as in the device ID's STS).
inline constexpr uint32_t kEngineReady = 10001;

struct EngineState {
    uint16_t wStatus = 0;
    uint32_t code = 0;  // dwStatus
    std::string text;
    bool ready() const { return code == kEngineReady; }
};

struct Emulation {
    uint16_t code = 0;
    std::string version;
};

struct Tray {
    uint16_t code = 0;
    uint16_t paper = 0;  // paper size code, 0 when none is known
    uint16_t level = 0;  // percent, as the module wrote it
    uint16_t media = 0;
    uint32_t attributes = 0;
    bool attributesReported() const { return attributes != kNotReported; }
    bool locked() const { return attributesReported() && (attributes & PAT_TRAY_LOCKED) != 0; }
    // For a level bar: never beyond full.
    unsigned levelPercent() const { return std::min<unsigned>(level, 100); }
};

struct OutputBin {
    uint16_t code = 0;
    uint16_t state = 0;  // 0 ready, 1 paper present, 2 full
};

struct EmulationDetail {  // EmulUniqInfo
    uint16_t emulation = 0;
    uint32_t memoryUsage = 0;
    std::string other;
    uint32_t imageRotation = 0;
};

struct Counter {  // CounterInfo, SupplyInfo
    uint16_t kind = 0;
    int32_t value = 0;
};

struct Package {  // FuncpkgInfo, SalespkgInfo
    uint16_t index = 0;
    std::string name;
    std::string text;
    uint32_t state = 0;
    bool active() const { return state == 1; }
};

struct CodeValue {  // PatCodePair
    uint32_t code = 0;
    uint32_t value = 0;
};

// PrnInfo as PatPrnInfoExToPrnInfo filled it, its arrays cut to their counts.
struct FlatSnapshot {
    uint32_t engineStatus = 0;
    uint32_t statusValue = 0;
    uint32_t trayValue = 0;
    uint32_t memoryKB = 0;
    std::string sysVersion, mainProgVersion, kvnVersion;
    uint32_t emulValue = 0;
    std::vector<uint32_t> emulations;
    uint32_t emulationCount = 0;
    std::vector<uint32_t> fonts;
    uint32_t fontCount = 0;
    std::vector<CodeValue> trayPaper;  // dwTray, dwPaperSize
    uint32_t trayCount = 0;
    std::string modelName, makerName, description;
    uint8_t modelCode = 0, statusNotOne = 0, engineFlag = 0, statusBit22 = 0;
    uint32_t size = 0;
    // dwTray, dwLevel: the first trayCount2, and as many as trayLevelOf needs.
    std::vector<CodeValue> trayLevel;
    uint32_t trayCount2 = 0;
    std::vector<CodeValue> bins;  // dwBin, dwState
    uint32_t binCount = 0;
    uint32_t hasDevice1 = 0;
    uint32_t binValue = 0;
    std::vector<uint32_t> engineStatuses;  // empty when the one status is engineStatus itself
    uint32_t engineStatusCount = 0;
    uint32_t statusBit27 = 0;
    std::vector<CodeValue> trayMedia;  // dwTray, dwMedia

    // The level slot beside the i-th tray of trayPaper (the level array holds 16).
    const CodeValue *trayLevelOf(size_t i) const { return i < trayLevel.size() ? &trayLevel[i] : nullptr; }
};

// The PatPrnInfoExToPrnInfo call and, when it succeeded, its record.
struct FlatConversion {
    bool ok = false;
    uint32_t lastError = 0;
    std::optional<FlatSnapshot> record;  // when ok
};

// PrnInfoEx, every field but the reserved bytes and the host area.
struct PrinterSnapshot {
    uint32_t size = 0;
    uint32_t engineStatusCount = 0;
    std::vector<EngineState> engineStatus;
    std::optional<std::string> modelName, makerName, description;  // unset: the module never set them
    std::optional<std::string> sysVersion, mainProgVersion, kvnVersion;
    uint32_t memoryKB = 0;
    uint8_t status = 0, modelCode = 0, statusNotOne = 0, engineFlag = 0, statusBit22 = 0, statusBit27 = 0;
    uint32_t emulValue = 0;
    uint32_t loadedEmulCount = 0;
    std::vector<Emulation> emulations;
    uint32_t loadedFontCount = 0;
    std::vector<uint16_t> fonts;
    uint32_t trayValue = 0;
    uint32_t trayInfoCount = 0;
    std::vector<Tray> trays;
    uint32_t binValue = 0;
    uint32_t outBinInfoCount = 0;
    std::vector<OutputBin> bins;
    uint32_t deviceInfoCount = 0;
    std::vector<uint16_t> devices;
    uint32_t emulUniqInfoCount = 0;
    std::vector<EmulationDetail> emulationDetails;
    uint32_t counterInfoCount = 0;
    std::vector<Counter> counters;
    uint32_t supplyInfoCount = 0;
    std::vector<Counter> supplies;
    // Lists pat.h gives no item layout: each item's size only.
    uint32_t colorCorrectionCount = 0;
    std::vector<uint32_t> colorCorrections;
    uint32_t customMediaInfoCount = 0;
    std::vector<uint32_t> customMedia;
    uint8_t func2008 = 0;
    uint8_t copyGuard = 0;
    uint32_t funcpkgInfoCount = 0;
    std::vector<Package> functionPackages;
    uint32_t funcInfoCount = 0;
    std::vector<uint32_t> functions;
    uint32_t salespkgInfoCount = 0;
    std::vector<Package> salesPackages;

    std::optional<FlatConversion> flat;  // absent when the conversion was not called

    uint64_t memoryBytes() const { return uint64_t{memoryKB} * 1024; }
    // True when the printer reports no engine status, or only "ready".
    bool engineReady() const {
        return std::all_of(engineStatus.begin(), engineStatus.end(), [](const EngineState &s) { return s.ready(); });
    }
    // The flat record, when the conversion gave one.
    const FlatSnapshot *flatRecord() const { return flat && flat->record ? &*flat->record : nullptr; }
};

PrinterSnapshot SnapshotOf(const PrnInfoEx &record);
FlatConversion ConversionOf(bool ok, uint32_t lastError, const PrnInfo &flat);

// A fixed text field, up to its NUL or its width.
std::string FixedText(const char *field, size_t width);

}  // namespace pathost

#endif
