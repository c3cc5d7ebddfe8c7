#include "snapshot/snapshot_json.h"

namespace pathost {

namespace {

Json Text(const std::optional<std::string> &text) { return text ? Json(*text) : Json(nullptr); }

// A list as the array of its items, each made by `item`.
template <typename Item, typename Make>
Json List(const std::vector<Item> &items, Make item) {
    Json list = Json::array();
    for (const Item &i : items) list.push_back(item(i));
    return list;
}

Json Field(const char *name, uint32_t value) { return Json{{name, value}}; }

Json CounterJson(const Counter &c) { return {{"wKind", c.kind}, {"lValue", c.value}}; }
Json PackageJson(const Package &p) {
    return {{"wIndex", p.index}, {"szName", p.name}, {"szText", p.text}, {"dwState", p.state}};
}

Json Values(const std::vector<uint32_t> &values) { return Json(values); }

Json Pairs(const std::vector<CodeValue> &pairs, size_t count, const char *code, const char *value) {
    Json list = Json::array();
    for (size_t i = 0; i < count && i < pairs.size(); ++i) list.push_back({{code, pairs[i].code}, {value, pairs[i].value}});
    return list;
}

}  // namespace

Json RecordJson(const PrinterSnapshot &s) {
    Json j;
    j["dwSize"] = s.size;
    j["dwEngineStatusCount"] = s.engineStatusCount;
    j["pEngineStatus"] = List(s.engineStatus, [](const EngineState &e) {
        return Json{{"wStatus", e.wStatus}, {"dwStatus", e.code}, {"szText", e.text}};
    });
    j["pModelName"] = Text(s.modelName);
    j["pMakerName"] = Text(s.makerName);
    j["pDescription"] = Text(s.description);
    j["pSYSVersion"] = Text(s.sysVersion);
    j["pMainProgVersion"] = Text(s.mainProgVersion);
    j["pKVNVersion"] = Text(s.kvnVersion);
    j["dwMemoryKB"] = s.memoryKB;
    j["bStatus"] = s.status;
    j["bModelCode"] = s.modelCode;
    j["bStatusNotOne"] = s.statusNotOne;
    j["bEngineFlag"] = s.engineFlag;
    j["bStatusBit22"] = s.statusBit22;
    j["bStatusBit27"] = s.statusBit27;
    j["dwEmulValue"] = s.emulValue;
    j["dwLoadedEmulCount"] = s.loadedEmulCount;
    j["pLoadedEmul"] = List(s.emulations, [](const Emulation &e) {
        return Json{{"wEmulation", e.code}, {"szVersion", e.version}};
    });
    j["dwLoadedFontCount"] = s.loadedFontCount;
    j["pLoadedFont"] = List(s.fonts, [](uint16_t font) { return Field("wFont", font); });
    j["dwTrayValue"] = s.trayValue;
    j["dwTrayInfoCount"] = s.trayInfoCount;
    j["pTrayInfo"] = List(s.trays, [](const Tray &t) {
        return Json{{"wTray", t.code}, {"wPaperSize", t.paper}, {"wLevel", t.level}, {"wMedia", t.media},
                    {"dwAttributes", t.attributes}};
    });
    j["dwBinValue"] = s.binValue;
    j["dwOutBinInfoCount"] = s.outBinInfoCount;
    j["pOutBinInfo"] = List(s.bins, [](const OutputBin &b) { return Json{{"wBin", b.code}, {"wState", b.state}}; });
    j["dwDeviceInfoCount"] = s.deviceInfoCount;
    j["pDeviceInfo"] = List(s.devices, [](uint16_t device) { return Field("wDevice", device); });
    j["dwEmulUniqInfoCount"] = s.emulUniqInfoCount;
    j["pEmulUniqInfo"] = List(s.emulationDetails, [](const EmulationDetail &u) {
        return Json{{"wEmulation", u.emulation}, {"dwMemoryUsage", u.memoryUsage}, {"szOther", u.other},
                    {"dwImageRotation", u.imageRotation}};
    });
    j["dwCounterInfoCount"] = s.counterInfoCount;
    j["pCounterInfo"] = List(s.counters, CounterJson);
    j["dwSupplyInfoCount"] = s.supplyInfoCount;
    j["pSupplyInfo"] = List(s.supplies, CounterJson);
    j["dwColorCorrectionCount"] = s.colorCorrectionCount;
    j["pColorCorrection"] = List(s.colorCorrections, [](uint32_t size) { return Field("size", size); });
    j["dwCustomMediaInfoCount"] = s.customMediaInfoCount;
    j["pCustomMediaInfo"] = List(s.customMedia, [](uint32_t size) { return Field("size", size); });
    j["bFunc2008"] = s.func2008;
    j["bCopyGuard"] = s.copyGuard;
    j["dwFuncpkgInfoCount"] = s.funcpkgInfoCount;
    j["pFuncpkgInfo"] = List(s.functionPackages, PackageJson);
    j["dwFuncInfoCount"] = s.funcInfoCount;
    j["pFuncInfo"] = List(s.functions, [](uint32_t function) { return Field("dwFunction", function); });
    j["dwSalespkgInfoCount"] = s.salespkgInfoCount;
    j["pSalespkgInfo"] = List(s.salesPackages, PackageJson);
    return j;
}

Json FlatJson(const FlatSnapshot &f) {
    Json j;
    j["dwEngineStatus"] = f.engineStatus;
    j["dwStatusValue"] = f.statusValue;
    j["dwTrayValue"] = f.trayValue;
    j["dwMemoryKB"] = f.memoryKB;
    j["szSysVersion"] = f.sysVersion;
    j["szMainProgVersion"] = f.mainProgVersion;
    j["szKVNVersion"] = f.kvnVersion;
    j["dwEmulValue"] = f.emulValue;
    j["adwEmulations"] = Values(f.emulations);
    j["dwEmulationCount"] = f.emulationCount;
    j["adwFonts"] = Values(f.fonts);
    j["dwFontCount"] = f.fontCount;
    j["aTrayPaper"] = Pairs(f.trayPaper, f.trayPaper.size(), "dwTray", "dwPaperSize");
    j["dwTrayCount"] = f.trayCount;
    j["szModelName"] = f.modelName;
    j["szMakerName"] = f.makerName;
    j["szDescription"] = f.description;
    j["bModelCode"] = f.modelCode;
    j["bStatusNotOne"] = f.statusNotOne;
    j["bEngineFlag"] = f.engineFlag;
    j["bStatusBit22"] = f.statusBit22;
    j["dwSize"] = f.size;
    j["aTrayLevel"] = Pairs(f.trayLevel, f.trayCount2, "dwTray", "dwLevel");
    j["dwTrayCount2"] = f.trayCount2;
    j["aBins"] = Pairs(f.bins, f.bins.size(), "dwBin", "dwState");
    j["dwBinCount"] = f.binCount;
    j["dwHasDevice1"] = f.hasDevice1;
    j["dwBinValue"] = f.binValue;
    j["adwEngineStatus"] = Values(f.engineStatuses);
    j["dwEngineStatusCount"] = f.engineStatusCount;
    j["dwStatusBit27"] = f.statusBit27;
    j["aTrayMedia"] = Pairs(f.trayMedia, f.trayMedia.size(), "dwTray", "dwMedia");
    return j;
}

}  // namespace pathost
