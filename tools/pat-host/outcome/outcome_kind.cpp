#include "outcome/outcome_kind.h"

#include <stdio.h>

#include <algorithm>
#include <array>

#include "outcome/exit_codes.h"

namespace pathost {

namespace {

struct KindRow {
    OutcomeKind kind;
    int exitCode;
    const char *word;
    const char *hint;
    const char *meaning;  // its part of the exit-code table; empty: said by another kind
};

constexpr const char *kReplayHint = "--lenient applies what arrived; --capture FILE keeps the bytes for 'pat-host replay' and a report";

// In enum order, so a kind is its own index.
constexpr std::array<KindRow, 25> kKinds = {{
    {OutcomeKind::Pending, kExitInternal, "not finished", "pat-host reported a poll it had not finished: please report this",
     ""},
    {OutcomeKind::Ok, kExitOk, "ok", "",
     "success: every printer answered and the module took the answers; compare: the two modules agree"},
    {OutcomeKind::Usage, kExitUsage, "usage", "see the command's --help",
     "usage error (bad command line)"},
    {OutcomeKind::DataError, kExitDataError, "data error", "fix the field or file named above",
     "a profile, targets or input file holds something it should not (the field is named)"},
    {OutcomeKind::NoInput, kExitNoInput, "no input", "check the file or device name and its permissions",
     "an input file or device cannot be opened"},
    {OutcomeKind::Unreachable, kExitUnavailable, "unreachable",
     "check the address and port, and that the printer takes raw connections (port 9100 unless given)",
     "a printer is unreachable (unknown name, connection refused, no connection)"},
    {OutcomeKind::NoDeviceId, kExitUnavailable, "no device id",
     "check the device-ID source's settings, or give --device-id",
     "its device-ID source gave none (--device-id-source snmp)"},
    {OutcomeKind::NoPrinterMib, kExitUnavailable, "no printer mib",
     "check the agent's port and community (--snmp-port, --snmp-community), or use --printer-mib auto",
     "it gave no Printer MIB over SNMP (--printer-mib on)"},
    {OutcomeKind::NoPjl, kExitUnavailable, "no pjl",
     "the device would print the query as text; --force sends it anyway",
     "its command set names no PJL (nothing was sent; --force)"},
    {OutcomeKind::CannotListen, kExitUnavailable, "cannot listen",
     "choose another port (0 picks a free one) or stop what listens there",
     "a listen address cannot be bound (simulate, demo, serve)"},
    {OutcomeKind::ModuleFailure, kExitModule, "module failure",
     "keep the answer with --capture FILE and reproduce it with 'pat-host replay --answer FILE'",
     "the module refused: an export failed (last error shown in hex), or an export does not take the arguments of its prototype in pat.h"},
    {OutcomeKind::InternalError, kExitInternal, "internal error", "please report this with the command line",
     "pat-host itself failed (out of memory, an internal error)"},
    {OutcomeKind::CannotCreate, kExitCantCreate, "cannot create output",
     "check that the directory exists and is writable",
     "an output file cannot be created (--capture)"},
    {OutcomeKind::DeviceIoError, kExitIoError, "device error",
     "check the device node (e.g. /dev/usb/lp0) and its permissions, or pass --device-id",
     "the USB device ID could not be read"},
    {OutcomeKind::NoAnswer, kExitTimeout, "silent",
     "the printer may not speak PJL on this port: try its raw port; for a slow printer raise --idle-timeout and --timeout",
     ""},
    {OutcomeKind::WentSilent, kExitTimeout, "silent",
     "for a slow printer raise --idle-timeout and --timeout; --lenient applies what arrived",
     "a printer went silent or answered nothing (idle timeout)"},
    {OutcomeKind::TooSlow, kExitTimeout, "timeout",
     "for a slow printer raise --idle-timeout and --timeout; --lenient applies what arrived",
     "a printer was too slow (overall timeout)"},
    {OutcomeKind::Incomplete, kExitIncomplete, "incomplete", kReplayHint,
     "an answer was incomplete: the printer closed early, or the module found that the answers do not answer the request (0x20000002)"},
    {OutcomeKind::ByteLimit, kExitIncomplete, "incomplete", "raise --max-bytes, or use --lenient to apply what arrived",
     "reading stopped at the byte limit (--max-bytes)"},
    {OutcomeKind::Interrupted, kExitInterrupted, "interrupted",
     "the run was stopped (Ctrl-C or SIGTERM) before this printer finished; poll it again",
     "interrupted (Ctrl-C or SIGTERM) before every printer finished; simulate and serve told to stop exit 0"},
    {OutcomeKind::CannotOpenModule, kExitNoInput, "no module", "check the --module path and its permissions",
     "a module file cannot be opened (--module, --with)"},
    {OutcomeKind::BadModule, kExitDataError, "bad module",
     "--module takes libpat.so or pat.dll as built for i386 (ELF shared object or PE32 DLL)",
     "--module or --with names a file that is no loadable module (malformed, wrong machine, missing exports)"},
    {OutcomeKind::ModulesDiffer, kExitDiffer, "differ", "the differences are listed above",
     "compare: the two modules differ"},
    {OutcomeKind::OutputError, kExitIoError, "output error",
     "check that the output is open and its disk has room (a closed standard output, a full disk)",
     "an output could not be written (standard output, --capture)"},
    {OutcomeKind::NoDescriptors, kExitInternal, "no descriptors",
     "raise the limit of open files (ulimit -n), or lower --concurrency", "pat-host ran out of file descriptors"},
}};

const KindRow &RowOf(OutcomeKind kind) { return kKinds[static_cast<size_t>(kind)]; }

static_assert([] {
    for (size_t i = 0; i < kKinds.size(); ++i)
        if (static_cast<size_t>(kKinds[i].kind) != i) return false;
    return true;
}());

}  // namespace

int ExitCodeOf(OutcomeKind kind) { return RowOf(kind).exitCode; }
const char *WordOf(OutcomeKind kind) { return RowOf(kind).word; }
const char *HintOf(OutcomeKind kind) { return RowOf(kind).hint; }
bool Succeeded(OutcomeKind kind) { return kind == OutcomeKind::Ok; }

std::string ExitCodeTable() {
    // Each status once, with what every kind that has it means, folded to 80
    // columns under its number.
    std::string table = "Exit codes, the same in every command:\n";
    std::array<int, kKinds.size()> codes{};
    for (size_t i = 0; i < kKinds.size(); ++i) codes[i] = kKinds[i].exitCode;
    std::sort(codes.begin(), codes.end());
    for (size_t i = 0; i < codes.size(); ++i) {
        if (i > 0 && codes[i] == codes[i - 1]) continue;
        std::string meaning;
        for (const KindRow &row : kKinds)
            if (row.exitCode == codes[i] && *row.meaning != '\0') meaning += (meaning.empty() ? "" : "; ") + std::string(row.meaning);
        if (meaning.empty()) continue;
        char number[8];
        snprintf(number, sizeof number, "%4d  ", codes[i]);
        std::string line = number;
        size_t start = 0;
        while (start < meaning.size()) {
            size_t room = 80 - line.size(), end = meaning.size();
            if (end - start > room) {
                end = meaning.rfind(' ', start + room);
                if (end == std::string::npos || end <= start) end = start + room;
            }
            table += line + meaning.substr(start, end - start) + "\n";
            start = end < meaning.size() && meaning[end] == ' ' ? end + 1 : end;
            line = "      ";
        }
    }
    return table +
           "With several printers, the status is that of the first printer on the command\n"
           "line whose (last) poll failed; 130 when the run was interrupted.\n";
}

}  // namespace pathost
