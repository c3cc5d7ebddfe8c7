#include "printer_mib/printer_mib.h"

namespace pathost {

std::optional<double> MibSupply::ratio() const {
    if (!level || !maxCapacity || *level < 0 || *maxCapacity <= 0) return std::nullopt;
    double r = static_cast<double>(*level) / *maxCapacity;
    return r > 1 ? 1.0 : r;  // an agent that counts past its own maximum is full, not more
}

std::string MibSupply::levelMeaning() const {
    if (ratio()) return "";
    if (!level) return "not reported";
    switch (*level) {
        case -1: return "other";
        case -2: return "unknown";
        case -3: return "some remaining";
    }
    if (!maxCapacity || *maxCapacity == -2) return "maximum unknown";
    if (*maxCapacity == -1) return "maximum other";
    return "not an amount";
}

bool PrinterMib::empty() const {
    return printerName.empty() && serialNumber.empty() && deviceDescr.empty() && !deviceStatus && !printerStatus &&
           !errorState && !memoryBytes && !pageCount && inputs.empty() && outputs.empty() && supplies.empty() &&
           alerts.empty() && interpreters.empty();
}

bool PrinterMib::errorBit(unsigned bit) const {
    if (!errorState || bit / 8 >= errorState->size()) return false;
    return (static_cast<uint8_t>((*errorState)[bit / 8]) & (0x80u >> (bit % 8))) != 0;
}

}  // namespace pathost
