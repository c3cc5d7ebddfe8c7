#include "poller.h"

#include <algorithm>
#include <asio/post.hpp>
#include <asio/steady_timer.hpp>
#include <deque>

#include "exit_codes.h"
#include "module_objects.h"

namespace pathost {

namespace {

constexpr unsigned kMaxRounds = 2;

bool AsksSomethingNew(const QueryPlan &next, const std::vector<std::string> &asked) {
    for (const std::string &category : next.required)
        if (std::find(asked.begin(), asked.end(), category) == asked.end()) return true;
    return false;
}

// One printer, its record kept from poll to poll.
class PrinterPoll : public std::enable_shared_from_this<PrinterPoll> {
public:
    PrinterPoll(asio::io_context &io, Target target, const PollSettings &settings, Report report)
        : io_(io), target_(std::move(target)), settings_(settings), report_(std::move(report)) {}

    void Poll(std::function<void(int)> finished) {
        finished_ = std::move(finished);
        outcome_ = PollOutcome{};
        outcome_.address = target_.Label();
        outcome_.poll = ++polls_;
        outcome_.watching = settings_.watchInterval.count() > 0;
        outcome_.lenient = settings_.lenient;
        deviceId_.reset();
        asked_.clear();
        if (settings_.deviceIdSource.kind != DeviceIdSource::Kind::None) {
            DeviceIdRead read = ReadDeviceId(settings_.deviceIdSource);
            if (!read.ok) return Fail(read.exitCode, "no input", read.error);
            deviceId_ = PrepareDeviceId(read, settings_.raw);
            if (deviceId_->cleaned) outcome_.deviceIdCleaning = deviceId_->cleaning;
        }
        if (!Plan()) return;
        StartRound();
    }

private:
    bool Plan() {
        try {
            plan_ = BuildQueryPlan(record_.get(), EffectiveMask(settings_), NewEchoToken());
        } catch (const ModuleFailure &failure) {
            Fail(kExitModule, "module failure", failure.what());
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
        StartExchange(io_, target_, plan_.text, AnswerTracker(plan_.required, plan_.optional, plan_.echoToken),
                      settings_.limits, [self](SessionResult result) { self->OnRound(std::move(result)); });
    }

    void OnRound(SessionResult session) {
        outcome_.bytesReceived += session.bytesReceived;
        if (settings_.capture && !session.answer.empty()) settings_.capture(session.answer);
        if (session.end == SessionEnd::Unreachable)
            return Fail(kExitUnavailable, "unreachable", "unreachable: " + session.error);
        std::optional<std::string> deviceId;
        if (deviceId_) deviceId = deviceId_->text;
        Applied applied = ApplyAnswers(record_.get(), plan_, session.answer, deviceId,
                                       {settings_.raw, settings_.lenient});
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
        outcome_.exitCode = verdict.exitCode;
        outcome_.result = verdict.result;
        outcome_.message = verdict.message;
        asked_.insert(asked_.end(), plan_.required.begin(), plan_.required.end());
        if (verdict.exitCode == kExitOk && outcome_.rounds < kMaxRounds && (EffectiveMask(settings_) & PAT_CAT_INTRAYS)) {
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

    void Fail(int exitCode, const std::string &result, const std::string &message) {
        outcome_.exitCode = exitCode;
        outcome_.result = result;
        outcome_.message = message;
        Finish();
    }

    void Finish() {
        if (outcome_.lenient && !outcome_.calls.empty())
            outcome_.notes.push_back("lenient: the answers went to the module without the request copy, "
                                     "so it applied whatever arrived");
        if (!outcome_.unanswered.empty() && outcome_.exitCode == kExitOk)
            outcome_.notes.push_back("the printer did not answer the optional inquiries: " + Join(outcome_.unanswered));
        if (!outcome_.calls.empty()) {
            FinishOutcome(outcome_, record_.get(), EffectiveMask(settings_));
            if (previous_) outcome_.changes = DiffRecords(*previous_, outcome_.record);
            previous_ = outcome_.record;
        } else {
            outcome_.record = RecordToJson(*record_);
        }
        report_(outcome_);
        auto finished = std::move(finished_);
        finished(outcome_.exitCode);
    }

    asio::io_context &io_;
    Target target_;
    PollSettings settings_;
    Report report_;
    HostRecord record_;
    QueryPlan plan_;
    std::optional<PreparedDeviceId> deviceId_;
    std::vector<std::string> asked_;
    PollOutcome outcome_;
    std::optional<Json> previous_;
    unsigned polls_ = 0;
    std::function<void(int)> finished_;
};

}  // namespace

uint32_t EffectiveMask(const PollSettings &settings) {
    if (settings.deviceIdSource.kind == DeviceIdSource::Kind::None) return settings.mask & ~kDeviceIdCategories;
    return settings.mask;
}

struct PollRunner::Impl : std::enable_shared_from_this<PollRunner::Impl> {
    Impl(asio::io_context &io, PollSettings s) : io(io), settings(std::move(s)) {}

    void Pump() {
        while (active < std::max<size_t>(settings.concurrency, 1) && !waiting.empty()) {
            size_t index = waiting.front();
            waiting.pop_front();
            ++active;
            auto self = shared_from_this();
            printers[index]->Poll([self, index](int exitCode) { self->Done(index, exitCode); });
        }
    }

    void Done(size_t index, int exitCode) {
        --active;
        lastExit[index] = exitCode;
        ++polls[index];
        bool again = settings.watchInterval.count() > 0 && (settings.watchCount == 0 || polls[index] < settings.watchCount);
        if (again) {
            auto self = shared_from_this();
            ++sleeping;
            timers[index]->expires_after(settings.watchInterval);
            timers[index]->async_wait([self, index](const asio::error_code &ec) {
                --self->sleeping;
                if (ec) return self->CheckAllDone();
                self->waiting.push_back(index);
                self->Pump();
            });
        }
        // Started from a completion, so the next poll never runs inside this one.
        auto self = shared_from_this();
        asio::post(io, [self] {
            self->Pump();
            self->CheckAllDone();
        });
    }

    void CheckAllDone() {
        if (active == 0 && waiting.empty() && sleeping == 0 && allDone) {
            auto done = std::move(allDone);
            allDone = nullptr;
            done();
        }
    }

    asio::io_context &io;
    PollSettings settings;
    std::vector<std::shared_ptr<PrinterPoll>> printers;
    std::vector<std::unique_ptr<asio::steady_timer>> timers;
    std::vector<int> lastExit;
    std::vector<unsigned> polls;
    std::deque<size_t> waiting;
    size_t active = 0;
    size_t sleeping = 0;
    std::function<void()> allDone;
};

PollRunner::PollRunner(asio::io_context &io, std::vector<Target> targets, PollSettings settings, Report report)
    : impl_(std::make_shared<Impl>(io, std::move(settings))) {
    for (Target &target : targets) {
        impl_->printers.push_back(std::make_shared<PrinterPoll>(io, std::move(target), impl_->settings, report));
        impl_->timers.push_back(std::make_unique<asio::steady_timer>(io));
        impl_->lastExit.push_back(kExitOk);
        impl_->polls.push_back(0);
    }
}

PollRunner::~PollRunner() {
    for (auto &timer : impl_->timers) timer->cancel();
}

void PollRunner::Start() {
    for (size_t i = 0; i < impl_->printers.size(); ++i) impl_->waiting.push_back(i);
    impl_->Pump();
}

void PollRunner::OnAllDone(std::function<void()> allDone) { impl_->allDone = std::move(allDone); }

int PollRunner::ExitCode() const {
    for (int code : impl_->lastExit)
        if (code != kExitOk) return code;
    return kExitOk;
}

}  // namespace pathost
