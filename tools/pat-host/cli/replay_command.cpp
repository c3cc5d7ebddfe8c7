// A captured answer run through the module, as a support engineer does with
// a customer's capture: the same request, cleaning and reply trees as a poll.
#include "poll/capture_replay.h"
#include "cli/commands.h"
#include "report/report.h"

namespace pathost {

OutcomeKind RunReplay(const Module &module, const ReplayCommand &command, std::ostream &out, std::ostream &err) {
    Expected<ReplayInputs> read = ReadReplayInputs(command);
    if (!read) {
        err << "pat-host: " << read.error().message << '\n';
        return read.error().kind;
    }
    const ReplayInputs &inputs = *read;
    ReplayRun run = ReplayThrough(module, command, inputs);
    // A query the module would not build: as before, a message and no record.
    if (!run.planned) {
        err << "pat-host: " << run.outcome.message << '\n';
        return run.outcome.kind;
    }
    if (command.output.json)
        PrintJson(out, run.outcome);
    else
        PrintText(out, run.outcome);
    return run.outcome.kind;
}

}  // namespace pathost
