// The targets file of `pat-host serve`: which printers one server polls, each
// with its own device-ID source and category mask where the command line's
// do not fit. JSON, checked strictly: a field this version does not know is an
// error naming it, so a typo never silently falls back to a default. A
// source's fields are those of its kind (sources/source_kinds.h), checked by
// the same code as its command-line options.
//
//   {"targets": [
//     {"address": "127.0.0.1:9101"},
//     {"address": "127.0.0.1:9102", "mask": "trays,bins", "deviceIdSource": "snmp",
//      "snmp": {"community": "public", "port": 161, "version": "2c", "timeout": 2}},
//     {"address": "127.0.0.1:9103", "deviceId": "MFG:Acme;CMD:PJL;MDL:Model 1;"},
//     {"address": "127.0.0.1:9104", "printerMib": "on"}]}
#ifndef PAT_HOST_SERVE_TARGETS_FILE_H
#define PAT_HOST_SERVE_TARGETS_FILE_H

#include <string>
#include <vector>

#include "schedule/scheduler.h"
#include "printer_mib/mib_source.h"
#include "sources/source_kinds.h"

namespace pathost::serve {

// A printer and its settings: the command line's, with the file's fields applied.
using FleetTarget = ScheduledTarget;

// One entry as the file gives it: the command line's source choice with the
// entry's fields applied, and its mask when it has one.
struct TargetEntry {
    Target target;
    SourceChoice source;
    std::optional<uint32_t> mask;
    std::optional<MibMode> printerMib;  // "printerMib": "auto", "on" or "off"
};

// A DataError names the file, the target's index and the field.
Expected<std::vector<TargetEntry>> ReadTargetsFile(const std::string &text, const std::string &fileName,
                                                   const SourceChoice &defaultSource);

// The file's targets, each starting from `defaults`, with its source made.
Expected<std::vector<FleetTarget>> ParseTargetsFile(const std::string &text, const std::string &fileName,
                                                    const PollSettings &defaults, const SourceChoice &defaultSource);

}  // namespace pathost::serve

#endif
