// The device-ID source seam: a source of the test's own, registered once,
// gets its command-line options and targets-file fields from the same table
// and reaches the poll and its outputs like the built-in ones.
#include <gtest/gtest.h>

#include <boost/asio/steady_timer.hpp>

#include "cli/cli_options.h"
#include "loopback.h"
#include "report/report.h"
#include "serve/targets_file.h"
#include "simulator/profile.h"

namespace pathost {
namespace {

class DelayedSource : public DeviceIdSource {
public:
    DelayedSource(std::string text, std::string delay) : text_(std::move(text)), delay_(std::move(delay)) {}
    std::string Doing() const override { return "waiting for the fake source"; }
    std::shared_ptr<void> Ask(boost::asio::io_context &io, const DeviceIdRequest &,
                              std::function<void(DeviceIdResult)> done) const override {
        auto timer = std::make_shared<boost::asio::steady_timer>(io, std::chrono::milliseconds(std::stoi(delay_)));
        DeviceIdFound found{text_, false, {"fake", "the test", {{"delay", delay_}}, "fake, after " + delay_ + " ms"}};
        timer->async_wait([done = std::move(done), found](const boost::system::error_code &ec) {
            if (!ec) done(DeviceIdAnswer{found, {}});
        });
        return timer;  // released: cancelled, and `done` never runs
    }

private:
    std::string text_, delay_;
};

void RegisterFakeOnce() {
    static bool registered = [] {
        SourceKind kind;
        kind.name = "fake";
        kind.option = "--fake-device-id";
        kind.typeName = "TEXT";
        kind.help = "a device ID the test gives";
        kind.field = "fakeDeviceId";
        kind.prefix = "fake";
        kind.group = "Fake source";
        ValueCheck ms = [](const std::string &text) {
            return text.size() >= 1 && text.size() <= 3 && text.find_first_not_of("0123456789") == std::string::npos
                       ? std::string()
                       : std::string("must be 0 to 999 ms");
        };
        kind.settings = {{"delay", "MS", "how long it takes", "5", ms, "", true}};
        kind.make = [](const SourceConfig &c) { return std::make_shared<DelayedSource>(c.value, c.Setting("delay")); };
        RegisterSourceKind(std::move(kind));
        return true;
    }();
    (void)registered;
}

SourcePtr FromCommandLine(std::vector<std::string> args) {
    CLI::App app;
    cli::DeviceIdOptions options;
    cli::AddDeviceIdOptions(&app, options, true);
    std::reverse(args.begin(), args.end());  // CLI11 takes them last first
    app.parse(args);
    return options.source();
}

TEST(SourceSeam, ARegisteredSourceIsChosenConfiguredAndReportedLikeTheBuiltInOnes) {
    RegisterFakeOnce();
    sim::Profile profile = sim::DefaultProfile();
    std::string id = sim::DeviceIdText(profile);

    test::Loopback loop;
    sim::Server &printer = loop.AddPrinter(profile);
    PollSettings settings = test::Loopback::SettingsFor(profile);
    settings.deviceIdSource = FromCommandLine({"--fake-device-id", id, "--fake-delay", "20"});
    ASSERT_NE(settings.deviceIdSource, nullptr);
    test::Loopback::Run run = loop.Poll({test::Loopback::TargetOf(printer)}, settings);
    ASSERT_EQ(run.outcomes.size(), 1u);
    const PollOutcome &o = run.outcomes[0];
    EXPECT_EQ(o.kind, OutcomeKind::Ok) << o.message;
    Json json = OutcomeToJson(o);
    EXPECT_EQ(json["deviceIdSource"], Json({{"source", "fake"}, {"where", "the test"}, {"delay", "20"}}));
    EXPECT_EQ(json["PrnInfoEx"]["pMakerName"], profile.maker);

    // The same setting, checked by the same code, on the command line and in a file.
    EXPECT_THROW(FromCommandLine({"--fake-device-id", id, "--fake-delay", "1000"}), CLI::ValidationError);
    const std::pair<const char *, const char *> files[] = {
        {R"({"targets": [{"address": "h", "fakeDeviceId": "MFG:X;", "fake": {"delay": 7}}]})", ""},
        {R"({"targets": [{"address": "h", "fakeDeviceId": "MFG:X;", "fake": {"delay": 1000}}]})", "fake.delay: must be 0 to 999 ms"},
        {R"({"targets": [{"address": "h", "fakeDeviceId": "MFG:X;", "deviceId": "MFG:Y;"}]})", "not both"},
    };
    for (const auto &[text, problem] : files) {
        auto read = serve::ReadTargetsFile(text, "t.json", SourceChoice{});
        if (*problem == '\0') {
            ASSERT_TRUE(read) << read.error().message;
            EXPECT_EQ((*read)[0].source.name, "fake");
            EXPECT_EQ((*read)[0].source.settings.at("fake").at("delay"), "7");
        } else {
            ASSERT_FALSE(read) << text;
            EXPECT_NE(read.error().message.find(problem), std::string::npos) << read.error().message;
        }
    }
}

}  // namespace
}  // namespace pathost
