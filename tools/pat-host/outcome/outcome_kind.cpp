#include "outcome/outcome_kind.h"

#include <array>

#include "outcome/exit_codes.h"

namespace pathost {

namespace {

struct KindRow {
    OutcomeKind kind;
    int exitCode;
    const char *word;
    const char *hint;
};

constexpr const char *kReplayHint = "--lenient applies what arrived; --capture FILE keeps the bytes for 'pat-host replay' and a report";

// In enum order, so a kind is its own index.
constexpr std::array<KindRow, 22> kKinds = {{
    {OutcomeKind::Pending, kExitInternal, "not finished", "pat-host reported a poll it had not finished: please report this"},
    {OutcomeKind::Ok, kExitOk, "ok", ""},
    {OutcomeKind::Usage, kExitUsage, "usage", "see the command's --help"},
    {OutcomeKind::DataError, kExitDataError, "data error", "fix the field or file named above"},
    {OutcomeKind::NoInput, kExitNoInput, "no input", "check the file or device name and its permissions"},
    {OutcomeKind::Unreachable, kExitUnavailable, "unreachable",
     "check the address and port, and that the printer takes raw connections (port 9100 unless given)"},
    {OutcomeKind::NoDeviceId, kExitUnavailable, "no device id",
     "check the agent's port and community (--snmp-port, --snmp-community), or give --device-id"},
    {OutcomeKind::NoPjl, kExitUnavailable, "no pjl",
     "the device would print the query as text; --force sends it anyway"},
    {OutcomeKind::CannotListen, kExitUnavailable, "cannot listen",
     "choose another port (0 picks a free one) or stop what listens there"},
    {OutcomeKind::ModuleFailure, kExitModule, "module failure",
     "keep the answer with --capture FILE and reproduce it with 'pat-host replay --answer FILE'"},
    {OutcomeKind::InternalError, kExitInternal, "internal error", "please report this with the command line"},
    {OutcomeKind::CannotCreate, kExitCantCreate, "cannot create output",
     "check that the directory exists and is writable"},
    {OutcomeKind::DeviceIoError, kExitIoError, "device error",
     "check the device node (e.g. /dev/usb/lp0) and its permissions, or pass --device-id"},
    {OutcomeKind::NoAnswer, kExitTimeout, "silent",
     "the printer may not speak PJL on this port: try its raw port; for a slow printer raise --idle-timeout and --timeout"},
    {OutcomeKind::WentSilent, kExitTimeout, "silent",
     "for a slow printer raise --idle-timeout and --timeout; --lenient applies what arrived"},
    {OutcomeKind::TooSlow, kExitTimeout, "timeout",
     "for a slow printer raise --idle-timeout and --timeout; --lenient applies what arrived"},
    {OutcomeKind::Incomplete, kExitIncomplete, "incomplete", kReplayHint},
    {OutcomeKind::ByteLimit, kExitIncomplete, "incomplete", "raise --max-bytes, or use --lenient to apply what arrived"},
    {OutcomeKind::Interrupted, kExitInterrupted, "interrupted",
     "the run was stopped (Ctrl-C or SIGTERM) before this printer finished; poll it again"},
    {OutcomeKind::CannotOpenModule, kExitNoInput, "no module", "check the --module path and its permissions"},
    {OutcomeKind::BadModule, kExitDataError, "bad module",
     "--module takes libpat.so or pat.dll as built for i386 (ELF shared object or PE32 DLL)"},
    {OutcomeKind::ModulesDiffer, kExitDiffer, "differ", "the differences are listed above"},
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
    return "Exit codes, the same in every command:\n"
           "   0  success: every printer answered and the module took the answers;\n"
           "      compare: the two modules agree\n"
           "   1  compare: the two modules differ\n"
           "  64  usage error (bad command line)\n"
           "  65  a profile or input file holds something it should not; --module names\n"
           "      a file that is no loadable module (malformed, wrong machine, missing\n"
           "      exports)\n"
           "  66  an input file or device cannot be opened (also --module, --with)\n"
           "  69  a printer or endpoint is unavailable: a printer is unreachable (unknown\n"
           "      name, connection refused, no connection), its SNMP agent gave no device\n"
           "      ID (--device-id-source snmp), its command set names no PJL (nothing was\n"
           "      sent; --force), or a listen address cannot be bound (simulate, demo, serve)\n"
           "  70  the module refused: an export failed (last error shown in hex), or an\n"
           "      export does not take the arguments of its prototype in pat.h\n"
           "  71  pat-host itself failed (out of memory, an internal error)\n"
           "  73  an output file cannot be created (--capture)\n"
           "  74  the USB device ID could not be read\n"
           "  75  a printer went silent (idle timeout) or was too slow (overall timeout)\n"
           "  76  an answer was incomplete: the printer closed early, the byte limit was\n"
           "      reached, or the module found that the answers do not answer the request\n"
           "      (0x20000002)\n"
           " 130  interrupted (Ctrl-C or SIGTERM) before every printer finished; simulate\n"
           "      and serve told to stop exit 0\n"
           "With several printers, the status is that of the first printer on the command\n"
           "line whose (last) poll failed; 130 when the run was interrupted.\n";
}

}  // namespace pathost
