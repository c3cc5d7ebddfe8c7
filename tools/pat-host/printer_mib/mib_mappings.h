// How the Printer MIB's values become the values of the host's PMInfo
// blocks: paper dimensions, paper levels, full bins, the status word, alert
// codes as engine-status codes and interpreters as emulation names. Every
// choice is here, as data where it is a table, and nowhere else; README's
// "Printer MIB" section lists them.
#ifndef PAT_HOST_PRINTER_MIB_MIB_MAPPINGS_H
#define PAT_HOST_PRINTER_MIB_MIB_MAPPINGS_H

#include <stdint.h>

#include <optional>
#include <span>
#include <string>

#include "printer_mib/printer_mib.h"
#include "snapshot/printer_snapshot.h"  // kNotReported, the absence mark

namespace pathost {


// A paper dimension in whole millimetres, rounded to the nearest: unit 3 is
// ten-thousandths of an inch, unit 4 micrometres. A negative value (-1
// other, -2 unknown), an unknown unit or none at all: kNotReported.
uint32_t DimensionMm(std::optional<int32_t> value, std::optional<int32_t> unit);

// The level bits of a tray record from the current level and the maximum
// capacity: 0 is empty (0x2); a share of the maximum up to 10 % is 0x100, up
// to 25 % 0x200, up to 50 % 0x400, up to 75 % 0x800, above it no bit (full
// enough). -3 (at least one sheet) and a level above 0 against an unknown
// maximum are no bit too: paper is there, how much is not known, and it is
// not low. -1 (other), -2 (unknown) and no level: kNotReported.
uint32_t TrayLevelBits(std::optional<int32_t> level, std::optional<int32_t> maxCapacity);

// A bin's flags: 0x1 (full) when its remaining capacity is 0; 0 when it can
// take more (a positive amount, or -3: at least one more sheet); kNotReported
// for -1, -2 or none.
uint32_t BinFlags(std::optional<int32_t> remaining);

// The device status word: bit 0 (ready) when hrPrinterStatus is idle or
// printing, hrDeviceStatus is running or warning (or not given) and no error
// bit that stops printing is set (kStoppingErrors); every other bit clear.
// kNotReported when the agent gave neither status.
uint32_t StatusWord(const PrinterMib &mib);
// hrPrinterDetectedErrorState bits that keep a printer from printing: noPaper,
// noToner, doorOpen, jammed, offline, inputTrayMissing, outputTrayMissing,
// markerSupplyMissing, outputFull.
bool StopsPrinting(unsigned errorBit);

// One row of the alert table: an alert code of RFC 3805 and the engine-status
// code it becomes. Codes pat-host gives are 20000 and up, apart from the
// module's own 10001 (ready), so they never collide with a printer's own.
struct AlertEngineCode {
    int32_t alertCode;
    uint32_t engineCode;
    const char *meaning;
};
std::span<const AlertEngineCode> AlertEngineCodes();
// The engine-status code of an alert; 20001 (another alert) for a code the
// table does not list or none.
uint32_t EngineCodeOf(std::optional<int32_t> alertCode);
inline constexpr uint32_t kOtherAlert = 20001;
// What an engine-status code of the table means; "" for one it does not list.
std::string EngineCodeMeaning(uint32_t engineCode);
// Whether an alert is a state the printer is in (critical, warning, other),
// not a past event (warningBinaryChangeEvent), so an engine status.
bool IsActiveState(const MibAlert &alert);

// The emulation name the module's table knows for an interpreter; "" for an
// interpreter that is no emulation (PJL, a job language).
std::string EmulationNameOf(const MibInterpreter &interpreter);

}  // namespace pathost

#endif
