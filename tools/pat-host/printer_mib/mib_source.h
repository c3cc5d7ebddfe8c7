// Asks a network printer's SNMP agent for its Printer MIB: one walk of every
// column pat-host reads, with the same community, port, version and timeout
// as the device ID (the --snmp-* options), on the poll's io_context.
#ifndef PAT_HOST_PRINTER_MIB_MIB_SOURCE_H
#define PAT_HOST_PRINTER_MIB_MIB_SOURCE_H

#include <stddef.h>

#include <boost/asio/io_context.hpp>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "printer_mib/printer_mib.h"
#include "sources/snmp_source.h"

namespace pathost {

// --printer-mib and "printerMib": auto reads it where the agent answers, on
// requires it (a printer whose agent gives none fails, 69), off never asks.
enum class MibMode { Auto, On, Off };
std::optional<MibMode> ParseMibMode(const std::string &text);
const char *MibModeName(MibMode mode);

struct PrinterMibSettings {
    MibMode mode = MibMode::Off;
    SnmpSettings snmp;
    size_t maxRows = 1000;  // per table
};

struct MibAnswer {
    std::optional<PrinterMib> mib;  // the agent answered
    std::string why;                // when it did not
};

// Walks once; `done` runs once, on io, unless the returned handle is released
// first, which cancels the walk and drops `done`. The walk takes at most the
// SNMP timeout, or `deadline` when that is shorter.
std::shared_ptr<void> AskPrinterMib(boost::asio::io_context &io, const std::string &host,
                                    const PrinterMibSettings &settings, std::chrono::milliseconds deadline,
                                    std::function<void(MibAnswer)> done);

}  // namespace pathost

#endif
