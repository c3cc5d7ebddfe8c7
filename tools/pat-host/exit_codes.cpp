#include "exit_codes.h"

namespace pathost {

std::string ExitCodeTable() {
    return "Exit codes:\n"
           "   0  every printer answered and the module took the answers\n"
           "  64  usage error (bad command line)\n"
           "  65  a profile or input file holds something it should not\n"
           "  66  an input file or device cannot be opened\n"
           "  69  a printer is unreachable (unknown name, connection refused, no connection)\n"
           "  70  the module refused: an export failed (last error shown in hex);\n"
           "      or pat-host itself failed (out of memory)\n"
           "  74  the USB device ID could not be read\n"
           "  75  a printer went silent (idle timeout) or was too slow (overall timeout)\n"
           "  76  an answer was incomplete: the printer closed early, the byte limit was\n"
           "      reached, or the module found that the answers do not answer the request\n"
           "      (0x20000002)\n"
           "With several printers, the status is that of the first printer on the command\n"
           "line whose (last) poll failed.\n";
}

}  // namespace pathost
