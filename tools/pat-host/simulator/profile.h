// What a simulated printer is: the documented profile JSON (see README) and a
// built-in default. Names are PJL names, as the printer speaks them.
#ifndef PAT_HOST_SIMULATOR_PROFILE_H
#define PAT_HOST_SIMULATOR_PROFILE_H

#include <stdint.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "outcome/failure.h"

namespace pathost::sim {

struct Tray {
    std::string name;    // "INTRAY1" ... "INTRAY7", "INTRAYLCT", "INTRAYMANUAL", "INTRAYINSERTER", "INTRAYINSERTER2"
    std::string paper;   // PJL paper keyword, "A4SRT"
    int level = 100;     // percent: 0, 20, 40, 60, 80 or 100
    bool locked = false;
    std::string attribute;  // "" or "STANDARD", "SMALL", "MIDDLE", "LARGE", "TANDEM" (IN TRAYS ATTRIBUTE)
};

struct Bin {
    std::string name;   // "UPPER", "LOWER", "INNER", "OPTIONALOUTPUTBIN1" ...
    std::string state;  // "READY", "PAPEREXIST", "FULL"
};

struct Version {
    std::string name;  // "FIRMWARE", "VORD", "ZOLT", "HPGL2" ...
    std::string version;
};

struct Status {
    std::vector<uint32_t> codes;
    int state = 1;
    std::string text;
};

struct Zolt {
    std::string memoryUsage;    // "PAGE", "USER"
    std::string other;
    std::string imageRotation;  // "POSSIBLE", "IMPOSSIBLE"
};

// What the simulated agent serves of the Printer MIB (RFC 3805) and the Host
// Resources MIB (RFC 2790) beyond the device ID, every number as the MIB has
// it (its enumerations; -1 other, -2 unknown, -3 at least one).
struct AgentInput {  // prtInputEntry
    std::string name, mediaName, mediaType;
    int32_t dimUnit = 4;  // 3 ten-thousandths of an inch, 4 micrometres
    int32_t feed = -2, crossFeed = -2;
    int32_t capacityUnit = 8;  // 8 sheets
    int32_t maxCapacity = -2, level = -2;
    int32_t status = 0;  // PrtSubUnitStatusTC
};

struct AgentOutput {  // prtOutputEntry
    std::string name;
    int32_t maxCapacity = -2, remaining = -2;
    int32_t status = 0;
};

struct AgentSupply {  // prtMarkerSuppliesEntry, its colour a prtMarkerColorantEntry
    std::string description, colour;  // colour "" for a supply of no colorant
    int32_t supplyClass = 3;          // 3 consumed, 4 receptacle
    int32_t type = 3;                 // PrtMarkerSuppliesTypeTC: 3 toner
    int32_t unit = 19;                // 19 percent
    int32_t maxCapacity = 100, level = -2;
};

struct AgentAlert {  // prtAlertEntry
    int32_t severity = 4;  // 4 warning
    int32_t group = 1, location = -1, code = 1;
    std::string description;
};

struct AgentInterpreter {  // prtInterpreterEntry
    int32_t family = 1;  // PrtInterpreterLangFamilyTC
    std::string version;
};

struct PrinterMibProfile {
    std::string printerName, serialNumber;
    int32_t deviceStatus = 2;               // hrDeviceStatus: running
    int32_t printerStatus = 3;              // hrPrinterStatus: idle
    std::vector<unsigned> detectedErrors;   // hrPrinterDetectedErrorState bits (0 lowPaper ... 15 outputFull)
    std::vector<AgentInput> inputs;
    std::vector<AgentOutput> outputs;
    std::vector<AgentSupply> supplies;
    std::vector<AgentAlert> alerts;
    std::vector<AgentInterpreter> interpreters;
};

struct Profile {
    std::string maker;
    std::string model;
    std::string description;
    std::vector<std::string> commandSet;
    std::optional<std::string> deviceId;  // the text itself, instead of one made from the fields
    Status status;
    int64_t pageCount = 0;
    std::vector<int> supplies;
    uint64_t memoryBytes = 0;
    std::vector<Version> versions;
    std::vector<Tray> trays;
    std::vector<Bin> bins;
    std::vector<std::string> punch;  // punch unit options
    std::string markingType;         // "OFF", "COPYGUARD", "SECURITYTRACE"; "" answers "?"
    std::string functionPackage;     // "ACTIVATE", "NONE"; "" answers "?"
    std::optional<Zolt> zolt;        // absent: the printer has no ZOLT emulation
    // Absent: the agent serves the device ID alone. hrDeviceDescr is the
    // model, hrMemorySize memoryBytes in KiB, prtMarkerLifeCount pageCount.
    std::optional<PrinterMibProfile> printerMib;
};

// A DataError naming the field that is wrong.
Expected<Profile> ParseProfile(const std::string &json);
const std::string &DefaultProfileJson();
Profile DefaultProfile();
// The built-in printers, "builtin:NAME" to --profile: "mono-pjl" (the
// default) and "pcl-colour" (no PJL; its agent's Printer MIB tells all).
constexpr std::string_view kBuiltInPrefix = "builtin:";
const std::vector<std::string> &BuiltInProfileNames();
const std::string *BuiltInProfileJson(std::string_view name);  // null for an unknown name

// The device ID text, with the long key names many printers use: what an
// SNMP agent serves.
std::string DeviceIdText(const Profile &profile);
// The device ID as a USB port delivers it: two big-endian length bytes, then
// the text.
std::string DeviceIdBytes(const Profile &profile);

// The PJL words for a tray level in percent.
const char *LevelWord(int percent);

}  // namespace pathost::sim

#endif
