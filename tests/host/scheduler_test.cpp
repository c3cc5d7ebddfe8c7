// The scheduler's policies, each against simulated printers: how many polls
// each target gets, numbered how, and what an interruption reports.
#include <gtest/gtest.h>

#include <boost/asio/post.hpp>

#include "loopback.h"
#include "simulator/profile.h"

namespace pathost {
namespace {

TEST(Scheduler, EachPolicyPollsAsOftenAsItSaysAndReportsAnInterruptionAsItSays) {
    using std::chrono::milliseconds;
    SchedulePolicy once, watch, serve = ServeSchedule(milliseconds(30), 1);
    watch.interval = milliseconds(30);
    watch.count = 3;
    watch.keepRecords = true;
    serve.firstSpread = milliseconds(0);
    const struct {
        const char *name;
        SchedulePolicy policy;
        bool interruptAtOnce;
        std::vector<unsigned> polls;  // the poll numbers reported, per target
        OutcomeKind result;
    } cases[] = {
        {"once", once, false, {1}, OutcomeKind::Ok},
        {"watch, three polls", watch, false, {1, 2, 3}, OutcomeKind::Ok},
        {"once, interrupted: every target is reported", once, true, {1}, OutcomeKind::Interrupted},
        {"serve, stopped: nothing unfinished is reported", serve, true, {}, OutcomeKind::Interrupted},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        test::Loopback loop;
        sim::Profile profile = sim::DefaultProfile();
        std::vector<Target> printers = {test::Loopback::TargetOf(loop.AddPrinter(profile)),
                                        test::Loopback::TargetOf(loop.AddPrinter(profile))};
        std::vector<std::vector<unsigned>> reported(printers.size());
        Scheduler scheduler(loop.io(), WithSettings(printers, test::Loopback::SettingsFor(profile)), c.policy,
                            [&](size_t index, const PollOutcome &o, auto) { reported[index].push_back(o.poll); });
        scheduler.OnAllDone([&] { loop.io().stop(); });
        scheduler.Start();
        if (c.interruptAtOnce) {
            scheduler.Interrupt();
            boost::asio::post(loop.io(), [&] { loop.io().stop(); });  // serve's policy never says "all done"
        }
        loop.io().run_for(std::chrono::seconds(10));
        for (const std::vector<unsigned> &polls : reported) EXPECT_EQ(polls, c.polls);
        EXPECT_EQ(scheduler.Result(), c.result);
    }
}

}  // namespace
}  // namespace pathost
