// Reads the columns of a walk into the typed facts of printer_mib.h: rows by
// their index, of the printer's own device (its hrDeviceIndex), values
// checked for the type each column has. A value of another type is left out
// with a note, never guessed at.
#ifndef PAT_HOST_PRINTER_MIB_MIB_READING_H
#define PAT_HOST_PRINTER_MIB_MIB_READING_H

#include <string>

#include "printer_mib/printer_mib.h"
#include "snmp/mib_walk.h"

namespace pathost {

// The columns a walk asks for, in the order of snmp::mib::kWalkedColumns.
std::vector<snmp::Oid> PrinterMibColumns();

// `agent` is the HOST:PORT the walk asked.
PrinterMib ReadPrinterMib(const snmp::WalkResult &walk, const std::string &agent);

}  // namespace pathost

#endif
