// Hosts poll many printers from many threads: the same poll, conversions and
// status texts run on eight threads at once, each with its own records, and
// every thread gets exactly what a single-threaded run gets.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "core/record.h"
#include "support/host.h"
#include "support/host_inputs.h"
#include "support/record_snapshot.h"
#include "text/current_language.h"
#include "text/status_text.h"
#include "text/text_test_config.h"

namespace pat::test {
namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 12;

struct CycleResults {
    std::string polled, converted, flat, statusText, deviceName;
    bool operator==(const CycleResults &) const = default;
};

std::string StatusText(const PrnInfoEx *record) {
    DataNode *root = CreateNode(nullptr, kStatusRootTag, nullptr, 0);
    CreateNode(root, kBaseRecordTag, &record, sizeof record);
    CreateNode(root, kStatusRecordTag, &record, sizeof record);
    char text[512] = "";
    uint32_t length = sizeof text;
    bool ok = PatGetStatusString(1, root, 3, 0, text, &length) == 1;
    FreeTreeAsHost(root);
    return ok ? text : "error " + std::to_string(GetLastError());
}

// One host cycle on the calling thread's own records.
CycleResults RunCycle(const PMConfigBlock &config, const PMStatusBlock &status) {
    CycleResults results;
    HostRecord polled;
    ListEightTrays(polled.get());
    HostTree tree(BuildCentroData(polled.get(), PollAnswer(1), PollDeviceId()));
    EXPECT_EQ(PatSetCentroDataTo(tree.get(), 0, polled.get(), 2), 1);
    results.polled = RecordSnapshot(polled.get());

    HostRecord converted;
    EXPECT_EQ(PatPMInfoToPrnInfoEx(0x8000, config.get(), 'h', 0x1CC7, converted.get()), 1);
    EXPECT_EQ(PatPMInfoToPrnInfoEx(1, status.get(), 'd', 0x40F, converted.get()), 1);
    results.converted = RecordSnapshot(converted.get());
    PrnInfo flat;
    EXPECT_EQ(PatPrnInfoExToPrnInfo(converted.get(), &flat, kEveryCategory), 1);
    results.flat.assign(reinterpret_cast<const char *>(&flat), sizeof flat);

    HostRecord reported;
    AddEngineStatus(reported.get(), 303);
    reported->bStatusBit27 = 1;
    results.statusText = StatusText(reported.get());
    char name[256] = "";
    uint32_t length = sizeof name;
    PatGetDeviceName(1, "Tray 1", 0x97, name, &length);
    results.deviceName = name;
    return results;
}

// The configuration pointer is process-wide: it is put in force before the
// threads start and restored after they end.
class Threads : public testing::Test {
protected:
    void SetUp() override { CurrentLangId.store(kEnglish); }
    ScopedConfig config_{TextTestConfig()};
    TextResources resources_;
    const PMConfigBlock block_{64};
    const PMStatusBlock status_;
};

TEST_F(Threads, EveryThreadGetsTheSingleThreadedResults) {
    const CycleResults expected = RunCycle(block_, status_);
    ASSERT_EQ(expected.statusText, "Check Toner low, Cover open and Cover open");
    ASSERT_EQ(expected.deviceName, "Tray One");
    std::vector<std::vector<CycleResults>> results(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < kRounds; ++round) results[t].push_back(RunCycle(block_, status_));
        });
    for (std::thread &thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t)
        for (int round = 0; round < kRounds; ++round) {
            const CycleResults &got = results[t][round];
            SCOPED_TRACE(testing::Message() << "thread " << t << " round " << round);
            EXPECT_EQ(got.polled, expected.polled);
            EXPECT_EQ(got.converted, expected.converted);
            EXPECT_TRUE(got.flat == expected.flat);
            EXPECT_EQ(got.statusText, expected.statusText);
            EXPECT_EQ(got.deviceName, expected.deviceName);
        }
}

// A host that changes the locale while other threads compose: each string
// of a text is whole in one language and converted in that language's code
// page (a Japanese string in 1252 would show "?"); a text may mix strings of
// both languages, which is why hosts must not change the locale meanwhile.
TEST_F(Threads, ALocaleChangeRacingCompositionNeverTearsAString) {
    HostRecord record;
    AddEngineStatus(record.get(), 303);
    record->bStatusBit27 = 1;
    std::atomic<bool> done{false};
    std::thread switcher([&] {
        for (int i = 0; !done.load(); ++i) PatSetLocale(i % 2 ? "ENGLISH" : "JAPANESE");
    });
    std::vector<std::vector<std::string>> texts(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < kRounds * 4; ++round) texts[t].push_back(StatusText(record.get()));
        });
    for (std::thread &thread : threads) thread.join();
    done.store(true);
    switcher.join();
    for (const auto &thread : texts)
        for (const std::string &text : thread) {
            EXPECT_FALSE(text.empty() || text.rfind("error", 0) == 0) << text;
            EXPECT_EQ(text.find('?'), std::string::npos) << text;
        }
}

}  // namespace
}  // namespace pat::test
