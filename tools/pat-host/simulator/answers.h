// What the simulated printer answers to one command, from its profile, in
// the shape PJL printers use: the command line repeated, body lines, and a
// form feed. Unknown variables are answered "?", as printers do.
#ifndef PAT_HOST_SIMULATOR_ANSWERS_H
#define PAT_HOST_SIMULATOR_ANSWERS_H

#include <string>

#include "simulator/command_reader.h"
#include "simulator/profile.h"

namespace pathost::sim {

// Empty for commands that have no answer ("@PJL", "@PJL ENTER ...").
std::string AnswerTo(const Command &command, const Profile &profile);

}  // namespace pathost::sim

#endif
