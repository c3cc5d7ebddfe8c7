// The objects of the Printer MIB (RFC 3805) and the Host Resources MIB
// (RFC 2790) that pat-host reads: one column each, walked whole. The
// simulator's agent serves the same columns, so both sides name them once.
#ifndef PAT_HOST_SNMP_PRINTER_MIB_OIDS_H
#define PAT_HOST_SNMP_PRINTER_MIB_OIDS_H

#include <stdint.h>

#include <array>

#include "snmp/ber.h"

namespace pathost::snmp::mib {

// Every column is a table entry's OID and the column number: the rows are
// the column's OID followed by the row's index (hrDeviceIndex first, where
// the table has it).
struct Column {
    const char *name;  // the MIB's own name, "prtInputName"
    Oid oid;
};

// prtGeneralEntry, 1.3.6.1.2.1.43.5.1.1
inline const Column kPrinterName{"prtGeneralPrinterName", {1, 3, 6, 1, 2, 1, 43, 5, 1, 1, 16}};
inline const Column kSerialNumber{"prtGeneralSerialNumber", {1, 3, 6, 1, 2, 1, 43, 5, 1, 1, 17}};
// prtInputEntry, 1.3.6.1.2.1.43.8.2.1
inline const Column kInputDimUnit{"prtInputDimUnit", {1, 3, 6, 1, 2, 1, 43, 8, 2, 1, 3}};
inline const Column kInputFeedDim{"prtInputMediaDimFeedDirDeclared", {1, 3, 6, 1, 2, 1, 43, 8, 2, 1, 4}};
inline const Column kInputCrossFeedDim{"prtInputMediaDimXFeedDirDeclared", {1, 3, 6, 1, 2, 1, 43, 8, 2, 1, 5}};
inline const Column kInputCapacityUnit{"prtInputCapacityUnit", {1, 3, 6, 1, 2, 1, 43, 8, 2, 1, 8}};
inline const Column kInputMaxCapacity{"prtInputMaxCapacity", {1, 3, 6, 1, 2, 1, 43, 8, 2, 1, 9}};
inline const Column kInputCurrentLevel{"prtInputCurrentLevel", {1, 3, 6, 1, 2, 1, 43, 8, 2, 1, 10}};
inline const Column kInputStatus{"prtInputStatus", {1, 3, 6, 1, 2, 1, 43, 8, 2, 1, 11}};
inline const Column kInputMediaName{"prtInputMediaName", {1, 3, 6, 1, 2, 1, 43, 8, 2, 1, 12}};
inline const Column kInputName{"prtInputName", {1, 3, 6, 1, 2, 1, 43, 8, 2, 1, 13}};
inline const Column kInputMediaType{"prtInputMediaType", {1, 3, 6, 1, 2, 1, 43, 8, 2, 1, 21}};
// prtOutputEntry, 1.3.6.1.2.1.43.9.2.1
inline const Column kOutputMaxCapacity{"prtOutputMaxCapacity", {1, 3, 6, 1, 2, 1, 43, 9, 2, 1, 4}};
inline const Column kOutputRemaining{"prtOutputRemainingCapacity", {1, 3, 6, 1, 2, 1, 43, 9, 2, 1, 5}};
inline const Column kOutputStatus{"prtOutputStatus", {1, 3, 6, 1, 2, 1, 43, 9, 2, 1, 6}};
inline const Column kOutputName{"prtOutputName", {1, 3, 6, 1, 2, 1, 43, 9, 2, 1, 7}};
// prtMarkerEntry, 1.3.6.1.2.1.43.10.2.1
inline const Column kMarkerLifeCount{"prtMarkerLifeCount", {1, 3, 6, 1, 2, 1, 43, 10, 2, 1, 4}};
// prtMarkerSuppliesEntry, 1.3.6.1.2.1.43.11.1.1
inline const Column kSupplyColorant{"prtMarkerSuppliesColorantIndex", {1, 3, 6, 1, 2, 1, 43, 11, 1, 1, 3}};
inline const Column kSupplyClass{"prtMarkerSuppliesClass", {1, 3, 6, 1, 2, 1, 43, 11, 1, 1, 4}};
inline const Column kSupplyType{"prtMarkerSuppliesType", {1, 3, 6, 1, 2, 1, 43, 11, 1, 1, 5}};
inline const Column kSupplyDescription{"prtMarkerSuppliesDescription", {1, 3, 6, 1, 2, 1, 43, 11, 1, 1, 6}};
inline const Column kSupplyUnit{"prtMarkerSuppliesSupplyUnit", {1, 3, 6, 1, 2, 1, 43, 11, 1, 1, 7}};
inline const Column kSupplyMaxCapacity{"prtMarkerSuppliesMaxCapacity", {1, 3, 6, 1, 2, 1, 43, 11, 1, 1, 8}};
inline const Column kSupplyLevel{"prtMarkerSuppliesLevel", {1, 3, 6, 1, 2, 1, 43, 11, 1, 1, 9}};
// prtMarkerColorantEntry, 1.3.6.1.2.1.43.12.1.1
inline const Column kColorantValue{"prtMarkerColorantValue", {1, 3, 6, 1, 2, 1, 43, 12, 1, 1, 4}};
// prtInterpreterEntry, 1.3.6.1.2.1.43.15.1.1
inline const Column kInterpreterFamily{"prtInterpreterLangFamily", {1, 3, 6, 1, 2, 1, 43, 15, 1, 1, 2}};
inline const Column kInterpreterVersion{"prtInterpreterLangVersion", {1, 3, 6, 1, 2, 1, 43, 15, 1, 1, 4}};
// prtAlertEntry, 1.3.6.1.2.1.43.18.1.1
inline const Column kAlertSeverity{"prtAlertSeverityLevel", {1, 3, 6, 1, 2, 1, 43, 18, 1, 1, 2}};
inline const Column kAlertGroup{"prtAlertGroup", {1, 3, 6, 1, 2, 1, 43, 18, 1, 1, 4}};
inline const Column kAlertLocation{"prtAlertLocation", {1, 3, 6, 1, 2, 1, 43, 18, 1, 1, 6}};
inline const Column kAlertCode{"prtAlertCode", {1, 3, 6, 1, 2, 1, 43, 18, 1, 1, 7}};
inline const Column kAlertDescription{"prtAlertDescription", {1, 3, 6, 1, 2, 1, 43, 18, 1, 1, 8}};
// hrDeviceEntry, 1.3.6.1.2.1.25.3.2.1; hrPrinterEntry, 1.3.6.1.2.1.25.3.5.1
inline const Column kDeviceDescr{"hrDeviceDescr", {1, 3, 6, 1, 2, 1, 25, 3, 2, 1, 3}};
inline const Column kDeviceStatus{"hrDeviceStatus", {1, 3, 6, 1, 2, 1, 25, 3, 2, 1, 5}};
inline const Column kPrinterStatus{"hrPrinterStatus", {1, 3, 6, 1, 2, 1, 25, 3, 5, 1, 1}};
inline const Column kPrinterErrorState{"hrPrinterDetectedErrorState", {1, 3, 6, 1, 2, 1, 25, 3, 5, 1, 2}};
// hrMemorySize, 1.3.6.1.2.1.25.2.2 (a scalar: its one row is .0), in KiB
inline const Column kMemorySize{"hrMemorySize", {1, 3, 6, 1, 2, 1, 25, 2, 2}};

// Every column, in the order a walk asks for them (and the order of their OIDs
// inside each MIB, so an agent's answers for one request are near each other).
inline const std::array<const Column *, 37> kWalkedColumns{
    &kMemorySize, &kDeviceDescr, &kDeviceStatus, &kPrinterStatus, &kPrinterErrorState,
    &kPrinterName, &kSerialNumber,
    &kInputDimUnit, &kInputFeedDim, &kInputCrossFeedDim, &kInputCapacityUnit, &kInputMaxCapacity,
    &kInputCurrentLevel, &kInputStatus, &kInputMediaName, &kInputName, &kInputMediaType,
    &kOutputMaxCapacity, &kOutputRemaining, &kOutputStatus, &kOutputName,
    &kMarkerLifeCount,
    &kSupplyColorant, &kSupplyClass, &kSupplyType, &kSupplyDescription, &kSupplyUnit, &kSupplyMaxCapacity,
    &kSupplyLevel,
    &kColorantValue,
    &kInterpreterFamily, &kInterpreterVersion,
    &kAlertSeverity, &kAlertGroup, &kAlertLocation, &kAlertCode, &kAlertDescription,
};

}  // namespace pathost::snmp::mib

#endif
