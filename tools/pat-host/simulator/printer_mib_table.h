// The objects the simulated agent serves, as one table sorted by OID: the
// device ID as ppmPrinterIEEE1284DeviceId of the first port and, when the
// profile has a printerMib, the Printer MIB and Host Resources MIB columns
// pat-host walks, each row at its RFC index (hrDeviceIndex 1, then the row's
// own index, in the prt tables; the hrDevice and hrPrinter rows at 1;
// hrMemorySize.0).
#ifndef PAT_HOST_SIMULATOR_PRINTER_MIB_TABLE_H
#define PAT_HOST_SIMULATOR_PRINTER_MIB_TABLE_H

#include <string>
#include <vector>

#include "simulator/profile.h"
#include "snmp/snmp_message.h"

namespace pathost::sim {

// Sorted by OID (snmp::Oid's own order is the MIB's), one binding per object.
using MibTable = std::vector<snmp::Binding>;

MibTable DeviceIdTable(const std::string &deviceId);
MibTable PrinterMibTable(const Profile &profile);

// The object itself, or the first after it; nullptr when there is none.
const snmp::Binding *FindObject(const MibTable &table, const snmp::Oid &oid);
const snmp::Binding *FindNext(const MibTable &table, const snmp::Oid &oid);
// Whether the OID lies in a column the table serves (v2c answers a missing
// row noSuchInstance there, noSuchObject elsewhere).
bool InKnownColumn(const MibTable &table, const snmp::Oid &oid);

}  // namespace pathost::sim

#endif
