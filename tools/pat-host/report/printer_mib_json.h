// The Printer MIB's facts as --json and /api/printers show them: numbers as
// the MIB gives them, each enumeration also by its RFC name, every supply's
// level as a percentage or its RFC meaning.
#ifndef PAT_HOST_REPORT_PRINTER_MIB_JSON_H
#define PAT_HOST_REPORT_PRINTER_MIB_JSON_H

#include <nlohmann/json.hpp>
#include <vector>

#include "printer_mib/printer_mib.h"

namespace pathost {

nlohmann::ordered_json PrinterMibJson(const PrinterMib &mib);
// {"config": "pjl", "trays": "printer-mib", ...}
nlohmann::ordered_json CategorySourcesJson(const std::vector<CategorySource> &sources);

}  // namespace pathost

#endif
