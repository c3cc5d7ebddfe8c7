// Standard output as a command's result: a failed write (a full disk, a
// closed descriptor) is an OutputError (74), never a silent success.
#ifndef PAT_HOST_CLI_STANDARD_STREAMS_H
#define PAT_HOST_CLI_STANDARD_STREAMS_H

#include <ostream>
#include <string>

#include "outcome/failure.h"

namespace pathost {

// Started with descriptor 0, 1 or 2 closed, the first file or socket opened
// would take its number and receive the output. Each closed one is held by
// /dev/null opened for reading only, so writes to it still fail.
void HoldClosedStandardStreams();

// Flushes `out`; an OutputError naming `what` ("standard output") when any
// write to it failed.
Expected<void> Flushed(std::ostream &out, const std::string &what);

}  // namespace pathost

#endif
