// The targets file of `pat-host serve`: which printers one server polls, each
// with its own device-ID settings and category mask where the command line's
// do not fit. JSON, checked strictly: a field this version does not know is an
// error naming it, so a typo never silently falls back to a default.
//
//   {"targets": [
//     {"address": "127.0.0.1:9101"},
//     {"address": "127.0.0.1:9102", "mask": "trays,bins", "deviceIdSource": "snmp",
//      "snmp": {"community": "public", "port": 161, "version": "2c", "timeout": 2}},
//     {"address": "127.0.0.1:9103", "deviceId": "MFG:Acme;CMD:PJL;MDL:Model 1;"}]}
#ifndef PAT_HOST_SERVE_TARGETS_FILE_H
#define PAT_HOST_SERVE_TARGETS_FILE_H

#include <stdexcept>
#include <string>
#include <vector>

#include "poll/printer_poll.h"

namespace pathost::serve {

struct FleetTarget {
    Target target;
    PollSettings settings;  // the command line's, with the file's fields applied
};

class TargetsFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file's targets, each starting from `defaults`. Throws TargetsFileError
// naming the file, the target's index and the field.
std::vector<FleetTarget> ParseTargetsFile(const std::string &text, const std::string &fileName,
                                          const PollSettings &defaults);

}  // namespace pathost::serve

#endif
