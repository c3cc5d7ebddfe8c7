#include "printer_mib/mib_reading.h"

#include <stdio.h>

#include <algorithm>
#include <map>

#include "snmp/printer_mib_oids.h"

namespace pathost {

namespace {

using snmp::Binding;
using snmp::Oid;
namespace mib = snmp::mib;

// One column's rows by the index that follows the column's OID.
using Rows = std::map<Oid, const Binding *>;

class Reader {
public:
    Reader(const snmp::WalkResult &walk, PrinterMib &out) : out_(out) {
        for (const snmp::WalkedColumn &column : walk.columns) {
            Rows &rows = columns_[column.root];
            for (const Binding &b : column.rows)
                rows.emplace(Oid(b.oid.begin() + static_cast<long>(column.root.size()), b.oid.end()), &b);
            if (column.end != snmp::WalkedColumn::End::Complete)
                out_.notes.push_back(NameOf(column.root) + ": " + column.note);
        }
        device_ = PrinterDevice();
    }

    // The rows of a table column that belong to the printer's device, by
    // their own index.
    std::map<uint32_t, const Binding *> Table(const mib::Column &column) const {
        std::map<uint32_t, const Binding *> rows;
        for (const auto &[index, binding] : Of(column))
            if (index.size() == 2 && index[0] == device_) rows.emplace(index[1], binding);
        return rows;
    }

    // The row of a column indexed by hrDeviceIndex alone.
    const Binding *DeviceRow(const mib::Column &column) const {
        auto row = Of(column).find(Oid{device_});
        return row == Of(column).end() ? nullptr : row->second;
    }

    const Binding *Row(const mib::Column &column, const Oid &index) const {
        auto row = Of(column).find(index);
        return row == Of(column).end() ? nullptr : row->second;
    }

    std::optional<int32_t> Integer(const mib::Column &column, const Binding *b) {
        if (b == nullptr) return std::nullopt;
        if (b->kind == Binding::Kind::Integer) return static_cast<int32_t>(b->number);
        WrongType(column, *b, "an INTEGER");
        return std::nullopt;
    }

    std::optional<uint64_t> Count(const mib::Column &column, const Binding *b) {
        if (b == nullptr) return std::nullopt;
        switch (b->kind) {
            case Binding::Kind::Counter32:
            case Binding::Kind::Gauge32: return static_cast<uint64_t>(b->number);
            case Binding::Kind::Counter64: return b->counter64;
            case Binding::Kind::Integer:
                if (b->number >= 0) return static_cast<uint64_t>(b->number);
                [[fallthrough]];
            default: WrongType(column, *b, "a counter"); return std::nullopt;
        }
    }

    std::optional<std::string> Bytes(const mib::Column &column, const Binding *b) {
        if (b == nullptr) return std::nullopt;
        if (b->kind == Binding::Kind::OctetString) return b->bytes;
        WrongType(column, *b, "an OCTET STRING");
        return std::nullopt;
    }

    // A DisplayString: some agents pad theirs with NULs.
    std::string Text(const mib::Column &column, const Binding *b) {
        std::string text = Bytes(column, b).value_or("");
        while (!text.empty() && (text.back() == '\0' || text.back() == ' ')) text.pop_back();
        return text;
    }

private:
    const Rows &Of(const mib::Column &column) const {
        static const Rows none;
        auto found = columns_.find(column.oid);
        return found == columns_.end() ? none : found->second;
    }

    static std::string NameOf(const Oid &root) {
        for (const mib::Column *column : mib::kWalkedColumns)
            if (column->oid == root) return column->name;
        return snmp::FormatOid(root);
    }

    // hrDeviceIndex of the printer: the device with an hrPrinterStatus, else
    // the device the input table names, else 1.
    uint32_t PrinterDevice() const {
        if (!Of(mib::kPrinterStatus).empty()) {
            const Oid &index = Of(mib::kPrinterStatus).begin()->first;
            if (index.size() == 1) return index[0];
        }
        for (const mib::Column *column : {&mib::kInputName, &mib::kSupplyDescription, &mib::kAlertCode})
            if (!Of(*column).empty() && Of(*column).begin()->first.size() == 2) return Of(*column).begin()->first[0];
        return 1;
    }

    void WrongType(const mib::Column &column, const Binding &b, const char *expected) {
        if (std::find(wrongTyped_.begin(), wrongTyped_.end(), column.name) != wrongTyped_.end()) return;
        wrongTyped_.push_back(column.name);
        char tag[8];
        snprintf(tag, sizeof tag, "0x%02X", static_cast<unsigned>(b.kind));
        out_.notes.push_back(std::string(column.name) + ": a value of type " + tag + ", not " + expected +
                             "; left out");
    }

    PrinterMib &out_;
    std::map<Oid, Rows> columns_;
    uint32_t device_ = 1;
    std::vector<std::string> wrongTyped_;
};

template <typename Item>
Item &RowOf(std::map<uint32_t, Item> &items, uint32_t index) {
    Item &item = items[index];
    item.index = index;
    return item;
}

template <typename Item>
std::vector<Item> Values(std::map<uint32_t, Item> &items) {
    std::vector<Item> list;
    for (auto &[index, item] : items) list.push_back(std::move(item));
    return list;
}

void ReadInputs(Reader &r, PrinterMib &out) {
    std::map<uint32_t, MibInput> inputs;
    for (auto [i, b] : r.Table(mib::kInputName)) RowOf(inputs, i).name = r.Text(mib::kInputName, b);
    for (auto [i, b] : r.Table(mib::kInputDimUnit)) RowOf(inputs, i).dimUnit = r.Integer(mib::kInputDimUnit, b);
    for (auto [i, b] : r.Table(mib::kInputFeedDim)) RowOf(inputs, i).feed = r.Integer(mib::kInputFeedDim, b);
    for (auto [i, b] : r.Table(mib::kInputCrossFeedDim))
        RowOf(inputs, i).crossFeed = r.Integer(mib::kInputCrossFeedDim, b);
    for (auto [i, b] : r.Table(mib::kInputCapacityUnit))
        RowOf(inputs, i).capacityUnit = r.Integer(mib::kInputCapacityUnit, b);
    for (auto [i, b] : r.Table(mib::kInputMaxCapacity))
        RowOf(inputs, i).maxCapacity = r.Integer(mib::kInputMaxCapacity, b);
    for (auto [i, b] : r.Table(mib::kInputCurrentLevel))
        RowOf(inputs, i).level = r.Integer(mib::kInputCurrentLevel, b);
    for (auto [i, b] : r.Table(mib::kInputStatus)) RowOf(inputs, i).status = r.Integer(mib::kInputStatus, b);
    for (auto [i, b] : r.Table(mib::kInputMediaName)) RowOf(inputs, i).mediaName = r.Text(mib::kInputMediaName, b);
    for (auto [i, b] : r.Table(mib::kInputMediaType)) RowOf(inputs, i).mediaType = r.Text(mib::kInputMediaType, b);
    out.inputs = Values(inputs);
}

void ReadOutputs(Reader &r, PrinterMib &out) {
    std::map<uint32_t, MibOutput> outputs;
    for (auto [i, b] : r.Table(mib::kOutputName)) RowOf(outputs, i).name = r.Text(mib::kOutputName, b);
    for (auto [i, b] : r.Table(mib::kOutputMaxCapacity))
        RowOf(outputs, i).maxCapacity = r.Integer(mib::kOutputMaxCapacity, b);
    for (auto [i, b] : r.Table(mib::kOutputRemaining))
        RowOf(outputs, i).remaining = r.Integer(mib::kOutputRemaining, b);
    for (auto [i, b] : r.Table(mib::kOutputStatus)) RowOf(outputs, i).status = r.Integer(mib::kOutputStatus, b);
    out.outputs = Values(outputs);
}

void ReadSupplies(Reader &r, PrinterMib &out) {
    std::map<uint32_t, std::string> colours;
    for (auto [i, b] : r.Table(mib::kColorantValue)) colours[i] = r.Text(mib::kColorantValue, b);
    std::map<uint32_t, MibSupply> supplies;
    for (auto [i, b] : r.Table(mib::kSupplyDescription))
        RowOf(supplies, i).description = r.Text(mib::kSupplyDescription, b);
    for (auto [i, b] : r.Table(mib::kSupplyClass)) RowOf(supplies, i).supplyClass = r.Integer(mib::kSupplyClass, b);
    for (auto [i, b] : r.Table(mib::kSupplyType)) RowOf(supplies, i).type = r.Integer(mib::kSupplyType, b);
    for (auto [i, b] : r.Table(mib::kSupplyUnit)) RowOf(supplies, i).unit = r.Integer(mib::kSupplyUnit, b);
    for (auto [i, b] : r.Table(mib::kSupplyMaxCapacity))
        RowOf(supplies, i).maxCapacity = r.Integer(mib::kSupplyMaxCapacity, b);
    for (auto [i, b] : r.Table(mib::kSupplyLevel)) RowOf(supplies, i).level = r.Integer(mib::kSupplyLevel, b);
    for (auto [i, b] : r.Table(mib::kSupplyColorant)) {
        std::optional<int32_t> colorant = r.Integer(mib::kSupplyColorant, b);
        MibSupply &supply = RowOf(supplies, i);
        if (colorant && *colorant > 0 && colours.count(static_cast<uint32_t>(*colorant)))
            supply.colour = colours[static_cast<uint32_t>(*colorant)];
    }
    out.supplies = Values(supplies);
}

void ReadAlerts(Reader &r, PrinterMib &out) {
    std::map<uint32_t, MibAlert> alerts;
    for (auto [i, b] : r.Table(mib::kAlertSeverity)) RowOf(alerts, i).severity = r.Integer(mib::kAlertSeverity, b);
    for (auto [i, b] : r.Table(mib::kAlertGroup)) RowOf(alerts, i).group = r.Integer(mib::kAlertGroup, b);
    for (auto [i, b] : r.Table(mib::kAlertLocation)) RowOf(alerts, i).location = r.Integer(mib::kAlertLocation, b);
    for (auto [i, b] : r.Table(mib::kAlertCode)) RowOf(alerts, i).code = r.Integer(mib::kAlertCode, b);
    for (auto [i, b] : r.Table(mib::kAlertDescription))
        RowOf(alerts, i).description = r.Text(mib::kAlertDescription, b);
    out.alerts = Values(alerts);
}

void ReadInterpreters(Reader &r, PrinterMib &out) {
    std::map<uint32_t, MibInterpreter> interpreters;
    for (auto [i, b] : r.Table(mib::kInterpreterFamily))
        RowOf(interpreters, i).family = r.Integer(mib::kInterpreterFamily, b);
    for (auto [i, b] : r.Table(mib::kInterpreterVersion))
        RowOf(interpreters, i).version = r.Text(mib::kInterpreterVersion, b);
    out.interpreters = Values(interpreters);
}

bool Completed(const snmp::WalkResult &walk, const mib::Column &column) {
    for (const snmp::WalkedColumn &c : walk.columns)
        if (c.root == column.oid) return c.end == snmp::WalkedColumn::End::Complete;
    return false;
}

}  // namespace

std::vector<Oid> PrinterMibColumns() {
    std::vector<Oid> columns;
    for (const mib::Column *column : mib::kWalkedColumns) columns.push_back(column->oid);
    return columns;
}

PrinterMib ReadPrinterMib(const snmp::WalkResult &walk, const std::string &agent) {
    PrinterMib out;
    out.agent = agent;
    out.version = snmp::VersionName(walk.version);
    out.requests = walk.requests;
    Reader r(walk, out);
    auto first = [&](const mib::Column &column) -> const Binding * {
        auto rows = r.Table(column);
        return rows.empty() ? nullptr : rows.begin()->second;
    };
    out.printerName = r.Text(mib::kPrinterName, first(mib::kPrinterName));
    out.serialNumber = r.Text(mib::kSerialNumber, first(mib::kSerialNumber));
    out.deviceDescr = r.Text(mib::kDeviceDescr, r.DeviceRow(mib::kDeviceDescr));
    out.deviceStatus = r.Integer(mib::kDeviceStatus, r.DeviceRow(mib::kDeviceStatus));
    out.printerStatus = r.Integer(mib::kPrinterStatus, r.DeviceRow(mib::kPrinterStatus));
    out.errorState = r.Bytes(mib::kPrinterErrorState, r.DeviceRow(mib::kPrinterErrorState));
    if (std::optional<int32_t> kib = r.Integer(mib::kMemorySize, r.Row(mib::kMemorySize, Oid{0})); kib && *kib >= 0)
        out.memoryBytes = static_cast<uint64_t>(*kib) * 1024;
    out.pageCount = r.Count(mib::kMarkerLifeCount, first(mib::kMarkerLifeCount));
    ReadInputs(r, out);
    ReadOutputs(r, out);
    ReadSupplies(r, out);
    ReadAlerts(r, out);
    ReadInterpreters(r, out);
    out.alertsComplete = Completed(walk, mib::kAlertCode);
    return out;
}

}  // namespace pathost
