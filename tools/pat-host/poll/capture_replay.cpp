#include "poll/capture_replay.h"

#include "input/input_file.h"
#include "module/module_objects.h"
#include "poll/round.h"

namespace pathost {

namespace {

Expected<std::string> ReadCapture(const std::string &file, size_t limit) {
    return ReadInputFile(file, "the capture", limit, "larger than --max-bytes (" + std::to_string(limit) + " bytes)");
}

}  // namespace

Expected<ReplayInputs> ReadReplayInputs(const ReplaySettings &command) {
    ReplayInputs inputs;
    Expected<std::string> capture = ReadCapture(command.answerFile, command.maxBytes);
    if (!capture) return std::unexpected(capture.error());
    inputs.capture = std::move(*capture);
    if (command.deviceIdSource) {
        DeviceIdResult result = AskNow(*command.deviceIdSource, {});
        if (!result) return std::unexpected(result.error());
        if (result->found) {
            PreparedDeviceId prepared = PrepareDeviceId(*result->found, command.raw);
            if (prepared.cleaned) inputs.deviceIdCleaning = prepared.cleaning;
            inputs.deviceId = prepared.text;
        }
    }
    inputs.mask = command.mask;
    if (!inputs.deviceId) inputs.mask &= ~kDeviceIdCategories;
    return inputs;
}

ReplayRun ReplayThrough(const Module &module, const ReplaySettings &command, const ReplayInputs &inputs) {
    ReplayRun run;
    PollOutcome &outcome = run.outcome;
    outcome.address = command.answerFile;
    outcome.module = module.identity;
    outcome.lenient = command.lenient;
    outcome.deviceIdCleaning = inputs.deviceIdCleaning;
    HostRecord record(module);
    for (uint16_t tray : command.trays) record.AddTray(tray);
    Expected<QueryPlan> plan = BuildQueryPlan(module, record.get(), inputs.mask, NewEchoToken());
    if (!plan) {
        outcome.kind = plan.error().kind;
        outcome.message = plan.error().message;
        outcome.snapshot = SnapshotOf(*record);
        return run;
    }
    run.planned = true;
    // The echo word is fresh each run: two runs compare without it.
    run.queryText = plan->text;
    if (!plan->echoToken.empty())
        run.queryText.replace(run.queryText.rfind(plan->echoToken), plan->echoToken.size(), "PATHOST-XXXXXXXX");

    outcome.rounds = 1;
    outcome.bytesReceived = inputs.capture.size();
    RoundAnswer answer{inputs.capture, SessionEnd::Complete, inputs.capture.size(), {}, true};
    Expected<RoundResult> round =
        RunRound(module, record.get(), *plan, std::move(answer), inputs.deviceId, {command.raw, command.lenient}, {});
    if (!round) {
        outcome.kind = round.error().kind;
        outcome.message = round.error().message;
        outcome.snapshot = SnapshotOf(*record);
        return run;
    }
    AddRound(outcome, std::move(*round));
    FinishOutcome(module, outcome, record.get(), inputs.mask);
    return run;
}

}  // namespace pathost
