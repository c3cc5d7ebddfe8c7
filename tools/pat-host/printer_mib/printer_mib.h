// What a printer's SNMP agent said of it through the Printer MIB (RFC 3805)
// and the Host Resources MIB (RFC 2790), typed: numbers as the MIB has them
// (its enumerations and its special values -1 other, -2 unknown, -3 "at least
// one"), an object the agent did not answer left unset. Read once from a
// walk (mib_reading.h); the record conversion, the outputs and the metrics
// all read this.
#ifndef PAT_HOST_PRINTER_MIB_PRINTER_MIB_H
#define PAT_HOST_PRINTER_MIB_PRINTER_MIB_H

#include <stdint.h>

#include <optional>
#include <string>
#include <vector>

namespace pathost {

struct MibInput {  // prtInputEntry
    uint32_t index = 0;
    std::string name;
    std::optional<int32_t> dimUnit;    // 3 ten-thousandths of an inch, 4 micrometres
    std::optional<int32_t> feed;       // the feed dimension (the paper's height), in dimUnit
    std::optional<int32_t> crossFeed;  // the cross-feed dimension (its width)
    std::optional<int32_t> capacityUnit;
    std::optional<int32_t> maxCapacity;
    std::optional<int32_t> level;      // -3: at least one unit remains
    std::optional<int32_t> status;     // PrtSubUnitStatusTC
    std::string mediaName;
    std::string mediaType;
};

struct MibOutput {  // prtOutputEntry
    uint32_t index = 0;
    std::string name;
    std::optional<int32_t> maxCapacity;
    std::optional<int32_t> remaining;  // 0: full
    std::optional<int32_t> status;
};

struct MibSupply {  // prtMarkerSuppliesEntry, its colour from prtMarkerColorantTable
    uint32_t index = 0;
    std::string description;
    std::string colour;                 // prtMarkerColorantValue, "" when it names none
    std::optional<int32_t> supplyClass; // 3 consumed, 4 receptacle
    std::optional<int32_t> type;        // PrtMarkerSuppliesTypeTC: 3 toner, 4 wasteToner ...
    std::optional<int32_t> unit;
    std::optional<int32_t> maxCapacity; // -1 other, -2 unknown
    std::optional<int32_t> level;       // -1 other, -2 unknown, -3 some remains

    // level / maxCapacity, in [0, 1], when both are known amounts; a
    // receptacle's level is how much it can still take.
    std::optional<double> ratio() const;
    // What the level means when it is no amount: "other", "unknown",
    // "some remaining"; empty when ratio() has a value.
    std::string levelMeaning() const;
};

struct MibAlert {  // prtAlertEntry
    uint32_t index = 0;
    std::optional<int32_t> severity;  // 1 other, 3 critical, 4 warning, 5 warningBinaryChangeEvent
    std::optional<int32_t> group;     // PrtAlertGroupTC
    std::optional<int32_t> location;
    std::optional<int32_t> code;      // PrtAlertCodeTC
    std::string description;
};

struct MibInterpreter {  // prtInterpreterEntry
    uint32_t index = 0;
    std::optional<int32_t> family;  // PrtInterpreterLangFamilyTC
    std::string version;
};

struct PrinterMib {
    std::string agent;       // HOST:PORT
    std::string version;     // "1", "2c": the SNMP version that answered
    unsigned requests = 0;   // datagrams sent
    std::vector<std::string> notes;  // columns the walk could not finish, and why

    std::string printerName;   // prtGeneralPrinterName
    std::string serialNumber;  // prtGeneralSerialNumber
    std::string deviceDescr;   // hrDeviceDescr of the printer's device
    std::optional<int32_t> deviceStatus;   // hrDeviceStatus: 1 unknown, 2 running, 3 warning, 4 testing, 5 down
    std::optional<int32_t> printerStatus;  // hrPrinterStatus: 1 other, 2 unknown, 3 idle, 4 printing, 5 warmup
    std::optional<std::string> errorState; // hrPrinterDetectedErrorState, its bytes (bit 0 = 0x80 of byte 0)
    std::optional<uint64_t> memoryBytes;   // hrMemorySize, given in KiB
    std::optional<uint64_t> pageCount;     // prtMarkerLifeCount of the first marker
    std::vector<MibInput> inputs;
    std::vector<MibOutput> outputs;
    std::vector<MibSupply> supplies;
    std::vector<MibAlert> alerts;
    std::vector<MibInterpreter> interpreters;
    // The alert table was walked to its end: no alert then means none is
    // active, not that the agent said nothing.
    bool alertsComplete = false;

    // Whether the agent answered anything of the Printer MIB at all.
    bool empty() const;
    // hrPrinterDetectedErrorState bit `bit` (0 lowPaper ... 15 outputFull).
    bool errorBit(unsigned bit) const;
};

// Which source filled each category of the record, for the outputs: one
// entry per category the poll asked for ("config", "trays" ...), its source
// "pjl", "device-id", "printer-mib" or "none".
struct CategorySource {
    std::string category;
    std::string source;
};

}  // namespace pathost

#endif
