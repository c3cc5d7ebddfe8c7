#include "snapshot/printer_snapshot.h"

#include <string.h>

#include "module/module_objects.h"

namespace pathost {

namespace {

template <size_t N>
std::string Fixed(const char (&field)[N]) {
    return FixedText(field, N);
}

std::optional<std::string> Text(const char *text) {
    return text != nullptr ? std::optional<std::string>(text) : std::nullopt;
}

// A record's linked list as typed items.
template <typename Item, typename Made, typename Make>
std::vector<Made> Items(const Item *head, Make make) {
    std::vector<Made> items;
    for (const Item *item : ListItems(head)) items.push_back(make(*item));
    items.shrink_to_fit();
    return items;
}

std::vector<uint32_t> Values(const uint32_t *values, uint32_t count, uint32_t capacity) {
    return std::vector<uint32_t>(values, values + std::min(count, capacity));
}

std::vector<CodeValue> Pairs(const PatCodePair *pairs, uint32_t count, uint32_t capacity) {
    std::vector<CodeValue> list;
    list.reserve(std::min(count, capacity));
    for (uint32_t i = 0; i < count && i < capacity; ++i) list.push_back({pairs[i].dwCode, pairs[i].dwValue});
    return list;
}

Counter CounterOf(const CounterInfo &c) { return {c.wKind, c.lValue}; }
Package PackageOf(const FuncpkgInfo &p) { return {p.wIndex, Fixed(p.szName), Fixed(p.szText), p.dwState}; }

}  // namespace

std::string FixedText(const char *field, size_t width) { return std::string(field, strnlen(field, width)); }

PrinterSnapshot SnapshotOf(const PrnInfoEx &r) {
    PrinterSnapshot s;
    s.size = r.dwSize;
    s.engineStatusCount = r.dwEngineStatusCount;
    s.engineStatus = Items<EngineStatus, EngineState>(r.pEngineStatus, [](const EngineStatus &e) {
        return EngineState{e.wStatus, e.dwStatus, Fixed(e.szText)};
    });
    s.modelName = Text(r.pModelName);
    s.makerName = Text(r.pMakerName);
    s.description = Text(r.pDescription);
    s.sysVersion = Text(r.pSYSVersion);
    s.mainProgVersion = Text(r.pMainProgVersion);
    s.kvnVersion = Text(r.pKVNVersion);
    s.memoryKB = r.dwMemoryKB;
    s.status = r.bStatus;
    s.modelCode = r.bModelCode;
    s.statusNotOne = r.bStatusNotOne;
    s.engineFlag = r.bEngineFlag;
    s.statusBit22 = r.bStatusBit22;
    s.statusBit27 = r.bStatusBit27;
    s.emulValue = r.dwEmulValue;
    s.loadedEmulCount = r.dwLoadedEmulCount;
    s.emulations = Items<LoadedEmul, Emulation>(r.pLoadedEmul, [](const LoadedEmul &e) {
        return Emulation{e.wEmulation, Fixed(e.szVersion)};
    });
    s.loadedFontCount = r.dwLoadedFontCount;
    s.fonts = Items<LoadedFont, uint16_t>(r.pLoadedFont, [](const LoadedFont &f) { return f.wFont; });
    s.trayValue = r.dwTrayValue;
    s.trayInfoCount = r.dwTrayInfoCount;
    s.trays = Items<TrayInfo, Tray>(r.pTrayInfo, [](const TrayInfo &t) {
        return Tray{t.wTray, t.wPaperSize, t.wLevel, t.wMedia, t.dwAttributes};
    });
    s.binValue = r.dwBinValue;
    s.outBinInfoCount = r.dwOutBinInfoCount;
    s.bins = Items<OutBinInfo, OutputBin>(r.pOutBinInfo, [](const OutBinInfo &b) { return OutputBin{b.wBin, b.wState}; });
    s.deviceInfoCount = r.dwDeviceInfoCount;
    s.devices = Items<DeviceInfo, uint16_t>(r.pDeviceInfo, [](const DeviceInfo &d) { return d.wDevice; });
    s.emulUniqInfoCount = r.dwEmulUniqInfoCount;
    s.emulationDetails = Items<EmulUniqInfo, EmulationDetail>(r.pEmulUniqInfo, [](const EmulUniqInfo &u) {
        return EmulationDetail{u.wEmulation, u.dwMemoryUsage, Fixed(u.szOther), u.dwImageRotation};
    });
    s.counterInfoCount = r.dwCounterInfoCount;
    s.counters = Items<CounterInfo, Counter>(r.pCounterInfo, CounterOf);
    s.supplyInfoCount = r.dwSupplyInfoCount;
    s.supplies = Items<SupplyInfo, Counter>(r.pSupplyInfo, CounterOf);
    s.colorCorrectionCount = r.dwColorCorrectionCount;
    s.colorCorrections = Items<InfoItem, uint32_t>(r.pColorCorrection, [](const InfoItem &i) { return i.size; });
    s.customMediaInfoCount = r.dwCustomMediaInfoCount;
    s.customMedia = Items<InfoItem, uint32_t>(r.pCustomMediaInfo, [](const InfoItem &i) { return i.size; });
    s.func2008 = r.bFunc2008;
    s.copyGuard = r.bCopyGuard;
    s.funcpkgInfoCount = r.dwFuncpkgInfoCount;
    s.functionPackages = Items<FuncpkgInfo, Package>(r.pFuncpkgInfo, PackageOf);
    s.funcInfoCount = r.dwFuncInfoCount;
    s.functions = Items<FuncInfo, uint32_t>(r.pFuncInfo, [](const FuncInfo &f) { return f.dwFunction; });
    s.salespkgInfoCount = r.dwSalespkgInfoCount;
    s.salesPackages = Items<SalespkgInfo, Package>(r.pSalespkgInfo, PackageOf);
    return s;
}

FlatConversion ConversionOf(bool ok, uint32_t lastError, const PrnInfo &f) {
    FlatConversion conversion{ok, lastError, std::nullopt};
    if (!ok) return conversion;
    FlatSnapshot &s = conversion.record.emplace();
    s.engineStatus = f.dwEngineStatus;
    s.statusValue = f.dwStatusValue;
    s.trayValue = f.dwTrayValue;
    s.memoryKB = f.dwMemoryKB;
    s.sysVersion = Fixed(f.szSysVersion);
    s.mainProgVersion = Fixed(f.szMainProgVersion);
    s.kvnVersion = Fixed(f.szKVNVersion);
    s.emulValue = f.dwEmulValue;
    s.emulations = Values(f.adwEmulations, f.dwEmulationCount, 32);
    s.emulationCount = f.dwEmulationCount;
    s.fonts = Values(f.adwFonts, f.dwFontCount, 32);
    s.fontCount = f.dwFontCount;
    s.trayPaper = Pairs(f.aTrayPaper, f.dwTrayCount, 64);
    s.trayCount = f.dwTrayCount;
    s.modelName = Fixed(f.szModelName);
    s.makerName = Fixed(f.szMakerName);
    s.description = Fixed(f.szDescription);
    s.modelCode = f.bModelCode;
    s.statusNotOne = f.bStatusNotOne;
    s.engineFlag = f.bEngineFlag;
    s.statusBit22 = f.bStatusBit22;
    s.size = f.dwSize;
    // The level array beside the paper array, as far as either count reaches.
    s.trayLevel = Pairs(f.aTrayLevel, std::max(f.dwTrayCount2, f.dwTrayCount), 16);
    s.trayCount2 = f.dwTrayCount2;
    s.bins = Pairs(f.aBins, f.dwBinCount, 16);
    s.binCount = f.dwBinCount;
    s.hasDevice1 = f.dwHasDevice1;
    s.binValue = f.dwBinValue;
    // One status is dwEngineStatus itself; the array holds several.
    s.engineStatuses = Values(f.adwEngineStatus, f.dwEngineStatusCount == 1 ? 0 : f.dwEngineStatusCount, 32);
    s.engineStatusCount = f.dwEngineStatusCount;
    s.statusBit27 = f.dwStatusBit27;
    s.trayMedia = Pairs(f.aTrayMedia, f.dwTrayCount, 64);
    return conversion;
}

}  // namespace pathost
