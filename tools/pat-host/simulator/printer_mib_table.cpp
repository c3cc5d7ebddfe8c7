#include "simulator/printer_mib_table.h"

#include <algorithm>

#include "snmp/printer_mib_oids.h"
#include "snmp/snmp_device_id.h"

namespace pathost::sim {

namespace {

using snmp::Binding;
using snmp::Oid;
using Kind = Binding::Kind;
namespace mib = snmp::mib;

// The row `index` of a column: its OID followed by the index.
Oid Row(const mib::Column &column, std::initializer_list<uint32_t> index) {
    Oid oid = column.oid;
    oid.insert(oid.end(), index);
    return oid;
}

struct Rows {
    MibTable table;
    void Number(const mib::Column &column, std::initializer_list<uint32_t> index, int64_t value, Kind kind = Kind::Integer) {
        table.push_back({Row(column, index), kind, {}, value, 0, {}});
    }
    void Text(const mib::Column &column, std::initializer_list<uint32_t> index, std::string value) {
        table.push_back({Row(column, index), Kind::OctetString, std::move(value), 0, 0, {}});
    }
};

// The ppm column's OID: the device ID object without its port index.
Oid DeviceIdColumn() {
    Oid column = snmp::DeviceIdObjects().front();
    column.pop_back();
    return column;
}

bool Prefix(const Oid &column, const Oid &oid) {
    return oid.size() > column.size() && std::equal(column.begin(), column.end(), oid.begin());
}

}  // namespace

MibTable DeviceIdTable(const std::string &deviceId) {
    return {{snmp::DeviceIdObjects().front(), Kind::OctetString, deviceId, 0, 0, {}}};
}

MibTable PrinterMibTable(const Profile &profile) {
    Rows r;
    r.table = DeviceIdTable(DeviceIdText(profile));
    if (!profile.printerMib) return r.table;
    const PrinterMibProfile &m = *profile.printerMib;
    constexpr uint32_t kDevice = 1;  // hrDeviceIndex of the printer
    r.Number(mib::kMemorySize, {0}, static_cast<int64_t>(profile.memoryBytes / 1024));
    r.Text(mib::kDeviceDescr, {kDevice}, profile.model);
    r.Number(mib::kDeviceStatus, {kDevice}, m.deviceStatus);
    r.Number(mib::kPrinterStatus, {kDevice}, m.printerStatus);
    std::string errors(2, '\0');
    for (unsigned bit : m.detectedErrors) errors[bit / 8] = static_cast<char>(errors[bit / 8] | (0x80 >> (bit % 8)));
    r.Text(mib::kPrinterErrorState, {kDevice}, errors);
    r.Text(mib::kPrinterName, {kDevice}, m.printerName);
    r.Text(mib::kSerialNumber, {kDevice}, m.serialNumber);
    for (uint32_t i = 1; const AgentInput &in : m.inputs) {
        r.Number(mib::kInputDimUnit, {kDevice, i}, in.dimUnit);
        r.Number(mib::kInputFeedDim, {kDevice, i}, in.feed);
        r.Number(mib::kInputCrossFeedDim, {kDevice, i}, in.crossFeed);
        r.Number(mib::kInputCapacityUnit, {kDevice, i}, in.capacityUnit);
        r.Number(mib::kInputMaxCapacity, {kDevice, i}, in.maxCapacity);
        r.Number(mib::kInputCurrentLevel, {kDevice, i}, in.level);
        r.Number(mib::kInputStatus, {kDevice, i}, in.status);
        r.Text(mib::kInputMediaName, {kDevice, i}, in.mediaName);
        r.Text(mib::kInputName, {kDevice, i}, in.name);
        r.Text(mib::kInputMediaType, {kDevice, i++}, in.mediaType);
    }
    for (uint32_t i = 1; const AgentOutput &out : m.outputs) {
        r.Number(mib::kOutputMaxCapacity, {kDevice, i}, out.maxCapacity);
        r.Number(mib::kOutputRemaining, {kDevice, i}, out.remaining);
        r.Number(mib::kOutputStatus, {kDevice, i}, out.status);
        r.Text(mib::kOutputName, {kDevice, i++}, out.name);
    }
    r.Number(mib::kMarkerLifeCount, {kDevice, 1}, profile.pageCount, Kind::Counter32);
    // One colorant row per colour, in the order the supplies name them.
    std::vector<std::string> colours;
    for (uint32_t i = 1; const AgentSupply &s : m.supplies) {
        uint32_t colorant = 0;
        if (!s.colour.empty()) {
            auto at = std::find(colours.begin(), colours.end(), s.colour);
            if (at == colours.end()) at = colours.insert(at, s.colour);
            colorant = static_cast<uint32_t>(at - colours.begin()) + 1;
        }
        r.Number(mib::kSupplyColorant, {kDevice, i}, colorant);
        r.Number(mib::kSupplyClass, {kDevice, i}, s.supplyClass);
        r.Number(mib::kSupplyType, {kDevice, i}, s.type);
        r.Text(mib::kSupplyDescription, {kDevice, i}, s.description);
        r.Number(mib::kSupplyUnit, {kDevice, i}, s.unit);
        r.Number(mib::kSupplyMaxCapacity, {kDevice, i}, s.maxCapacity);
        r.Number(mib::kSupplyLevel, {kDevice, i++}, s.level);
    }
    for (uint32_t i = 1; const std::string &colour : colours) r.Text(mib::kColorantValue, {kDevice, i++}, colour);
    for (uint32_t i = 1; const AgentInterpreter &in : m.interpreters) {
        r.Number(mib::kInterpreterFamily, {kDevice, i}, in.family);
        r.Text(mib::kInterpreterVersion, {kDevice, i++}, in.version);
    }
    for (uint32_t i = 1; const AgentAlert &a : m.alerts) {
        r.Number(mib::kAlertSeverity, {kDevice, i}, a.severity);
        r.Number(mib::kAlertGroup, {kDevice, i}, a.group);
        r.Number(mib::kAlertLocation, {kDevice, i}, a.location);
        r.Number(mib::kAlertCode, {kDevice, i}, a.code);
        r.Text(mib::kAlertDescription, {kDevice, i++}, a.description);
    }
    std::sort(r.table.begin(), r.table.end(), [](const Binding &a, const Binding &b) { return a.oid < b.oid; });
    return r.table;
}

const Binding *FindObject(const MibTable &table, const Oid &oid) {
    auto at = std::lower_bound(table.begin(), table.end(), oid, [](const Binding &b, const Oid &o) { return b.oid < o; });
    return at != table.end() && at->oid == oid ? &*at : nullptr;
}

const Binding *FindNext(const MibTable &table, const Oid &oid) {
    auto at = std::upper_bound(table.begin(), table.end(), oid, [](const Oid &o, const Binding &b) { return o < b.oid; });
    return at != table.end() ? &*at : nullptr;
}

bool InKnownColumn(const MibTable &table, const Oid &oid) {
    static const Oid deviceId = DeviceIdColumn();
    auto served = [&](const Oid &column) {
        if (!Prefix(column, oid)) return false;
        const Binding *first = FindNext(table, column);
        return first != nullptr && Prefix(column, first->oid);
    };
    return served(deviceId) ||
           std::any_of(mib::kWalkedColumns.begin(), mib::kWalkedColumns.end(), [&](const mib::Column *c) { return served(c->oid); });
}

}  // namespace pathost::sim
