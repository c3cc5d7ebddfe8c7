// The simulated printer's reader of what it is sent: PJL command lines, one
// per line, with universal exit sequences and blanks around them ignored.
// Anything that is not a "@PJL" line (print data) passes by unread.
#ifndef PAT_HOST_SIMULATOR_COMMAND_READER_H
#define PAT_HOST_SIMULATOR_COMMAND_READER_H

#include <string>
#include <string_view>
#include <vector>

namespace pathost::sim {

struct Command {
    std::string verb;      // "INFO", "INQUIRE", "ECHO", ... upper-cased
    std::string argument;  // "CONFIG", "INTRAY1SIZE" ... upper-cased; for ECHO the rest of the line as sent
};

class CommandReader {
public:
    std::vector<Command> Feed(std::string_view bytes);

private:
    void EndLine(std::vector<Command> &commands);
    std::string line_;  // bounded: a command line is short, data lines are not kept
};

}  // namespace pathost::sim

#endif
