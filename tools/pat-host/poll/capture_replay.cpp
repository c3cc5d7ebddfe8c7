#include "poll/capture_replay.h"

#include <fstream>

#include "module/module_objects.h"

namespace pathost {

namespace {

OutcomeKind ReadCapture(const std::string &file, size_t limit, std::string *bytes, std::ostream &err) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        err << "pat-host: cannot open the capture " << file << '\n';
        return OutcomeKind::NoInput;
    }
    char buffer[16384];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes->append(buffer, static_cast<size_t>(in.gcount()));
        if (bytes->size() > limit) {
            err << "pat-host: the capture " << file << " is larger than --max-bytes (" << limit << " bytes)\n";
            return OutcomeKind::DataError;
        }
    }
    return OutcomeKind::Ok;
}

}  // namespace

OutcomeKind ReadReplayInputs(const ReplaySettings &command, ReplayInputs *inputs, std::ostream &err) {
    if (OutcomeKind failure = ReadCapture(command.answerFile, command.maxBytes, &inputs->capture, err);
        !Succeeded(failure))
        return failure;
    if (command.deviceIdSource.kind != DeviceIdSource::Kind::None) {
        DeviceIdRead read = ReadDeviceId(command.deviceIdSource);
        if (!read.ok) {
            err << "pat-host: " << read.error << '\n';
            return read.failure;
        }
        PreparedDeviceId prepared = PrepareDeviceId(read, command.raw);
        if (prepared.cleaned) inputs->deviceIdCleaning = prepared.cleaning;
        inputs->deviceId = prepared.text;
    }
    inputs->mask = command.mask;
    if (!inputs->deviceId) inputs->mask &= ~kDeviceIdCategories;
    return OutcomeKind::Ok;
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
    QueryPlan plan;
    try {
        plan = BuildQueryPlan(module, record.get(), inputs.mask, NewEchoToken());
        run.planned = true;
        // The echo word is fresh each run: two runs compare without it.
        run.queryText = plan.text;
        if (!plan.echoToken.empty())
            run.queryText.replace(run.queryText.rfind(plan.echoToken), plan.echoToken.size(), "PATHOST-XXXXXXXX");
    } catch (const ModuleFailure &failure) {
        outcome.kind = OutcomeKind::ModuleFailure;
        outcome.message = failure.what();
        outcome.snapshot = SnapshotOf(*record);
        return run;
    }
    AnswerTracker tracker(plan.required, plan.optional, plan.echoToken);
    tracker.Feed(inputs.capture);
    outcome.rounds = 1;
    outcome.bytesReceived = inputs.capture.size();
    outcome.missing = tracker.MissingRequired();
    outcome.unanswered = tracker.MissingOptional();

    Applied applied;
    try {
        applied = ApplyAnswers(module, record.get(), plan, inputs.capture, inputs.deviceId,
                               {command.raw, command.lenient});
    } catch (const BrokenExport &broken) {
        outcome.kind = OutcomeKind::ModuleFailure;
        outcome.message = broken.what();
        outcome.snapshot = SnapshotOf(*record);
        return run;
    }
    outcome.calls = applied.calls;
    outcome.pjlCleaned = applied.cleaned;
    outcome.pjlCleaning = applied.cleaning;
    Verdict verdict = Judge(SessionEnd::Complete, {}, applied, nullptr, {});
    if (verdict.kind != OutcomeKind::ModuleFailure && !outcome.missing.empty())
        verdict = {OutcomeKind::Incomplete,
                   "the capture holds no answer that ends with its form feed for: " + Join(outcome.missing)};
    outcome.kind = verdict.kind;
    outcome.message = verdict.message;
    if (command.lenient)
        outcome.notes.push_back("lenient: the answers went to the module without the request copy, "
                                "so it applied whatever arrived");
    FinishOutcome(module, outcome, record.get(), inputs.mask);
    return run;
}

}  // namespace pathost
