#include "poll/printer_poll.h"

#include <algorithm>

#include "module/module_objects.h"
#include "poll/round.h"
#include "printer_mib/mib_conversion.h"
#include "sources/command_set.h"

namespace pathost {

namespace {

constexpr unsigned kMaxRounds = 2;
constexpr size_t kOnWorker = 256 * 1024;  // answer bytes; about 50 ms of the module's time under qemu-i386

// The categories a device ID answers: status and engine status from its STS
// key, identity from its maker, model or description.
uint32_t DeviceIdAnswers(const std::string &deviceId) {
    uint32_t answered = 0;
    if (DeviceIdValue(deviceId, "STS")) answered |= PAT_CAT_STATUS | PAT_CAT_ENGINE_STATUS;
    for (const char *key : {"MFG", "MDL", "DES"})
        if (DeviceIdValue(deviceId, key)) answered |= PAT_CAT_IDENTITY;
    return answered;
}

bool AsksSomethingNew(const QueryPlan &next, const std::vector<std::string> &asked) {
    for (const std::string &category : next.required)
        if (std::find(asked.begin(), asked.end(), category) == asked.end()) return true;
    return false;
}

// One printer, its record kept from poll to poll: the device ID first, since
// whether PJL may be sent depends on it, then one round, or two when the
// first answer named trays the first query did not ask about.
class OnePrinter : public PrinterPoll, public std::enable_shared_from_this<OnePrinter> {
public:
    OnePrinter(boost::asio::io_context &io, Target target, const PollSettings &settings, Report report)
        : io_(io), target_(std::move(target)), settings_(settings), report_(std::move(report)), record_(*settings.module) {
        for (uint16_t tray : settings_.trays) record_.AddTray(tray);
    }

    void Poll(unsigned number, std::function<void(OutcomeKind)> finished) override {
        finished_ = std::move(finished);
        interrupted_ = false;
        NewOutcome(number);
        deviceId_.reset();
        commandSet_.reset();
        asked_.clear();
        mask_ = settings_.mask;
        mib_.reset();
        agentAnswered_ = false;
        pjlSent_ = false;
        modelFilled_ = MibParts{};
        if (!settings_.deviceIdSource) {
            mask_ &= ~kDeviceIdCategories;
            return AskPrinterMibIfWanted();
        }
        AskSource();
    }

    // Ends what is in flight; the poll then reports the interruption.
    void Interrupt() override {
        if (auto stop = std::move(stop_)) stop();
    }

    // A printer whose next poll never started.
    void ReportInterrupted(unsigned number, const std::string &why) override {
        NewOutcome(number);
        outcome_.kind = OutcomeKind::Interrupted;
        outcome_.message = why;
        outcome_.snapshot = SnapshotOf(*record_);
        report_(outcome_);
    }

private:
    void AskSource() {
        const DeviceIdSource &source = *settings_.deviceIdSource;
        DeviceIdRequest request{target_.host, (settings_.mask & kDeviceIdCategories) || !settings_.force,
                                settings_.sourceDeadline};
        auto self = shared_from_this();
        // Reported at once: the loop may stop right after an interruption.
        stop_ = [self] {
            self->asking_.reset();  // drops its handler
            self->Fail(OutcomeKind::Interrupted, "interrupted while " + self->settings_.deviceIdSource->Doing());
        };
        asking_ = source.Ask(io_, request, [self](DeviceIdResult result) { self->OnSource(std::move(result)); });
    }

    void OnSource(DeviceIdResult result) {
        stop_ = nullptr;
        asking_.reset();
        if (!result) return Fail(std::move(result.error()));
        agentAnswered_ = result->agentAnswered;
        if (result->found) {
            UseDeviceId(*result->found);
        } else {
            if (!result->why.empty())
                outcome_.notes.push_back(result->why + "; polled without the status, identity and engine-status categories");
            mask_ &= ~kDeviceIdCategories;
        }
        AskPrinterMibIfWanted();
    }

    // auto asks only an agent that answered the device-ID question: a
    // printer without one costs no second timeout.
    void AskPrinterMibIfWanted() {
        const PrinterMibSettings &mib = settings_.printerMib;
        if (mib.mode == MibMode::Off || (mib.mode == MibMode::Auto && !agentAnswered_)) return Proceed();
        auto self = shared_from_this();
        stop_ = [self] {
            self->asking_.reset();
            self->Fail(OutcomeKind::Interrupted, "interrupted while walking the Printer MIB");
        };
        asking_ = AskPrinterMib(io_, target_.host, mib, settings_.sourceDeadline,
                                [self](MibAnswer answer) { self->OnPrinterMib(std::move(answer)); });
    }

    void OnPrinterMib(MibAnswer answer) {
        stop_ = nullptr;
        asking_.reset();
        if (!answer.mib) {
            if (settings_.printerMib.mode == MibMode::On) return Fail(OutcomeKind::NoPrinterMib, answer.why);
            outcome_.notes.push_back(answer.why);
            return Proceed();
        }
        mib_ = std::move(answer.mib);
        for (const std::string &note : mib_->notes) outcome_.notes.push_back("Printer MIB: " + note);
        // Before the printer's own answers, which overwrite what they give.
        Expected<MibParts> filled = ConvertMib(ModelParts(settings_.mask));
        if (!filled) return Fail(std::move(filled.error()));
        modelFilled_ = *filled;
        Proceed();
    }

    // Hands the MIB's parts to the module: what it filled.
    Expected<MibParts> ConvertMib(const MibParts &wanted) {
        Expected<MibConversion> conversion = ConvertPrinterMib(*settings_.module, record_.get(), *mib_, wanted);
        if (!conversion) return std::unexpected(std::move(conversion.error()));
        for (const MibConversionCall &call : conversion->calls)
            outcome_.calls.push_back({"PatPMInfoToPrnInfoEx", call.block, call.result, call.lastError,
                                     std::max(outcome_.rounds, 1u)});
        return conversion->filled;
    }

    void UseDeviceId(const DeviceIdFound &found) {
        deviceId_ = PrepareDeviceId(found, settings_.raw);
        if (deviceId_->cleaned) outcome_.deviceIdCleaning = deviceId_->cleaning;
        outcome_.deviceIdOrigin = found.origin;
        // Judged on the cleaned text even with --raw: "COMMAND SET" is "CMD".
        commandSet_ = CommandSetOf(CleanDeviceId(found.bytes, found.lengthPrefixed).text);
    }

    void Proceed() {
        if (!Plan()) return;
        if (plan_.sendsPjl() && commandSet_ && !NamesPjl(*commandSet_)) {
            if (!settings_.force && mib_) {
                outcome_.notes.push_back("the device's command set names no PJL (CMD:" + *commandSet_ +
                                         "): the record comes from the Printer MIB, and nothing was sent to " +
                                         target_.Label());
                return WithoutPjl();
            }
            if (!settings_.force)
                return Fail(OutcomeKind::NoPjl, "the device's command set names no PJL (CMD:" + *commandSet_ +
                                                     "); nothing was sent to " + target_.Label());
            outcome_.notes.push_back("--force: PJL sent although the command set names none (CMD:" + *commandSet_ + ")");
        }
        StartRound();
    }

    // The rest of the poll without the raw port: the device ID, if any, and
    // the Printer MIB.
    void WithoutPjl() {
        mask_ &= kDeviceIdCategories;
        if (mask_ == 0 || !deviceId_) {
            outcome_.kind = OutcomeKind::Ok;
            outcome_.message = "read from the Printer MIB of " + mib_->agent;
            return Finish();
        }
        if (!Plan()) return;
        StartRound();
    }

    void NewOutcome(unsigned number) {
        outcome_ = PollOutcome{};
        outcome_.address = target_.Label();
        outcome_.module = settings_.module->identity;
        outcome_.poll = number;
        outcome_.watching = settings_.watchInterval.count() > 0;
        outcome_.lenient = settings_.lenient;
    }

    bool Plan() {
        Expected<QueryPlan> plan = BuildQueryPlan(*settings_.module, record_.get(), mask_, NewEchoToken());
        if (!plan) {
            Fail(std::move(plan.error()));
            return false;
        }
        plan_ = std::move(*plan);
        return true;
    }

    void StartRound() {
        ++outcome_.rounds;
        pjlSent_ = pjlSent_ || plan_.sendsPjl();
        if (!plan_.sendsPjl()) {
            // Only the device ID was asked: nothing goes over the network.
            SessionResult nothing;
            nothing.end = SessionEnd::Complete;
            return OnRound(std::move(nothing));
        }
        auto self = shared_from_this();
        stop_ = StartExchange(io_, target_, plan_.text, AnswerTracker(plan_.required, plan_.optional, plan_.echoToken),
                              settings_.limits, [self](SessionResult result) { self->OnRound(std::move(result)); });
    }

    void OnRound(SessionResult session) {
        stop_ = nullptr;
        outcome_.bytesReceived += session.bytesReceived;
        if (settings_.capture && !session.answer.empty())
            if (Expected<void> kept = settings_.capture(session.answer); !kept) return Fail(std::move(kept.error()));
        if (session.end == SessionEnd::Unreachable && mib_) {
            outcome_.notes.push_back("the raw port is unreachable (" + session.error +
                                     "): the record comes from the Printer MIB");
            pjlSent_ = false;
            --outcome_.rounds;
            return WithoutPjl();
        }
        if (session.end == SessionEnd::Unreachable)
            return Fail(OutcomeKind::Unreachable, "unreachable: " + session.error);
        if (session.end == SessionEnd::NoDescriptors)
            return Fail(OutcomeKind::NoDescriptors,
                        "pat-host ran out of file descriptors: " + session.error + "; " + target_.Label() + " was not polled");
        if (session.end == SessionEnd::Interrupted)
            return Fail(OutcomeKind::Interrupted, "interrupted after " + std::to_string(outcome_.bytesReceived) +
                                                       " bytes, before the answer was complete");
        std::optional<std::string> deviceId;
        if (deviceId_) deviceId = deviceId_->text;
        RoundAnswer answer{std::move(session.answer), session.end, session.bytesReceived, session.error, false};
        // A printer's answers are a few kilobytes, read in milliseconds: only
        // a flood's megabytes go to the worker, behind the other floods.
        if (settings_.roundWorker == nullptr || answer.bytes.size() < kOnWorker)
            return OnApplied(RunRound(*settings_.module, record_.get(), plan_, std::move(answer), deviceId,
                                      {settings_.raw, settings_.lenient}, settings_.limits));
        // Until the round returns, the record is the worker's: an interruption
        // is reported when it has.
        auto self = shared_from_this();
        auto round = std::make_shared<std::optional<Expected<RoundResult>>>();
        stop_ = [self] { self->interrupted_ = true; };
        settings_.roundWorker->Run(
            io_,
            [self, round, answer = std::make_shared<RoundAnswer>(std::move(answer)), deviceId] {
                round->emplace(RunRound(*self->settings_.module, self->record_.get(), self->plan_, std::move(*answer),
                                        deviceId, {self->settings_.raw, self->settings_.lenient}, self->settings_.limits));
            },
            [self, round] {
                self->stop_ = nullptr;
                if (self->interrupted_)
                    return self->Fail(OutcomeKind::Interrupted, "interrupted while the module read the answer");
                self->OnApplied(std::move(**round));
            });
    }

    void OnApplied(Expected<RoundResult> round) {
        if (!round) return Fail(std::move(round.error()));
        AddRound(outcome_, std::move(*round));
        asked_.insert(asked_.end(), plan_.required.begin(), plan_.required.end());
        if (Succeeded(outcome_.kind) && outcome_.rounds < kMaxRounds && (mask_ & PAT_CAT_INTRAYS)) {
            std::vector<std::string> asked = asked_;
            if (!Plan()) return;
            if (AsksSomethingNew(plan_, asked)) {
                outcome_.notes.push_back("round " + std::to_string(outcome_.rounds + 1) +
                                         ": the answer named trays the first query did not ask about");
                return StartRound();
            }
        }
        Finish();
    }

    void Fail(OutcomeKind kind, std::string message) { Fail(Failure{kind, std::move(message), {}}); }

    void Fail(Failure failure) {
        outcome_.kind = failure.kind;
        outcome_.message = std::move(failure.message);
        outcome_.hint = std::move(failure.hint);
        Finish();
    }

    // The categories the printer's own answers gave, and the MIB the rest.
    void MergePrinterMib() {
        bool pjlOk = pjlSent_ && Succeeded(outcome_.kind);
        bool deviceIdApplied = deviceId_ && std::any_of(outcome_.calls.begin(), outcome_.calls.end(),
                                                        [](const ModuleCall &c) { return c.call == "PatSetCentroDataTo"; });
        uint32_t pjl = pjlOk ? (mask_ & ~kDeviceIdCategories) : 0;
        uint32_t deviceId = deviceIdApplied ? (mask_ & DeviceIdAnswers(deviceId_->text)) : 0;
        MibParts filled = modelFilled_;
        if (mib_ && Stoppable(outcome_.kind)) {
            Expected<MibParts> rest = ConvertMib(RestParts(settings_.mask, pjl, deviceId));
            if (!rest) {
                outcome_.kind = rest.error().kind;
                outcome_.message = std::move(rest.error().message);
                outcome_.hint = std::move(rest.error().hint);
            } else {
                filled.trays = rest->trays, filled.bins = rest->bins, filled.emulations = rest->emulations;
                filled.statusWord = rest->statusWord, filled.engineStatuses = rest->engineStatuses;
            }
        }
        mibCategories_ = (filled.memory ? PAT_CAT_CONFIG : 0) | (filled.modelName ? PAT_CAT_IDENTITY : 0) |
                         (filled.trays ? PAT_CAT_INTRAYS : 0) | (filled.bins ? PAT_CAT_OUTBINS : 0) |
                         (filled.emulations ? PAT_CAT_EMULATIONS : 0) | (filled.statusWord ? PAT_CAT_STATUS : 0) |
                         (filled.engineStatuses ? PAT_CAT_ENGINE_STATUS : 0);
        outcome_.printerMib = mib_;
        outcome_.categorySources = CategorySources(settings_.mask, pjl, deviceId, filled, mib_ ? &*mib_ : nullptr);
    }

    // Whether a poll that came to `kind` still takes the MIB's part.
    static bool Stoppable(OutcomeKind kind) {
        return kind != OutcomeKind::Interrupted && kind != OutcomeKind::ModuleFailure &&
               kind != OutcomeKind::NoDescriptors && kind != OutcomeKind::InternalError;
    }

    void Finish() {
        MergePrinterMib();
        bool unansweredNote = !outcome_.unanswered.empty() && Succeeded(outcome_.kind);
        if (!outcome_.calls.empty()) {
            FinishOutcome(*settings_.module, outcome_, record_.get(), mask_ | mibCategories_);
            if (outcome_.watching) {  // only a watch shows what changed; no copy kept otherwise
                if (previous_) outcome_.changes = DiffSnapshots(*previous_, *outcome_.snapshot);
                previous_ = outcome_.snapshot;
            }
        } else {
            outcome_.snapshot = SnapshotOf(*record_);
        }
        if (unansweredNote)
            outcome_.notes.push_back("the printer did not answer the optional inquiries: " + Join(outcome_.unanswered));
        report_(outcome_);
        auto finished = std::move(finished_);
        finished(outcome_.kind);
    }

    boost::asio::io_context &io_;
    Target target_;
    PollSettings settings_;
    Report report_;
    HostRecord record_;
    QueryPlan plan_;
    std::optional<PreparedDeviceId> deviceId_;
    std::optional<std::string> commandSet_;  // the device ID's CMD, when it has one
    std::shared_ptr<void> asking_;           // the device-ID source, while it is asked
    uint32_t mask_ = 0;  // this poll's: without a device ID, less its categories
    std::vector<std::string> asked_;
    PollOutcome outcome_;
    std::optional<PrinterSnapshot> previous_;
    std::function<void(OutcomeKind)> finished_;
    std::function<void()> stop_;  // set while the source, an exchange or a round is in flight
    bool interrupted_ = false;    // while the worker had the round
    std::optional<PrinterMib> mib_;  // what the agent's Printer MIB said, this poll
    bool agentAnswered_ = false;     // the SNMP agent answered the device-ID question
    bool pjlSent_ = false;           // a round of this poll sent PJL
    MibParts modelFilled_;           // what the MIB's model step filled
    uint32_t mibCategories_ = 0;     // the categories the MIB filled, for the flat record
};

}  // namespace

std::shared_ptr<PrinterPoll> MakePrinterPoll(boost::asio::io_context &io, Target target, const PollSettings &settings,
                                             Report report) {
    return std::make_shared<OnePrinter>(io, std::move(target), settings, std::move(report));
}

}  // namespace pathost
