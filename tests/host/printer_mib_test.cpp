// The Printer MIB's values as the record holds them after
// PatPMInfoToPrnInfoEx: one table over every mapping (units, levels and their
// special values, bins, the status word, alert codes, interpreters), each row
// changing one fact of a plain printer and reading one field back.
#include <gtest/gtest.h>

#include <functional>

#include "loopback.h"
#include "module/module_objects.h"
#include "printer_mib/mib_conversion.h"

namespace pathost {
namespace {

PrinterMib PlainPrinter() {
    PrinterMib mib;
    mib.deviceDescr = "Acme Colour 900";
    mib.memoryBytes = 512ull << 20;
    mib.printerStatus = 3;  // idle
    mib.deviceStatus = 2;   // running
    MibInput tray;
    tray.index = 1;
    tray.name = "Tray 2";
    tray.dimUnit = 4;
    tray.feed = 297000;
    tray.crossFeed = 210000;
    tray.maxCapacity = 500;
    tray.level = 400;
    mib.inputs = {tray};
    MibOutput bin;
    bin.index = 1;
    bin.name = "Finisher Tray";
    bin.remaining = 100;
    mib.outputs = {bin};
    mib.alertsComplete = true;
    return mib;
}

MibAlert Alert(int32_t severity, int32_t code) {
    MibAlert alert;
    alert.severity = severity;
    alert.code = code;
    alert.description = "the printer's own words";
    return alert;
}

MibInterpreter Interpreter(int32_t family, const char *version) {
    MibInterpreter interpreter;
    interpreter.family = family;
    interpreter.version = version;
    return interpreter;
}

std::string Engine(const PrinterSnapshot &s) {
    std::string text;
    for (const EngineState &e : s.engineStatus) text += std::to_string(e.code) + " ";
    return text + "flag " + std::to_string(s.engineFlag);
}

TEST(PrinterMib, EveryMappingReachesTheRecord) {
    using Set = std::function<void(PrinterMib &)>;
    using Read = std::function<std::string(const PrinterSnapshot &)>;
    Read paper = [](const PrinterSnapshot &s) { return std::to_string(s.trays.at(0).paper); };
    Read level = [](const PrinterSnapshot &s) { return std::to_string(s.trays.at(0).level); };
    Read bin = [](const PrinterSnapshot &s) { return std::to_string(s.bins.at(0).state); };
    Read ready = [](const PrinterSnapshot &s) { return std::to_string(s.status); };
    Read emulation = [](const PrinterSnapshot &s) { return std::to_string(s.emulations.at(0).code); };
    auto tray = [](PrinterMib &m) -> MibInput & { return m.inputs[0]; };
    const struct Row {
        const char *what;
        Set set;
        Read read;
        std::string expected;
    } rows[] = {
        {"tray name to its code", [](PrinterMib &) {}, [](const PrinterSnapshot &s) { return std::to_string(s.trays.at(0).code); }, "4"},
        {"micrometres, A4 fed short edge first", [](PrinterMib &) {}, paper, "8"},
        {"ten-thousandths of an inch, Letter", [&](PrinterMib &m) { tray(m).dimUnit = 3, tray(m).feed = 110000, tray(m).crossFeed = 85000; }, paper, "22"},
        {"fed long edge first is the other code", [&](PrinterMib &m) { tray(m).feed = 210000, tray(m).crossFeed = 297000; }, paper, "9"},
        {"an unknown height (-2)", [&](PrinterMib &m) { tray(m).feed = -2; }, paper, "41"},
        {"no dimension unit", [&](PrinterMib &m) { tray(m).dimUnit.reset(); }, paper, "41"},
        {"memory in KiB to KB", [](PrinterMib &) {}, [](const PrinterSnapshot &s) { return std::to_string(s.memoryKB); }, "524288"},
        {"model from hrDeviceDescr", [](PrinterMib &) {}, [](const PrinterSnapshot &s) { return s.modelName.value_or("-"); }, "Acme Colour 900"},
        {"level above 75 %", [](PrinterMib &) {}, level, "100"},
        {"level 0: empty", [&](PrinterMib &m) { tray(m).level = 0; }, level, "0"},
        {"level 10 %", [&](PrinterMib &m) { tray(m).level = 50; }, level, "10"},
        {"level 20 %", [&](PrinterMib &m) { tray(m).level = 100; }, level, "25"},
        {"level 50 %", [&](PrinterMib &m) { tray(m).level = 250; }, level, "50"},
        {"level 70 %", [&](PrinterMib &m) { tray(m).level = 350; }, level, "75"},
        {"-3: some paper, not low", [&](PrinterMib &m) { tray(m).level = -3; }, level, "100"},
        {"-2: unknown, not reported", [&](PrinterMib &m) { tray(m).level = -2; }, level, "100"},
        {"a level against an unknown maximum", [&](PrinterMib &m) { tray(m).maxCapacity = -2; }, level, "100"},
        {"bin with room", [](PrinterMib &) {}, bin, "0"},
        {"bin with no room left is full", [](PrinterMib &m) { m.outputs[0].remaining = 0; }, bin, "2"},
        {"bin of unknown room", [](PrinterMib &m) { m.outputs[0].remaining = -2; }, bin, "0"},
        {"idle and running: ready", [](PrinterMib &) {}, ready, "1"},
        {"printing: ready", [](PrinterMib &m) { m.printerStatus = 4; }, ready, "1"},
        {"warming up: not ready", [](PrinterMib &m) { m.printerStatus = 5; }, ready, "0"},
        {"device down: not ready", [](PrinterMib &m) { m.deviceStatus = 5; }, ready, "0"},
        {"low toner still prints", [](PrinterMib &m) { m.errorState = std::string("\x20", 1); }, ready, "1"},
        {"a jam stops it", [](PrinterMib &m) { m.errorState = std::string("\x04", 1); }, ready, "0"},
        {"output full stops it", [](PrinterMib &m) { m.errorState = std::string("\x00\x08", 2); }, ready, "0"},
        {"no alert: ready", [](PrinterMib &) {}, Engine, "10001 flag 0"},
        {"toner low, a warning", [](PrinterMib &m) { m.alerts = {Alert(4, 1104)}; }, Engine, "21104 flag 0"},
        {"a critical jam raises the flag", [](PrinterMib &m) { m.alerts = {Alert(3, 8)}; }, Engine, "20008 flag 1"},
        {"three codes, one cover status", [](PrinterMib &m) { m.alerts = {Alert(4, 3), Alert(4, 5), Alert(4, 501)}; }, Engine, "20003 20003 20003 flag 0"},
        {"an unlisted code", [](PrinterMib &m) { m.alerts = {Alert(4, 7)}; }, Engine, "20001 flag 0"},
        {"a past event is no status", [](PrinterMib &m) { m.alerts = {Alert(5, 4), Alert(4, 1104)}; }, Engine, "21104 flag 0"},
        {"PCL 5c", [](PrinterMib &m) { m.interpreters = {Interpreter(3, "5c")}; }, emulation, "18"},
        {"PCL without a version", [](PrinterMib &m) { m.interpreters = {Interpreter(3, "")}; }, emulation, "16"},
        {"PCL XL", [](PrinterMib &m) { m.interpreters = {Interpreter(47, "2.1")}; }, emulation, "17"},
        {"PostScript, PJL left out", [](PrinterMib &m) { m.interpreters = {Interpreter(5, ""), Interpreter(6, "3")}; }, emulation, "2"},
    };
    const Module &module = test::Loopback::LinkedLibrary();
    MibParts all{true, true, true, true, true, true, true};
    for (const Row &row : rows) {
        PrinterMib mib = PlainPrinter();
        row.set(mib);
        HostRecord record(module);
        Expected<MibConversion> done = ConvertPrinterMib(module, record.get(), mib, all);
        ASSERT_TRUE(done) << row.what;
        for (const MibConversionCall &call : done->calls) EXPECT_EQ(call.result, 1) << row.what << ": " << call.block;
        EXPECT_EQ(row.read(SnapshotOf(*record)), row.expected) << row.what;
    }
}

}  // namespace
}  // namespace pathost
