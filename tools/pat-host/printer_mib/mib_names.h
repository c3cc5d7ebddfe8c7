// The names of the MIB's enumerations, as RFC 3805 and RFC 2790 spell them
// ("toner", "markerTonerAlmostEmpty", "idle"): what the outputs, the metrics'
// labels and the page show. A value the MIB does not list shows as its number,
// an unset one as "unknown".
#ifndef PAT_HOST_PRINTER_MIB_MIB_NAMES_H
#define PAT_HOST_PRINTER_MIB_MIB_NAMES_H

#include <stdint.h>

#include <optional>
#include <string>

namespace pathost {

std::string SupplyTypeName(std::optional<int32_t> type);         // PrtMarkerSuppliesTypeTC
std::string SupplyClassName(std::optional<int32_t> supplyClass); // "consumed", "receptacle"
std::string SupplyUnitName(std::optional<int32_t> unit);         // PrtMarkerSuppliesSupplyUnitTC
std::string CapacityUnitName(std::optional<int32_t> unit);       // PrtCapacityUnitTC
std::string DimUnitName(std::optional<int32_t> unit);            // PrtMediaUnitTC
std::string AlertSeverityName(std::optional<int32_t> severity);  // PrtAlertSeverityLevelTC
std::string AlertGroupName(std::optional<int32_t> group);        // PrtAlertGroupTC
std::string AlertCodeName(std::optional<int32_t> code);          // PrtAlertCodeTC
std::string LanguageFamilyName(std::optional<int32_t> family);   // PrtInterpreterLangFamilyTC
std::string PrinterStatusName(std::optional<int32_t> status);    // hrPrinterStatus
std::string DeviceStatusName(std::optional<int32_t> status);     // hrDeviceStatus
// hrPrinterDetectedErrorState bit 0 to 15: "lowPaper" ... "outputFull"; "" beyond.
const char *ErrorStateBitName(unsigned bit);

}  // namespace pathost

#endif
