// A captured answer run through the module, as a support engineer does with
// a customer's capture: the same request, cleaning and reply trees as a poll.
#include <fstream>

#include "commands.h"
#include "module_objects.h"
#include "report.h"

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

OutcomeKind RunReplay(const ReplayCommand &command, std::ostream &out, std::ostream &err) {
    PollOutcome outcome;
    outcome.address = command.answerFile;
    outcome.lenient = command.lenient;
    std::string capture;
    if (OutcomeKind failure = ReadCapture(command.answerFile, command.maxBytes, &capture, err); !Succeeded(failure))
        return failure;
    std::optional<std::string> deviceId;
    if (command.deviceIdSource.kind != DeviceIdSource::Kind::None) {
        DeviceIdRead read = ReadDeviceId(command.deviceIdSource);
        if (!read.ok) {
            err << "pat-host: " << read.error << '\n';
            return read.failure;
        }
        PreparedDeviceId prepared = PrepareDeviceId(read, command.raw);
        if (prepared.cleaned) outcome.deviceIdCleaning = prepared.cleaning;
        deviceId = prepared.text;
    }
    uint32_t mask = command.mask;
    if (!deviceId) mask &= ~kDeviceIdCategories;

    HostRecord record;
    for (uint16_t tray : command.trays) record.AddTray(tray);
    QueryPlan plan;
    try {
        plan = BuildQueryPlan(record.get(), mask, NewEchoToken());
    } catch (const ModuleFailure &failure) {
        err << "pat-host: " << failure.what() << '\n';
        return OutcomeKind::ModuleFailure;
    }
    AnswerTracker tracker(plan.required, plan.optional, plan.echoToken);
    tracker.Feed(capture);
    outcome.rounds = 1;
    outcome.bytesReceived = capture.size();
    outcome.missing = tracker.MissingRequired();
    outcome.unanswered = tracker.MissingOptional();

    Applied applied = ApplyAnswers(record.get(), plan, capture, deviceId, {command.raw, command.lenient});
    outcome.calls = applied.calls;
    outcome.pjlCleaned = applied.cleaned;
    outcome.pjlCleaning = applied.cleaning;
    Verdict verdict = Judge(SessionEnd::Complete, {}, applied, nullptr, {});
    if (verdict.kind != OutcomeKind::ModuleFailure && !outcome.missing.empty())
        verdict = {OutcomeKind::Incomplete, "the capture holds no answer that ends with its form feed for: " + Join(outcome.missing)};
    outcome.kind = verdict.kind;
    outcome.message = verdict.message;
    if (command.lenient)
        outcome.notes.push_back("lenient: the answers went to the module without the request copy, "
                                "so it applied whatever arrived");
    FinishOutcome(outcome, record.get(), mask);
    if (command.output.json)
        PrintJson(out, outcome);
    else
        PrintText(out, outcome);
    return outcome.kind;
}

}  // namespace pathost
