// A captured answer through one module: the request a poll would send, the
// same cleaning and reply trees, then the flat record. replay prints one run;
// compare runs the same inputs through two modules.
#ifndef PAT_HOST_CAPTURE_REPLAY_H
#define PAT_HOST_CAPTURE_REPLAY_H

#include <optional>
#include <ostream>
#include <string>

#include "commands.h"
#include "module.h"
#include "outcome.h"

namespace pathost {

// What every module is given: the capture and the prepared device ID.
struct ReplayInputs {
    std::string capture;
    std::optional<std::string> deviceId;
    std::optional<DeviceIdCleaning> deviceIdCleaning;
    uint32_t mask = 0;  // without the device ID categories when there is none
};

// Reads the capture and the device ID; on failure the reason is in err.
OutcomeKind ReadReplayInputs(const ReplayCommand &command, ReplayInputs *inputs, std::ostream &err);

struct ReplayRun {
    PollOutcome outcome;
    bool planned = false;   // the module built its query
    std::string queryText;  // what a poll would send, without its echo word
};

ReplayRun ReplayThrough(const Module &module, const ReplayCommand &command, const ReplayInputs &inputs);

}  // namespace pathost

#endif
