// Simulator and poller end to end over loopback: the JSON output against the
// profile field by field, several printers at once, every fault mode within
// its timeout, the lenient path and the watch.
#include <gtest/gtest.h>

#include "sources/snmp_source.h"
#include "sources/text_source.h"

#include <stdio.h>

#include <boost/asio/ip/tcp.hpp>
#include <fstream>
#include <map>
#include <sstream>

#include "cli/cli.h"
#include "outcome/exit_codes.h"
#include "loopback.h"
#include "simulator/snmp_responder.h"
#include "snmp_loopback.h"
#include "report/report.h"

namespace pathost {
namespace {

using test::Loopback;

// How the printer family's tables code what the profile names.
const std::map<std::string, unsigned> kTrayCode = {{"INTRAY1", 3}, {"INTRAY2", 4}, {"INTRAY3", 5},
                                                   {"INTRAYLCT", 11}, {"INTRAYMANUAL", 1}};
const std::map<std::string, unsigned> kPaperCode = {{"A4SRT", 9}, {"LETTERSRT", 23}, {"A3", 5}, {"A5LONG", 12},
                                                    {"LEGAL", 21}};
const std::map<std::string, unsigned> kBinCode = {{"UPPER", 1}, {"LOWER", 34}, {"FINISHERSHIFT", 4}, {"INNER", 2}};
const std::map<std::string, unsigned> kBinState = {{"READY", 0}, {"PAPEREXIST", 1}, {"FULL", 2}};
const std::map<std::string, unsigned> kEmulationCode = {{"VORD", 1}, {"ZOLT", 15}, {"HPGL2", 12}};

const Json *ItemWith(const Json &list, const char *field, unsigned code) {
    for (const Json &item : list)
        if (item[field] == code) return &item;
    return nullptr;
}

void ExpectRecordMatchesProfile(const Json &j, const sim::Profile &p) {
    const Json &r = j["PrnInfoEx"];
    EXPECT_EQ(r["dwSize"], 1172);
    EXPECT_EQ(r["pMakerName"], p.maker);
    EXPECT_EQ(r["pModelName"], p.model);
    EXPECT_EQ(r["pDescription"], p.description);
    EXPECT_EQ(r["bModelCode"], 255);
    EXPECT_EQ(r["dwMemoryKB"], p.memoryBytes / 1024);

    Json emulations = Json::array();
    for (const sim::Version &v : p.versions) {
        if (v.name == "FIRMWARE")
            EXPECT_EQ(r["pSYSVersion"], v.version);
        else
            emulations.push_back({{"wEmulation", kEmulationCode.at(v.name)}, {"szVersion", v.version}});
        if (v.name == "VORD") EXPECT_EQ(r["pMainProgVersion"], v.version);
    }
    EXPECT_EQ(r["pLoadedEmul"], emulations);
    EXPECT_EQ(r["dwLoadedEmulCount"], emulations.size());
    EXPECT_EQ(r["pKVNVersion"], nullptr);

    ASSERT_EQ(r["pTrayInfo"].size(), p.trays.size());
    EXPECT_EQ(r["dwTrayInfoCount"], p.trays.size());
    for (const sim::Tray &t : p.trays) {
        const Json *tray = ItemWith(r["pTrayInfo"], "wTray", kTrayCode.at(t.name));
        ASSERT_NE(tray, nullptr) << t.name;
        EXPECT_EQ((*tray)["wPaperSize"], kPaperCode.at(t.paper)) << t.name;
        // No quantity is asked of the bypass tray.
        EXPECT_EQ((*tray)["wLevel"], t.name == "INTRAYMANUAL" ? 0 : t.level) << t.name;
        EXPECT_EQ((*tray)["wMedia"], 0) << t.name;
        EXPECT_EQ((*tray)["dwAttributes"], t.locked ? PAT_TRAY_LOCKED : 0u) << t.name;
    }

    Json bins = Json::array();
    for (const sim::Bin &b : p.bins) bins.push_back({{"wBin", kBinCode.at(b.name)}, {"wState", kBinState.at(b.state)}});
    EXPECT_EQ(r["pOutBinInfo"], bins);
    EXPECT_EQ(r["dwBinValue"], 255);

    ASSERT_EQ(r["pEngineStatus"].size(), p.status.codes.size());
    for (size_t i = 0; i < p.status.codes.size(); ++i) {
        EXPECT_EQ(r["pEngineStatus"][i]["dwStatus"], p.status.codes[i]);
        EXPECT_EQ(r["pEngineStatus"][i]["wStatus"], p.status.codes[i] & 0xFFFF);
        EXPECT_EQ(r["pEngineStatus"][i]["szText"], p.status.text);
    }
    EXPECT_EQ(r["bStatus"], p.status.state);
    EXPECT_EQ(r["bStatusNotOne"], p.status.state != 1 ? 1 : 0);
    EXPECT_EQ(r["pCounterInfo"], Json::parse(R"([{"wKind":1,"lValue":)" + std::to_string(p.pageCount) + "}]"));
    EXPECT_EQ(r["pSupplyInfo"], Json::array());

    ASSERT_TRUE(p.zolt.has_value());
    EXPECT_EQ(r["pEmulUniqInfo"], Json::parse(R"([{"wEmulation":15,"dwMemoryUsage":)" +
                                              std::string(p.zolt->memoryUsage == "USER" ? "2" : "1") +
                                              R"(,"szOther":")" + p.zolt->other + R"(","dwImageRotation":)" +
                                              (p.zolt->imageRotation == "POSSIBLE" ? "1" : "2") + "}]"));
    EXPECT_EQ(r["bCopyGuard"], p.markingType == "OFF" ? 0 : 1);
    bool active = p.functionPackage == "ACTIVATE";
    EXPECT_EQ(r["pFuncpkgInfo"], Json::parse(R"([{"wIndex":1,"szName":"604271958","szText":"","dwState":)" +
                                             std::string(active ? "1" : "0") + "}]"));
    EXPECT_EQ(ItemWith(r["pDeviceInfo"], "wDevice", 500) != nullptr, active);

    // The flat record from the same record, under the names of pat.h.
    const Json &flat = j["PrnInfo"];
    ASSERT_FALSE(flat.is_null()) << j["PrnInfoResult"].dump();
    EXPECT_EQ(flat["dwSize"], 2400);
    const std::pair<const char *, const char *> same[] = {
        {"szMakerName", "pMakerName"},      {"szModelName", "pModelName"},         {"szSysVersion", "pSYSVersion"},
        {"dwMemoryKB", "dwMemoryKB"},       {"dwEngineStatusCount", "dwEngineStatusCount"},
        {"dwTrayCount", "dwTrayInfoCount"}, {"dwBinCount", "dwOutBinInfoCount"}, {"dwBinValue", "dwBinValue"}};
    for (const auto &[flatField, field] : same) EXPECT_EQ(flat[flatField], r[field]) << flatField;
    for (size_t i = 0; i < p.trays.size(); ++i) {
        const Json &tray = r["pTrayInfo"][i];
        EXPECT_EQ(flat["aTrayPaper"][i], (Json{{"dwTray", tray["wTray"]}, {"dwPaperSize", tray["wPaperSize"]}}));
        EXPECT_EQ(flat["aTrayLevel"][i], (Json{{"dwTray", tray["wTray"]}, {"dwLevel", tray["wLevel"]}}));
    }
    EXPECT_EQ(flat["adwEngineStatus"], p.status.codes.size() == 1 ? Json::array() : Json(p.status.codes))
        << "a single engine status is reported as itself, several as their list";
}

TEST(Poll, JsonOutputHoldsEveryFieldAsTheProfileSaysIt) {
    Loopback loop;
    sim::Profile profile = sim::DefaultProfile();
    sim::Server &printer = loop.AddPrinter(profile);
    Loopback::Run run = loop.Poll({Loopback::TargetOf(printer)}, Loopback::SettingsFor(profile));
    ASSERT_EQ(run.outcomes.size(), 1u);
    EXPECT_EQ(run.exitCode, kExitOk);

    std::ostringstream line;
    PrintJson(line, run.outcomes[0]);
    Json j = Json::parse(line.str());
    EXPECT_EQ(j["address"], Loopback::TargetOf(printer).Label());
    EXPECT_EQ(j["exitCode"], 0);
    EXPECT_EQ(j["moduleResult"], 1);
    EXPECT_EQ(j["lastError"], 0);
    EXPECT_EQ(j["rounds"], 2) << "the first answer names trays the first query did not ask";
    EXPECT_EQ(j["missingCategories"], Json::array());
    ExpectRecordMatchesProfile(j, profile);
    EXPECT_NE(ItemWith(j["PrnInfoEx"]["pDeviceInfo"], "wDevice", 104), nullptr) << "the LCT is standard";
    EXPECT_EQ(j["PrnInfo"]["adwEmulations"], (Json{1, 15, 12}));
    EXPECT_EQ(j["PrnInfo"]["dwHasDevice1"], 0);

    // Every field of the record is there under its name, reserved bytes are not.
    for (const char *field :
         {"dwEngineStatusCount", "bStatusBit22", "bStatusBit27", "bEngineFlag", "dwEmulValue", "dwLoadedFontCount",
          "pLoadedFont", "dwTrayValue", "pColorCorrection", "pCustomMediaInfo", "bFunc2008", "pFuncInfo",
          "pSalespkgInfo"})
        EXPECT_TRUE(j["PrnInfoEx"].contains(field)) << field;
    EXPECT_FALSE(j["PrnInfoEx"].contains("bHostArea"));
}

TEST(Poll, TwoPrintersAtOnceEachWithItsOwnRecord) {
    Loopback loop;
    sim::Profile first = sim::DefaultProfile();
    sim::Profile second = sim::DefaultProfile();
    second.maker = "Bolt";
    second.model = "Bolt Office 2";
    second.memoryBytes = 64 * 1024 * 1024;
    second.trays = {{"INTRAY1", "LEGAL", 40, true, ""}, {"INTRAYMANUAL", "A4SRT", 100, false, ""}};
    second.bins = {{"UPPER", "FULL"}, {"INNER", "READY"}};
    second.status = {{10001, 20002}, 3, "Paper jam"};
    second.functionPackage = "NONE";
    second.markingType = "OFF";
    sim::Server &a = loop.AddPrinter(first);
    sim::Server &b = loop.AddPrinter(second);
    PollSettings settings = Loopback::SettingsFor(first);
    settings.deviceIdSource = nullptr;  // each printer's own below
    Loopback::Run run = loop.Poll({Loopback::TargetOf(a), Loopback::TargetOf(b)}, settings);
    ASSERT_EQ(run.outcomes.size(), 2u);
    for (const PollOutcome &outcome : run.outcomes) {
        EXPECT_EQ(outcome.exitCode(), kExitOk) << outcome.message;
        bool isSecond = outcome.address == Loopback::TargetOf(b).Label();
        const Json &r = RecordJson(*outcome.snapshot);
        EXPECT_EQ(r["dwMemoryKB"], (isSecond ? second : first).memoryBytes / 1024);
        EXPECT_EQ(r["pTrayInfo"].size(), (isSecond ? second : first).trays.size());
        EXPECT_EQ(r["pMakerName"], nullptr) << "no device ID source: identity not asked";
    }

    // With each printer's device ID, one printer per poll.
    Loopback::Run withId = loop.Poll({Loopback::TargetOf(b)}, Loopback::SettingsFor(second));
    ASSERT_EQ(withId.outcomes.size(), 1u);
    std::ostringstream line;
    PrintJson(line, withId.outcomes[0]);
    ExpectRecordMatchesProfile(Json::parse(line.str()), second);
}

TEST(Poll, ConcurrencyBoundsHowManyPrintersWaitTogether) {
    Loopback loop;
    sim::Server &a = loop.AddPrinter(sim::DefaultProfile(), sim::Fault::Silent);
    sim::Server &b = loop.AddPrinter(sim::DefaultProfile(), sim::Fault::Silent);
    PollSettings settings;
    settings.module = &Loopback::LinkedLibrary();
    settings.limits = test::ShortLimits();
    settings.limits.idle = std::chrono::milliseconds(600);
    settings.limits.overall = std::chrono::milliseconds(5000);
    settings.concurrency = 1;
    Loopback::Run oneAtATime = loop.Poll({Loopback::TargetOf(a), Loopback::TargetOf(b)}, settings);
    EXPECT_GE(oneAtATime.elapsed.count(), 1200);
    settings.concurrency = 2;
    Loopback::Run together = loop.Poll({Loopback::TargetOf(a), Loopback::TargetOf(b)}, settings);
    EXPECT_LT(together.elapsed.count(), 1150) << "two silent printers waited for one after the other";
    EXPECT_EQ(together.exitCode, kExitTimeout);
}

struct FaultCase {
    sim::Fault fault;
    int exitCode;
    const char *result;
    const char *message;
    const char *hint;  // part of what the user is told to try next
};

TEST(Poll, EveryFaultModeEndsWithinItsTimeoutWithItsStatus) {
    const FaultCase cases[] = {
        {sim::Fault::Silent, kExitTimeout, "silent", "no answer within the idle timeout of 0.3 s", "raw port"},
        {sim::Fault::NoFormFeed, kExitTimeout, "silent", "went silent after", "--lenient"},
        {sim::Fault::Drip, kExitTimeout, "timeout", "the overall timeout of 0.8 s passed after", "--timeout"},
        {sim::Fault::CloseMid, kExitIncomplete, "incomplete", "the printer closed the connection after", "--capture"},
        {sim::Fault::Garbage, kExitIncomplete, "incomplete", "the printer closed the connection after 4096 bytes",
         "--lenient"},
        {sim::Fault::Flood, kExitIncomplete, "incomplete", "stopped reading at the limit of 65536 bytes", "--max-bytes"},
    };
    for (const FaultCase &c : cases) {
        SCOPED_TRACE(sim::FaultName(c.fault));
        Loopback loop;
        sim::Profile profile = sim::DefaultProfile();
        sim::Server &printer = loop.AddPrinter(profile, c.fault);
        Loopback::Run run = loop.Poll({Loopback::TargetOf(printer)}, Loopback::SettingsFor(profile));
        ASSERT_EQ(run.outcomes.size(), 1u);
        const PollOutcome &o = run.outcomes[0];
        EXPECT_EQ(o.exitCode(), c.exitCode);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_STREQ(o.result(), c.result);
        EXPECT_NE(o.message.find(c.message), std::string::npos) << o.message;
        EXPECT_NE(NextStep(o).find(c.hint), std::string::npos) << NextStep(o);
        EXPECT_NE(o.message.find("OUTBINSTATUS"), std::string::npos) << "names what never ended: " << o.message;
        EXPECT_LT(run.elapsed.count(), 800 + 700) << "overall timeout plus a margin for qemu";
        // The module's completeness check refused, so the record is as it was.
        ASSERT_FALSE(o.calls.empty());
        EXPECT_EQ(o.calls[0].lastError, PAT_ERROR_REPLY_MISMATCH);
        EXPECT_EQ(RecordJson(*o.snapshot)["pMakerName"], nullptr);
        EXPECT_EQ(RecordJson(*o.snapshot)["dwTrayInfoCount"], 0);
    }
}

TEST(Poll, AFloodKeepsNoMoreThanTheByteLimit) {
    Loopback loop;
    sim::Server &printer = loop.AddPrinter(sim::DefaultProfile(), sim::Fault::Flood);
    SessionLimits limits = test::ShortLimits();
    limits.maxBytes = 10000;
    std::optional<SessionResult> result;
    StartExchange(loop.io(), Loopback::TargetOf(printer), "@PJL INFO CONFIG\r\n", AnswerTracker({"CONFIG"}, {}, "E"),
                  limits, [&](SessionResult r) {
                      result = std::move(r);
                      loop.io().stop();
                  });
    loop.io().run();
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->end, SessionEnd::ByteLimit);
    EXPECT_EQ(result->answer.size(), 10000u);
    EXPECT_GE(result->bytesReceived, 10000u);
}

TEST(Poll, LenientAppliesWhateverArrivedAndSaysSo) {
    Loopback loop;
    sim::Profile profile = sim::DefaultProfile();
    sim::Server &printer = loop.AddPrinter(profile, sim::Fault::CloseMid);
    PollSettings settings = Loopback::SettingsFor(profile);
    settings.lenient = true;
    Loopback::Run run = loop.Poll({Loopback::TargetOf(printer)}, settings);
    ASSERT_EQ(run.outcomes.size(), 1u);
    const PollOutcome &o = run.outcomes[0];
    EXPECT_EQ(o.exitCode(), kExitIncomplete) << "still incomplete, whatever the module made of it";
    ASSERT_FALSE(o.calls.empty());
    EXPECT_EQ(o.calls[0].result, 1);
    EXPECT_EQ(RecordJson(*o.snapshot)["dwMemoryKB"], profile.memoryBytes / 1024) << "the configuration answer came in the first half";
    EXPECT_EQ(RecordJson(*o.snapshot)["pMakerName"], profile.maker);
    bool said = false;
    for (const std::string &note : o.notes) said = said || note.find("lenient") != std::string::npos;
    EXPECT_TRUE(said);
}

TEST(Poll, AnUnreachablePrinterIsReportedWithoutCallingTheModule) {
    Loopback loop;
    uint16_t closedPort;
    {
        boost::asio::ip::tcp::acceptor probe(loop.io(), {boost::asio::ip::make_address("127.0.0.1"), 0});
        closedPort = probe.local_endpoint().port();
    }
    PollSettings settings;
    settings.module = &Loopback::LinkedLibrary();
    settings.limits = test::ShortLimits();
    Loopback::Run run = loop.Poll({Target{"127.0.0.1", closedPort}}, settings);
    ASSERT_EQ(run.outcomes.size(), 1u);
    EXPECT_EQ(run.exitCode, kExitUnavailable);
    EXPECT_STREQ(run.outcomes[0].result(), "unreachable");
    EXPECT_TRUE(run.outcomes[0].calls.empty());
}

TEST(Poll, WatchPollsIntoTheSameRecordAndShowsWhatChanged) {
    Loopback loop;
    sim::Profile profile = sim::DefaultProfile();
    sim::Server &printer = loop.AddPrinter(profile);
    PollSettings settings = Loopback::SettingsFor(profile);
    settings.watchInterval = std::chrono::milliseconds(20);
    settings.watchCount = 2;
    sim::Profile later = profile;
    later.trays[1].level = 40;  // INTRAY2, tray code 4
    later.bins[0].state = "FULL";
    Loopback::Run run = loop.Poll({Loopback::TargetOf(printer)}, settings, [&](const PollOutcome &outcome) {
        if (outcome.poll == 1) printer.SetProfile(later);
    });
    ASSERT_EQ(run.outcomes.size(), 2u);
    EXPECT_TRUE(run.outcomes[0].changes.empty());
    EXPECT_EQ(run.outcomes[1].rounds, 1u) << "the record already lists the trays";
    std::vector<std::string> changes;
    for (const Change &change : run.outcomes[1].changes) changes.push_back(FormatChange(change));
    EXPECT_EQ(changes, (std::vector<std::string>{"pTrayInfo[wTray=4].wLevel: 60 -> 40", "pOutBinInfo[wBin=1].wState: 0 -> 2"}));
}

TEST(Poll, ACaptureReplaysIntoTheSameRecord) {
    Loopback loop;
    sim::Profile profile = sim::DefaultProfile();
    sim::Server &printer = loop.AddPrinter(profile);
    PollSettings settings;
    settings.module = &Loopback::LinkedLibrary();
    settings.limits = test::ShortLimits();
    std::string capture;
    settings.capture = [&](const std::string &bytes) -> Expected<void> {
        capture += bytes;
        return {};
    };
    Loopback::Run run = loop.Poll({Loopback::TargetOf(printer)}, settings);
    ASSERT_EQ(run.outcomes.size(), 1u);
    EXPECT_EQ(capture.size(), run.outcomes[0].bytesReceived) << "both rounds";

    std::string file = testing::TempDir() + "capture.pjl";
    std::ofstream(file, std::ios::binary) << capture;
    const char *argv[] = {"pat-host", "replay", "--answer", file.c_str(), "--json"};
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(5, argv, out, err), kExitOk) << err.str();
    Json replayed = Json::parse(out.str());
    const Json &polled = RecordJson(*run.outcomes[0].snapshot);
    for (const char *field : {"pTrayInfo", "pOutBinInfo", "pLoadedEmul", "pEmulUniqInfo", "pFuncpkgInfo", "dwMemoryKB"})
        EXPECT_EQ(replayed["PrnInfoEx"][field], polled[field]) << field;
    remove(file.c_str());
}

TEST(Poll, OnlyDeviceIdCategoriesNeedNoConnection) {
    Loopback loop;
    PollSettings settings;
    settings.module = &Loopback::LinkedLibrary();
    settings.limits = test::ShortLimits();
    settings.mask = PAT_CAT_IDENTITY;
    settings.deviceIdSource = TextSource("MANUFACTURER:Acme;MODEL:M;");
    Loopback::Run run = loop.Poll({Target{"127.0.0.1", 9}}, settings);  // nothing listens there
    ASSERT_EQ(run.outcomes.size(), 1u);
    EXPECT_EQ(run.exitCode, kExitOk) << run.outcomes[0].message;
    EXPECT_EQ(run.outcomes[0].bytesReceived, 0u);
    EXPECT_EQ(RecordJson(*run.outcomes[0].snapshot)["pMakerName"], "Acme");
}

TEST(Poll, TheSummaryForPeopleNamesTraysBinsAndPaper) {
    Loopback loop;
    sim::Profile profile = sim::DefaultProfile();
    sim::Server &printer = loop.AddPrinter(profile);
    Loopback::Run run = loop.Poll({Loopback::TargetOf(printer)}, Loopback::SettingsFor(profile));
    ASSERT_EQ(run.outcomes.size(), 1u);
    std::ostringstream text;
    PrintText(text, run.outcomes[0]);
    for (const char *expected :
         {"maker          Acme\n", "model          Acme Model 4200  (model code 255)\n", "firmware       2.14.1\n",
          "emulations     VORD 1.05, ZOLT 3.00, TX-GL/2 1.20\n", "memory         262144 KB\n",
          "Tray 2          LETTERSRT   279 x 215 mm    60%  locked\n", "Bypass Tray     A5LONG      148 x 210 mm     0%\n",
          "LCT             A4SRT       297 x 210 mm    80%\n", "Right Tray            paper present\n",
          "options        LCT (104), function package 604271958 (500); copy guard on\n",
          "engine status  10001 \"Ready to print\"; bStatus 1\n", "counters       kind 1: 48213\n",
          "length prefix removed (big-endian), 4 key names made short"})
        EXPECT_NE(text.str().find(expected), std::string::npos) << expected << "\n" << text.str();
}


// Where the device ID comes from, and what it allows: a device whose command
// set names no PJL gets no connection unless forced.
TEST(Poll, DeviceIdSourcesAndSafeProbing) {
    enum class Agent { None, Serves, Truncated, Nothing };
    const struct {
        const char *name;
        const char *source;  // "snmp", "snmp named", else a device ID text
        Agent agent;
        bool force;
        OutcomeKind kind;
        bool connects;
        const char *maker;  // "" for none
        const char *note;   // "" for none
    } cases[] = {
        {"SNMP answers", "snmp", Agent::Serves, false, OutcomeKind::Ok, true, "Acme", ""},
        {"no agent, auto", "snmp", Agent::Nothing, false, OutcomeKind::Ok, true, "", "no answer"},
        {"no agent, snmp named", "snmp named", Agent::Nothing, false, OutcomeKind::NoDeviceId,
         false, "", ""},
        {"truncated answer, auto", "snmp", Agent::Truncated, false, OutcomeKind::Ok, true, "",
         "malformed"},
        {"no PJL in the command set", "MFG:X;CMD:PCL,POSTSCRIPT;", Agent::None, false,
         OutcomeKind::NoPjl, false, "", ""},
        {"no PJL, forced", "MFG:X;CMD:PCL,POSTSCRIPT;", Agent::None, true, OutcomeKind::Ok,
         true, "X", "--force"},
        {"no command set", "MFG:X;", Agent::None, false, OutcomeKind::Ok, true, "X", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Loopback loop;
        sim::Server &printer = loop.AddPrinter(sim::DefaultProfile());
        std::unique_ptr<sim::SnmpResponder> agent;
        PollSettings settings;
        settings.module = &Loopback::LinkedLibrary();
        settings.limits = test::ShortLimits();
        settings.force = c.force;
        SnmpSettings snmp;
        snmp.timeout = std::chrono::milliseconds(400);
        snmp.port = test::FreeUdpPort();  // nothing answers there
        if (c.agent == Agent::Serves || c.agent == Agent::Truncated) {
            agent = std::make_unique<sim::SnmpResponder>(
                loop.io(), boost::asio::ip::udp::endpoint(boost::asio::ip::make_address("127.0.0.1"), 0),
                sim::DeviceIdText(sim::DefaultProfile()),
                c.agent == Agent::Truncated ? sim::SnmpFault::Truncated : sim::SnmpFault::None);
            snmp.port = agent->port();
        }
        std::string source = c.source;
        settings.deviceIdSource = source.starts_with("snmp") ? SnmpSource(snmp, source == "snmp named") : TextSource(source);
        Loopback::Run run = loop.Poll({Loopback::TargetOf(printer)}, settings);
        ASSERT_EQ(run.outcomes.size(), 1u);
        const PollOutcome &o = run.outcomes[0];
        EXPECT_EQ(WordOf(o.kind), std::string(WordOf(c.kind))) << o.message;
        EXPECT_EQ(printer.connections() > 0, c.connects);
        EXPECT_EQ(RecordJson(*o.snapshot)["pMakerName"].is_null() ? "" : RecordJson(*o.snapshot)["pMakerName"].get<std::string>(), c.maker);
        std::string notes = Join(o.notes, "\n");
        EXPECT_NE(notes.find(c.note), std::string::npos) << notes;
        if (c.agent == Agent::Serves) EXPECT_EQ(o.deviceIdOrigin->fields.at(1).second, "ppmPrinterIEEE1284DeviceId");
    }
}

}  // namespace
}  // namespace pathost
