#include "poll/printer_poll.h"

#include <algorithm>

#include "sources/command_set.h"
#include "module/module_objects.h"
#include "snmp/snmp_device_id.h"

namespace pathost {

namespace {

constexpr unsigned kMaxRounds = 2;

bool AsksSomethingNew(const QueryPlan &next, const std::vector<std::string> &asked) {
    for (const std::string &category : next.required)
        if (std::find(asked.begin(), asked.end(), category) == asked.end()) return true;
    return false;
}

// One printer, its record kept from poll to poll.
class OnePrinter : public PrinterPoll, public std::enable_shared_from_this<OnePrinter> {
public:
    OnePrinter(boost::asio::io_context &io, Target target, const PollSettings &settings, Report report)
        : io_(io), target_(std::move(target)), settings_(settings), report_(std::move(report)), record_(*settings.module) {
        for (uint16_t tray : settings_.trays) record_.AddTray(tray);
    }

    void Poll(std::function<void(OutcomeKind)> finished) override {
        finished_ = std::move(finished);
        NewOutcome();
        deviceId_.reset();
        commandSet_.reset();
        asked_.clear();
        mask_ = settings_.mask;
        switch (settings_.deviceIdSource.kind) {
            case DeviceIdSource::Kind::None: mask_ &= ~kDeviceIdCategories; break;
            case DeviceIdSource::Kind::Snmp: return AskSnmp();
            default: {
                DeviceIdRead read = ReadDeviceId(settings_.deviceIdSource);
                if (!read.ok) return Fail(read.failure, read.error);
                UseDeviceId(read, OriginOf(settings_.deviceIdSource));
            }
        }
        Proceed();
    }

    // Ends the exchange in flight; its round then reports the interruption.
    void Interrupt() override {
        if (auto stop = std::move(stop_)) stop();
    }

    // A printer whose next poll never started.
    void ReportInterrupted(const std::string &why) override {
        NewOutcome();
        outcome_.kind = OutcomeKind::Interrupted;
        outcome_.message = why;
        outcome_.snapshot = SnapshotOf(*record_);
        report_(outcome_);
    }

private:
    // The device ID comes first: whether PJL may be sent depends on it.
    void AskSnmp() {
        if (!(settings_.mask & kDeviceIdCategories) && settings_.force) {
            mask_ &= ~kDeviceIdCategories;  // neither needed nor asked for the check
            return Proceed();
        }
        query_ = std::make_unique<snmp::DeviceIdQuery>(io_, QueryOptionsFor(settings_.snmp, target_.host));
        auto self = shared_from_this();
        // Reported at once: the loop may stop right after an interruption.
        stop_ = [self] {
            self->query_.reset();  // drops its handler
            self->Fail(OutcomeKind::Interrupted, "interrupted while asking the SNMP agent for the device ID");
        };
        query_->Start([self](const snmp::DeviceIdResult &result) { self->OnSnmp(result); });
    }

    void OnSnmp(const snmp::DeviceIdResult &result) {
        stop_ = nullptr;
        using Status = snmp::DeviceIdResult::Status;
        const std::string agent = target_.host + ":" + std::to_string(settings_.snmp.port);
        if (result.status == Status::Found) {
            DeviceIdRead read;
            read.ok = true;
            read.bytes = result.deviceId;
            read.lengthPrefixed = LooksLengthPrefixed(read.bytes);
            UseDeviceId(read, {"snmp", agent, snmp::FormatOid(result.oid), ObjectName(result.oid),
                               snmp::VersionName(result.version)});
        } else {
            std::string why = "no device ID over SNMP from " + agent + ": " +
                              (result.status == Status::Malformed ? "malformed answer: " : "") + result.reason;
            if (settings_.deviceIdSource.required) return Fail(OutcomeKind::NoDeviceId, why);
            outcome_.notes.push_back(why + "; polled without the status, identity and engine-status categories");
            mask_ &= ~kDeviceIdCategories;
        }
        Proceed();
    }

    void UseDeviceId(const DeviceIdRead &read, DeviceIdOrigin origin) {
        deviceId_ = PrepareDeviceId(read, settings_.raw);
        if (deviceId_->cleaned) outcome_.deviceIdCleaning = deviceId_->cleaning;
        outcome_.deviceIdOrigin = std::move(origin);
        // Judged on the cleaned text even with --raw: "COMMAND SET" is "CMD".
        commandSet_ = CommandSetOf(CleanDeviceId(read.bytes, read.lengthPrefixed).text);
    }

    void Proceed() {
        if (!Plan()) return;
        if (plan_.sendsPjl() && commandSet_ && !NamesPjl(*commandSet_)) {
            if (!settings_.force)
                return Fail(OutcomeKind::NoPjl, "the device's command set names no PJL (CMD:" + *commandSet_ +
                                                    "); nothing was sent to " + target_.Label());
            outcome_.notes.push_back("--force: PJL sent although the command set names none (CMD:" + *commandSet_ + ")");
        }
        StartRound();
    }

    void NewOutcome() {
        outcome_ = PollOutcome{};
        outcome_.address = target_.Label();
        outcome_.module = settings_.module->identity;
        outcome_.poll = ++polls_;
        outcome_.watching = settings_.watchInterval.count() > 0;
        outcome_.lenient = settings_.lenient;
    }

    bool Plan() {
        try {
            plan_ = BuildQueryPlan(*settings_.module, record_.get(), mask_, NewEchoToken());
        } catch (const ModuleFailure &failure) {
            Fail(OutcomeKind::ModuleFailure, failure.what());
            return false;
        }
        return true;
    }

    void StartRound() {
        ++outcome_.rounds;
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
        if (settings_.capture && !session.answer.empty()) settings_.capture(session.answer);
        if (session.end == SessionEnd::Unreachable)
            return Fail(OutcomeKind::Unreachable, "unreachable: " + session.error);
        if (session.end == SessionEnd::Interrupted)
            return Fail(OutcomeKind::Interrupted, "interrupted after " + std::to_string(outcome_.bytesReceived) +
                                                      " bytes, before the answer was complete");
        std::optional<std::string> deviceId;
        if (deviceId_) deviceId = deviceId_->text;
        Applied applied;
        try {
            applied = ApplyAnswers(*settings_.module, record_.get(), plan_, session.answer, deviceId,
                                   {settings_.raw, settings_.lenient});
        } catch (const BrokenExport &broken) {
            return Fail(OutcomeKind::ModuleFailure, broken.what());
        }
        for (ModuleCall &call : applied.calls) {
            call.round = outcome_.rounds;
            outcome_.calls.push_back(call);
        }
        if (applied.cleaned) {
            outcome_.pjlCleaned = true;
            outcome_.pjlCleaning.nulsRemoved += applied.cleaning.nulsRemoved;
            outcome_.pjlCleaning.ctrlDsRemoved += applied.cleaning.ctrlDsRemoved;
        }
        outcome_.missing = session.tracker.MissingRequired();
        outcome_.unanswered = session.tracker.MissingOptional();
        Verdict verdict = Judge(session.end, outcome_.missing, applied, &session, settings_.limits);
        outcome_.kind = verdict.kind;
        outcome_.message = verdict.message;
        asked_.insert(asked_.end(), plan_.required.begin(), plan_.required.end());
        if (Succeeded(verdict.kind) && outcome_.rounds < kMaxRounds && (mask_ & PAT_CAT_INTRAYS)) {
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

    void Fail(OutcomeKind kind, const std::string &message) {
        outcome_.kind = kind;
        outcome_.message = message;
        Finish();
    }

    void Finish() {
        if (outcome_.lenient && !outcome_.calls.empty())
            outcome_.notes.push_back("lenient: the answers went to the module without the request copy, "
                                     "so it applied whatever arrived");
        if (!outcome_.unanswered.empty() && Succeeded(outcome_.kind))
            outcome_.notes.push_back("the printer did not answer the optional inquiries: " + Join(outcome_.unanswered));
        if (!outcome_.calls.empty()) {
            FinishOutcome(*settings_.module, outcome_, record_.get(), mask_);
            if (outcome_.watching) {  // only a watch shows what changed; no copy kept otherwise
                if (previous_) outcome_.changes = DiffSnapshots(*previous_, *outcome_.snapshot);
                previous_ = outcome_.snapshot;
            }
        } else {
            outcome_.snapshot = SnapshotOf(*record_);
        }
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
    std::unique_ptr<snmp::DeviceIdQuery> query_;
    uint32_t mask_ = 0;  // this poll's: without a device ID, less its categories
    std::vector<std::string> asked_;
    PollOutcome outcome_;
    std::optional<PrinterSnapshot> previous_;
    unsigned polls_ = 0;
    std::function<void(OutcomeKind)> finished_;
    StopExchange stop_;  // set while an exchange is in flight
};

}  // namespace

std::shared_ptr<PrinterPoll> MakePrinterPoll(boost::asio::io_context &io, Target target, const PollSettings &settings,
                                             Report report) {
    return std::make_shared<OnePrinter>(io, std::move(target), settings, std::move(report));
}

}  // namespace pathost
