// The two outputs: a readable summary for people, one JSON object per line for
// programs.
#ifndef PAT_HOST_REPORT_H
#define PAT_HOST_REPORT_H

#include <ostream>
#include <string>

#include "poll/outcome.h"

namespace pathost {

void PrintText(std::ostream &out, const PollOutcome &outcome);

// `module`: the one that made the record, when the outcome does not say (a
// server keeps it once for the whole fleet).
Json OutcomeToJson(const PollOutcome &outcome, const ModuleIdentity *module = nullptr);
// One line, invalid UTF-8 from a printer replaced rather than refused.
void PrintJson(std::ostream &out, const PollOutcome &outcome);

// "libpat.so (ELF shared object), version 1.1.5.0: PATH"
std::string ModuleLine(const ModuleIdentity &module);

}  // namespace pathost

#endif
