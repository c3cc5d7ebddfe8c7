// What a command, or one poll of one printer, came to: one enumerator per
// kind of result, each with its exit status (sysexits.h), its word for
// --json and the hint for what to try next. Output and exit status are both
// derived from the kind, so the same failure gets the same status everywhere.
#ifndef PAT_HOST_OUTCOME_KIND_H
#define PAT_HOST_OUTCOME_KIND_H

#include <string>

namespace pathost {

enum class OutcomeKind {
    Pending,        // not yet finished: where every poll starts
    Ok,
    Usage,          // bad command line
    DataError,      // a profile or input file holds something it should not
    NoInput,        // an input file or device cannot be opened
    Unreachable,    // a printer: unknown name, connection refused, no connection
    NoDeviceId,     // --device-id-source snmp, and the agent gave no device ID
    NoPrinterMib,   // --printer-mib on, and the agent gave no Printer MIB
    NoPjl,          // the device ID's command set names no PJL: nothing was sent
    CannotListen,   // the simulator's address cannot be bound
    ModuleFailure,  // an export failed with something other than 0x20000002
    InternalError,  // pat-host itself failed: out of memory, a broken invariant
    CannotCreate,   // an output file cannot be created (--capture)
    DeviceIoError,  // the USB device ID could not be read
    NoAnswer,       // nothing arrived before the idle or overall timeout
    WentSilent,     // an answer started, then nothing for the idle timeout
    TooSlow,        // still arriving when the overall timeout passed
    Incomplete,     // closed early, or the module found the answer incomplete
    ByteLimit,      // reading stopped at --max-bytes
    Interrupted,    // Ctrl-C or SIGTERM before this printer finished
    CannotOpenModule,  // --module names a file that cannot be opened
    BadModule,         // --module names a file that is no loadable module
    ModulesDiffer,     // compare: the two modules did not come to the same
    OutputError,       // standard output or --capture could not be written
    NoDescriptors,     // pat-host ran out of file descriptors: no socket to poll with
};

int ExitCodeOf(OutcomeKind kind);
// The JSON "result" word: ok, unreachable, silent, timeout, incomplete ...
const char *WordOf(OutcomeKind kind);
// What a person can do next; empty when there is nothing to do.
const char *HintOf(OutcomeKind kind);
bool Succeeded(OutcomeKind kind);

// The exit-code table that --help and the README show.
std::string ExitCodeTable();

}  // namespace pathost

#endif
