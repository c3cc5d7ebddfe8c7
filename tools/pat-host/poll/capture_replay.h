// A captured answer through one module: the request a poll would send, the
// same cleaning and reply trees, then the flat record. replay prints one run;
// compare runs the same inputs through two modules.
#ifndef PAT_HOST_CAPTURE_REPLAY_H
#define PAT_HOST_CAPTURE_REPLAY_H

#include <optional>
#include <ostream>
#include <string>

#include "sources/device_id_source.h"
#include "transport/poll_session.h"
#include "module/module.h"
#include "poll/outcome.h"

namespace pathost {

// What replay and compare take from the command line.
struct ReplaySettings {
    std::string answerFile;
    SourcePtr deviceIdSource;  // null: none
    uint32_t mask = kAllCategories;
    std::vector<uint16_t> trays;
    bool raw = false;
    bool lenient = false;
    size_t maxBytes = kDefaultMaxBytes;
};

// What every module is given: the capture and the prepared device ID.
struct ReplayInputs {
    std::string capture;
    std::optional<std::string> deviceId;
    std::optional<DeviceIdCleaning> deviceIdCleaning;
    uint32_t mask = 0;  // without the device ID categories when there is none
};

// Reads the capture and asks for the device ID.
Expected<ReplayInputs> ReadReplayInputs(const ReplaySettings &command);

struct ReplayRun {
    PollOutcome outcome;
    bool planned = false;   // the module built its query
    std::string queryText;  // what a poll would send, without its echo word
};

ReplayRun ReplayThrough(const Module &module, const ReplaySettings &command, const ReplayInputs &inputs);

}  // namespace pathost

#endif
