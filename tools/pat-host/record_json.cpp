#include "record_json.h"

#include <string.h>

#include "module_objects.h"

namespace pathost {

namespace {

Json Text(const char *text) { return text != nullptr ? Json(text) : Json(nullptr); }

template <size_t N>
Json Fixed(const char (&field)[N]) {
    return FixedText(field, N);
}

template <typename Item, typename Fill>
Json List(const Item *head, Fill fill) {
    Json list = Json::array();
    for (const Item *item : ListItems(head)) {
        Json entry = Json::object();
        fill(*item, entry);
        list.push_back(std::move(entry));
    }
    return list;
}

void HeaderOnly(const InfoItem &item, Json &j) { j["size"] = item.size; }

Json Array(const uint32_t *values, uint32_t count, uint32_t capacity) {
    Json list = Json::array();
    for (uint32_t i = 0; i < count && i < capacity; ++i) list.push_back(values[i]);
    return list;
}

Json Pairs(const PatCodePair *pairs, uint32_t count, uint32_t capacity, const char *code, const char *value) {
    Json list = Json::array();
    for (uint32_t i = 0; i < count && i < capacity; ++i) list.push_back({{code, pairs[i].dwCode}, {value, pairs[i].dwValue}});
    return list;
}

}  // namespace

std::string FixedText(const char *field, size_t width) { return std::string(field, strnlen(field, width)); }

Json RecordToJson(const PrnInfoEx &r) {
    Json j;
    j["dwSize"] = r.dwSize;
    j["dwEngineStatusCount"] = r.dwEngineStatusCount;
    j["pEngineStatus"] = List(r.pEngineStatus, [](const EngineStatus &s, Json &e) {
        e["wStatus"] = s.wStatus;
        e["dwStatus"] = s.dwStatus;
        e["szText"] = Fixed(s.szText);
    });
    j["pModelName"] = Text(r.pModelName);
    j["pMakerName"] = Text(r.pMakerName);
    j["pDescription"] = Text(r.pDescription);
    j["pSYSVersion"] = Text(r.pSYSVersion);
    j["pMainProgVersion"] = Text(r.pMainProgVersion);
    j["pKVNVersion"] = Text(r.pKVNVersion);
    j["dwMemoryKB"] = r.dwMemoryKB;
    j["bStatus"] = r.bStatus;
    j["bModelCode"] = r.bModelCode;
    j["bStatusNotOne"] = r.bStatusNotOne;
    j["bEngineFlag"] = r.bEngineFlag;
    j["bStatusBit22"] = r.bStatusBit22;
    j["bStatusBit27"] = r.bStatusBit27;
    j["dwEmulValue"] = r.dwEmulValue;
    j["dwLoadedEmulCount"] = r.dwLoadedEmulCount;
    j["pLoadedEmul"] = List(r.pLoadedEmul, [](const LoadedEmul &e, Json &o) {
        o["wEmulation"] = e.wEmulation;
        o["szVersion"] = Fixed(e.szVersion);
    });
    j["dwLoadedFontCount"] = r.dwLoadedFontCount;
    j["pLoadedFont"] = List(r.pLoadedFont, [](const LoadedFont &f, Json &o) { o["wFont"] = f.wFont; });
    j["dwTrayValue"] = r.dwTrayValue;
    j["dwTrayInfoCount"] = r.dwTrayInfoCount;
    j["pTrayInfo"] = List(r.pTrayInfo, [](const TrayInfo &t, Json &o) {
        o["wTray"] = t.wTray;
        o["wPaperSize"] = t.wPaperSize;
        o["wLevel"] = t.wLevel;
        o["wMedia"] = t.wMedia;
        o["dwAttributes"] = t.dwAttributes;
    });
    j["dwBinValue"] = r.dwBinValue;
    j["dwOutBinInfoCount"] = r.dwOutBinInfoCount;
    j["pOutBinInfo"] = List(r.pOutBinInfo, [](const OutBinInfo &b, Json &o) {
        o["wBin"] = b.wBin;
        o["wState"] = b.wState;
    });
    j["dwDeviceInfoCount"] = r.dwDeviceInfoCount;
    j["pDeviceInfo"] = List(r.pDeviceInfo, [](const DeviceInfo &d, Json &o) { o["wDevice"] = d.wDevice; });
    j["dwEmulUniqInfoCount"] = r.dwEmulUniqInfoCount;
    j["pEmulUniqInfo"] = List(r.pEmulUniqInfo, [](const EmulUniqInfo &u, Json &o) {
        o["wEmulation"] = u.wEmulation;
        o["dwMemoryUsage"] = u.dwMemoryUsage;
        o["szOther"] = Fixed(u.szOther);
        o["dwImageRotation"] = u.dwImageRotation;
    });
    j["dwCounterInfoCount"] = r.dwCounterInfoCount;
    j["pCounterInfo"] = List(r.pCounterInfo, [](const CounterInfo &c, Json &o) {
        o["wKind"] = c.wKind;
        o["lValue"] = c.lValue;
    });
    j["dwSupplyInfoCount"] = r.dwSupplyInfoCount;
    j["pSupplyInfo"] = List(r.pSupplyInfo, [](const SupplyInfo &s, Json &o) {
        o["wKind"] = s.wKind;
        o["lValue"] = s.lValue;
    });
    j["dwColorCorrectionCount"] = r.dwColorCorrectionCount;
    j["pColorCorrection"] = List(r.pColorCorrection, HeaderOnly);
    j["dwCustomMediaInfoCount"] = r.dwCustomMediaInfoCount;
    j["pCustomMediaInfo"] = List(r.pCustomMediaInfo, HeaderOnly);
    j["bFunc2008"] = r.bFunc2008;
    j["bCopyGuard"] = r.bCopyGuard;
    auto package = [](const FuncpkgInfo &p, Json &o) {
        o["wIndex"] = p.wIndex;
        o["szName"] = Fixed(p.szName);
        o["szText"] = Fixed(p.szText);
        o["dwState"] = p.dwState;
    };
    j["dwFuncpkgInfoCount"] = r.dwFuncpkgInfoCount;
    j["pFuncpkgInfo"] = List(r.pFuncpkgInfo, package);
    j["dwFuncInfoCount"] = r.dwFuncInfoCount;
    j["pFuncInfo"] = List(r.pFuncInfo, [](const FuncInfo &f, Json &o) { o["dwFunction"] = f.dwFunction; });
    j["dwSalespkgInfoCount"] = r.dwSalespkgInfoCount;
    j["pSalespkgInfo"] = List(r.pSalespkgInfo, package);
    return j;
}

Json FlatToJson(const PrnInfo &f) {
    Json j;
    j["dwEngineStatus"] = f.dwEngineStatus;
    j["dwStatusValue"] = f.dwStatusValue;
    j["dwTrayValue"] = f.dwTrayValue;
    j["dwMemoryKB"] = f.dwMemoryKB;
    j["szSysVersion"] = Fixed(f.szSysVersion);
    j["szMainProgVersion"] = Fixed(f.szMainProgVersion);
    j["szKVNVersion"] = Fixed(f.szKVNVersion);
    j["dwEmulValue"] = f.dwEmulValue;
    j["adwEmulations"] = Array(f.adwEmulations, f.dwEmulationCount, 32);
    j["dwEmulationCount"] = f.dwEmulationCount;
    j["adwFonts"] = Array(f.adwFonts, f.dwFontCount, 32);
    j["dwFontCount"] = f.dwFontCount;
    j["aTrayPaper"] = Pairs(f.aTrayPaper, f.dwTrayCount, 64, "dwTray", "dwPaperSize");
    j["dwTrayCount"] = f.dwTrayCount;
    j["szModelName"] = Fixed(f.szModelName);
    j["szMakerName"] = Fixed(f.szMakerName);
    j["szDescription"] = Fixed(f.szDescription);
    j["bModelCode"] = f.bModelCode;
    j["bStatusNotOne"] = f.bStatusNotOne;
    j["bEngineFlag"] = f.bEngineFlag;
    j["bStatusBit22"] = f.bStatusBit22;
    j["dwSize"] = f.dwSize;
    j["aTrayLevel"] = Pairs(f.aTrayLevel, f.dwTrayCount2, 16, "dwTray", "dwLevel");
    j["dwTrayCount2"] = f.dwTrayCount2;
    j["aBins"] = Pairs(f.aBins, f.dwBinCount, 16, "dwBin", "dwState");
    j["dwBinCount"] = f.dwBinCount;
    j["dwHasDevice1"] = f.dwHasDevice1;
    j["dwBinValue"] = f.dwBinValue;
    j["adwEngineStatus"] = Array(f.adwEngineStatus, f.dwEngineStatusCount == 1 ? 0 : f.dwEngineStatusCount, 32);
    j["dwEngineStatusCount"] = f.dwEngineStatusCount;
    j["dwStatusBit27"] = f.dwStatusBit27;
    j["aTrayMedia"] = Pairs(f.aTrayMedia, f.dwTrayCount, 64, "dwTray", "dwMedia");
    return j;
}

}  // namespace pathost
