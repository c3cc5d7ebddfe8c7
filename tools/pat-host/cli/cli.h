// pat-host's command line: parses it with CLI11 and runs the subcommand.
#ifndef PAT_HOST_CLI_H
#define PAT_HOST_CLI_H

#include <ostream>

namespace pathost {

// The whole program; returns the exit status.
int RunCli(int argc, const char *const *argv, std::ostream &out, std::ostream &err);

}  // namespace pathost

#endif
