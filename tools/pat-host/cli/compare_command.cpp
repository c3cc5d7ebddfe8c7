// One capture through two modules in one process, as support does with a
// customer's pat.dll against the current build: every place they part.
#include "poll/capture_replay.h"
#include "cli/commands.h"
#include "report/report.h"
#include "report/run_diff.h"
#include "report/visible_text.h"

namespace pathost {

namespace {

Json IdentityToJson(const ModuleIdentity &m) { return {{"path", m.path}, {"kind", m.kind}, {"version", m.version}}; }

}  // namespace

OutcomeKind RunCompare(const Module &first, const Module &second, const CompareCommand &command, std::ostream &out,
                       std::ostream &err) {
    Expected<ReplayInputs> read = ReadReplayInputs(command.replay);
    if (!read) {
        err << "pat-host: " << read.error().message << '\n';
        return read.error().kind;
    }
    const ReplayInputs &inputs = *read;
    ReplayRun a = ReplayThrough(first, command.replay, inputs);
    ReplayRun b = ReplayThrough(second, command.replay, inputs);
    std::vector<Change> changes = DiffRuns(a, b);
    OutcomeKind kind = changes.empty() ? OutcomeKind::Ok : OutcomeKind::ModulesDiffer;
    if (command.replay.output.json) {
        Json differences = Json::array();
        for (const Change &change : changes)
            differences.push_back({{"path", change.path}, {"first", change.before}, {"second", change.after}});
        Json j = {{"answer", command.replay.answerFile},
                  {"modules", Json::array({IdentityToJson(first.identity), IdentityToJson(second.identity)})},
                  {"agree", changes.empty()},
                  {"exitCode", ExitCodeOf(kind)},
                  {"results", Json::array({WordOf(a.outcome.kind), WordOf(b.outcome.kind)})},
                  {"messages", Json::array({a.outcome.message, b.outcome.message})},
                  {"differences", std::move(differences)}};
        out << j.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
        return kind;
    }
    out << "capture: " << command.replay.answerFile << '\n'
        << "first:   " << ModuleLine(first.identity) << "\n           " << WordOf(a.outcome.kind) << ": "
        << a.outcome.message << '\n'
        << "second:  " << ModuleLine(second.identity) << "\n           " << WordOf(b.outcome.kind) << ": "
        << b.outcome.message << '\n';
    if (changes.empty()) {
        out << "the two modules agree\n";
        return kind;
    }
    out << "the two modules differ in " << changes.size() << (changes.size() == 1 ? " place" : " places")
        << " (first -> second):\n";
    for (const Change &change : changes) out << "    " << Visible(FormatChange(change)) << '\n';
    return kind;
}

}  // namespace pathost
