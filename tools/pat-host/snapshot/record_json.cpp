#include "snapshot/record_json.h"

#include <string.h>

#include "module/module_objects.h"

// The list items as nlohmann-json type mappings, found by ADL in the global
// namespace where pat.h declares them. Fields in pat.h order (ordered_json
// keeps it); the next/size header of every item is left out.

// An item whose fields are all numbers.
#define PATHOST_ITEM_JSON(Type, ...)                                                        \
    static void to_json(pathost::Json &nlohmann_json_j, const Type &nlohmann_json_t) {      \
        NLOHMANN_JSON_EXPAND(NLOHMANN_JSON_PASTE(NLOHMANN_JSON_TO, __VA_ARGS__))            \
    }

PATHOST_ITEM_JSON(LoadedFont, wFont)
PATHOST_ITEM_JSON(TrayInfo, wTray, wPaperSize, wLevel, wMedia, dwAttributes)
PATHOST_ITEM_JSON(OutBinInfo, wBin, wState)
PATHOST_ITEM_JSON(DeviceInfo, wDevice)
PATHOST_ITEM_JSON(CounterInfo, wKind, lValue)  // also SupplyInfo, the same layout
PATHOST_ITEM_JSON(FuncInfo, dwFunction)
PATHOST_ITEM_JSON(InfoItem, size)  // lists pat.h gives no item layout: the header's size only

// Items with fixed text fields, which end at their NUL or their width.
template <size_t N>
static std::string Fixed(const char (&field)[N]) {
    return pathost::FixedText(field, N);
}

static void to_json(pathost::Json &j, const EngineStatus &s) {
    j = {{"wStatus", s.wStatus}, {"dwStatus", s.dwStatus}, {"szText", Fixed(s.szText)}};
}
static void to_json(pathost::Json &j, const LoadedEmul &e) {
    j = {{"wEmulation", e.wEmulation}, {"szVersion", Fixed(e.szVersion)}};
}
static void to_json(pathost::Json &j, const EmulUniqInfo &u) {
    j = {{"wEmulation", u.wEmulation}, {"dwMemoryUsage", u.dwMemoryUsage}, {"szOther", Fixed(u.szOther)},
         {"dwImageRotation", u.dwImageRotation}};
}
static void to_json(pathost::Json &j, const FuncpkgInfo &p) {
    j = {{"wIndex", p.wIndex}, {"szName", Fixed(p.szName)}, {"szText", Fixed(p.szText)}, {"dwState", p.dwState}};
}

namespace pathost {

namespace {

// A record's linked list, as the array of its items.
template <typename Item>
struct Chain {
    const Item *head;
};

template <typename Item>
void to_json(Json &j, const Chain<Item> &chain) {
    j = Json::array();
    for (const Item *item : ListItems(chain.head)) j.push_back(*item);
}

template <typename Item>
Chain<Item> List(const Item *head) {
    return {head};
}

Json Text(const char *text) { return text != nullptr ? Json(text) : Json(nullptr); }

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
    j["pEngineStatus"] = List(r.pEngineStatus);
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
    j["pLoadedEmul"] = List(r.pLoadedEmul);
    j["dwLoadedFontCount"] = r.dwLoadedFontCount;
    j["pLoadedFont"] = List(r.pLoadedFont);
    j["dwTrayValue"] = r.dwTrayValue;
    j["dwTrayInfoCount"] = r.dwTrayInfoCount;
    j["pTrayInfo"] = List(r.pTrayInfo);
    j["dwBinValue"] = r.dwBinValue;
    j["dwOutBinInfoCount"] = r.dwOutBinInfoCount;
    j["pOutBinInfo"] = List(r.pOutBinInfo);
    j["dwDeviceInfoCount"] = r.dwDeviceInfoCount;
    j["pDeviceInfo"] = List(r.pDeviceInfo);
    j["dwEmulUniqInfoCount"] = r.dwEmulUniqInfoCount;
    j["pEmulUniqInfo"] = List(r.pEmulUniqInfo);
    j["dwCounterInfoCount"] = r.dwCounterInfoCount;
    j["pCounterInfo"] = List(r.pCounterInfo);
    j["dwSupplyInfoCount"] = r.dwSupplyInfoCount;
    j["pSupplyInfo"] = List(r.pSupplyInfo);
    j["dwColorCorrectionCount"] = r.dwColorCorrectionCount;
    j["pColorCorrection"] = List(r.pColorCorrection);
    j["dwCustomMediaInfoCount"] = r.dwCustomMediaInfoCount;
    j["pCustomMediaInfo"] = List(r.pCustomMediaInfo);
    j["bFunc2008"] = r.bFunc2008;
    j["bCopyGuard"] = r.bCopyGuard;
    j["dwFuncpkgInfoCount"] = r.dwFuncpkgInfoCount;
    j["pFuncpkgInfo"] = List(r.pFuncpkgInfo);
    j["dwFuncInfoCount"] = r.dwFuncInfoCount;
    j["pFuncInfo"] = List(r.pFuncInfo);
    j["dwSalespkgInfoCount"] = r.dwSalespkgInfoCount;
    j["pSalespkgInfo"] = List(r.pSalespkgInfo);
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
