// Exit statuses of pat-host, in the sysexits.h tradition. Each fault has its
// own, so a script can tell a printer that is off from one that stopped
// talking or a module that refused. Which failure gets which status is
// outcome_kind.cpp's table; nothing else picks one.
#ifndef PAT_HOST_EXIT_CODES_H
#define PAT_HOST_EXIT_CODES_H

namespace pathost {

enum ExitCode : int {
    kExitOk = 0,
    kExitDiffer = 1,        // as diff(1): compare found that the two modules differ
    kExitUsage = 64,        // EX_USAGE: bad command line
    kExitDataError = 65,    // EX_DATAERR: a profile or input file that is not what it should be
    kExitNoInput = 66,      // EX_NOINPUT: an input file or device that cannot be opened
    kExitUnavailable = 69,  // EX_UNAVAILABLE: printer unreachable, or the listen address cannot be bound
    kExitModule = 70,       // EX_SOFTWARE: the module refused (an export failed other than 0x20000002)
    kExitInternal = 71,     // EX_OSERR: pat-host itself failed (out of memory, internal error)
    kExitCantCreate = 73,   // EX_CANTCREAT: an output file that cannot be created
    kExitIoError = 74,      // EX_IOERR: the USB device ID could not be read, an output could not be written
    kExitTimeout = 75,      // EX_TEMPFAIL: printer silent (idle timeout) or too slow (overall timeout)
    kExitIncomplete = 76,   // EX_PROTOCOL: the answer ended incomplete (closed, byte limit, 0x20000002)
    kExitInterrupted = 130, // 128 + SIGINT, as shells report it: stopped before every printer finished
};

}  // namespace pathost

#endif
