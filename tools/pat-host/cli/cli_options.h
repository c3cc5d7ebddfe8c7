// The pieces the subcommands' command lines share: validators, which check
// a value's text while CLI11 parses, so a bad value is a usage error naming
// its option; and the option groups several subcommands take.
#ifndef PAT_HOST_CLI_OPTIONS_H
#define PAT_HOST_CLI_OPTIONS_H

#include <CLI/CLI.hpp>
#include <chrono>
#include <limits>
#include <map>
#include <string>

#include "sources/source_kinds.h"
#include "transport/poll_session.h"
#include "transport/target.h"

namespace pathost::cli {

extern const CLI::Validator kSeconds;        // above 0, at most a day
extern const CLI::Validator kInterval;       // from 1 s to a day: --interval, --watch
extern const CLI::Validator kMask;           // a number or category names
extern const CLI::Validator kPrinter;        // HOST[:PORT], [IPv6]:PORT
extern const CLI::Validator kListenAddress;  // IP:PORT, port 0 allowed
extern const CLI::Validator kTrayCode;       // a 16-bit tray code
CLI::Validator Bounds(size_t min, size_t max = std::numeric_limits<size_t>::max());

// A target the validator has accepted.
Target Checked(const std::string &text, bool listening = false);
std::chrono::milliseconds Milliseconds(double seconds);

// The device-ID source options, made from the list of source kinds: the
// options that choose one (one at most), --device-id-source for the kinds
// chosen by name, and each kind's settings in a group of its own. A network
// poll without one asks auto's source (the SNMP agent).
struct DeviceIdOptions {
    std::map<std::string, std::string> values;  // kind: the value of the option that chose it
    std::string sourceName = "auto";
    std::map<std::string, std::map<std::string, std::string>> settings;  // kind prefix: setting: value
    SourceChoice choice() const;
    // The source chosen; a command-line error when it cannot be made.
    SourcePtr source() const;
};
// The options every subcommand that reads answers shares.
struct AnswerOptions {
    std::string mask = "all";
    bool raw = false, lenient = false, json = false;
    size_t maxBytes = kDefaultMaxBytes;
};
// --printer-mib and --printer-mib-rows.
struct PrinterMibOptions {
    std::string mode = "auto";
    size_t maxRows = 1000;
};
struct TimeOptions {
    double timeout = 10, idle = 3;
    SessionLimits limits(size_t maxBytes) const { return {Milliseconds(timeout), Milliseconds(idle), maxBytes}; }
};

// network: the kinds that need a printer's host too (--usb, SNMP), and
// --device-id-source.
void AddDeviceIdOptions(CLI::App *app, DeviceIdOptions &o, bool network);
void AddAnswerOptions(CLI::App *app, AnswerOptions &o);
void AddTimeOptions(CLI::App *app, TimeOptions &t);
void AddPrinterMibOptions(CLI::App *app, PrinterMibOptions &o);

}  // namespace pathost::cli

#endif
