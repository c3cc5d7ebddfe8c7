#include "report/printer_mib_json.h"

#include <cmath>

#include "printer_mib/mib_mappings.h"
#include "printer_mib/mib_names.h"

namespace pathost {

namespace {

using Json = nlohmann::ordered_json;

Json Number(const std::optional<int32_t> &value) { return value ? Json(*value) : Json(nullptr); }

// A number and, beside it under `name`, what the RFC calls it.
void Enumerated(Json &j, const char *key, const std::optional<int32_t> &value, const std::string &name) {
    j[key] = Number(value);
    j[std::string(key) + "Name"] = value ? Json(name) : Json(nullptr);
}

Json InputJson(const MibInput &in) {
    Json j = {{"index", in.index}, {"name", in.name}};
    Enumerated(j, "dimUnit", in.dimUnit, DimUnitName(in.dimUnit));
    j["feed"] = Number(in.feed);
    j["crossFeed"] = Number(in.crossFeed);
    uint32_t width = DimensionMm(in.crossFeed, in.dimUnit), height = DimensionMm(in.feed, in.dimUnit);
    j["widthMm"] = width == kNotReported ? Json(nullptr) : Json(width);
    j["heightMm"] = height == kNotReported ? Json(nullptr) : Json(height);
    Enumerated(j, "capacityUnit", in.capacityUnit, CapacityUnitName(in.capacityUnit));
    j["maxCapacity"] = Number(in.maxCapacity);
    j["level"] = Number(in.level);
    j["status"] = Number(in.status);
    j["mediaName"] = in.mediaName;
    j["mediaType"] = in.mediaType;
    return j;
}

Json OutputJson(const MibOutput &out) {
    return {{"index", out.index},
            {"name", out.name},
            {"maxCapacity", Number(out.maxCapacity)},
            {"remaining", Number(out.remaining)},
            {"full", out.remaining ? Json(*out.remaining == 0) : Json(nullptr)},
            {"status", Number(out.status)}};
}

Json SupplyJson(const MibSupply &s) {
    Json j = {{"index", s.index}, {"description", s.description}, {"colour", s.colour}};
    Enumerated(j, "class", s.supplyClass, SupplyClassName(s.supplyClass));
    Enumerated(j, "type", s.type, SupplyTypeName(s.type));
    Enumerated(j, "unit", s.unit, SupplyUnitName(s.unit));
    j["maxCapacity"] = Number(s.maxCapacity);
    j["level"] = Number(s.level);
    std::optional<double> ratio = s.ratio();
    j["percent"] = ratio ? Json(std::round(*ratio * 1000) / 10) : Json(nullptr);
    j["levelMeaning"] = ratio ? Json(nullptr) : Json(s.levelMeaning());
    return j;
}

Json AlertJson(const MibAlert &a) {
    Json j = {{"index", a.index}};
    Enumerated(j, "severity", a.severity, AlertSeverityName(a.severity));
    Enumerated(j, "group", a.group, AlertGroupName(a.group));
    j["location"] = Number(a.location);
    Enumerated(j, "code", a.code, AlertCodeName(a.code));
    j["description"] = a.description;
    j["engineStatus"] = IsActiveState(a) ? Json(EngineCodeOf(a.code)) : Json(nullptr);
    return j;
}

Json InterpreterJson(const MibInterpreter &i) {
    Json j = {{"index", i.index}};
    Enumerated(j, "family", i.family, LanguageFamilyName(i.family));
    j["version"] = i.version;
    std::string emulation = EmulationNameOf(i);
    j["emulation"] = emulation.empty() ? Json(nullptr) : Json(emulation);
    return j;
}

template <typename Item, typename Render>
Json ListOf(const std::vector<Item> &items, Render render) {
    Json list = Json::array();
    for (const Item &item : items) list.push_back(render(item));
    return list;
}

}  // namespace

Json PrinterMibJson(const PrinterMib &mib) {
    Json j = {{"agent", mib.agent}, {"version", mib.version}, {"requests", mib.requests}, {"notes", mib.notes}};
    j["printerName"] = mib.printerName;
    j["serialNumber"] = mib.serialNumber;
    j["deviceDescr"] = mib.deviceDescr;
    Enumerated(j, "deviceStatus", mib.deviceStatus, DeviceStatusName(mib.deviceStatus));
    Enumerated(j, "printerStatus", mib.printerStatus, PrinterStatusName(mib.printerStatus));
    Json errors = Json::array();
    for (unsigned bit = 0; bit < 16; ++bit)
        if (mib.errorBit(bit) && *ErrorStateBitName(bit)) errors.push_back(ErrorStateBitName(bit));
    j["errorState"] = mib.errorState ? errors : Json(nullptr);
    j["memoryBytes"] = mib.memoryBytes ? Json(*mib.memoryBytes) : Json(nullptr);
    j["pageCount"] = mib.pageCount ? Json(*mib.pageCount) : Json(nullptr);
    j["inputs"] = ListOf(mib.inputs, InputJson);
    j["outputs"] = ListOf(mib.outputs, OutputJson);
    j["supplies"] = ListOf(mib.supplies, SupplyJson);
    j["alerts"] = ListOf(mib.alerts, AlertJson);
    j["interpreters"] = ListOf(mib.interpreters, InterpreterJson);
    return j;
}

Json CategorySourcesJson(const std::vector<CategorySource> &sources) {
    Json j = Json::object();
    for (const CategorySource &s : sources) j[s.category] = s.source;
    return j;
}

}  // namespace pathost
