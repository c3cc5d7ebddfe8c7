// pat-host serve in-process: two simulated printers (one silent), the fleet,
// its HTTP server, on one io_context in a thread of their own; the test is a
// client over real loopback sockets.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <nlohmann/json.hpp>
#include <thread>

#include "loopback.h"
#include "serve/metrics.h"
#include "serve/routes.h"
#include "simulator/profile.h"

namespace pathost::serve {
namespace {

// A client that sends `parts` (a pause between them) and reads until the
// server closes or a second passes with nothing.
std::string Exchange(uint16_t port, const std::vector<std::string> &parts, int pauseMs = 0) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(port);
    where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    timeval wait{3, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    std::string answer;
    if (connect(fd, reinterpret_cast<sockaddr *>(&where), sizeof where) == 0) {
        for (const std::string &part : parts) {
            if (send(fd, part.data(), part.size(), MSG_NOSIGNAL) < 0) break;
            if (pauseMs) std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
        }
        char buffer[65536];
        for (ssize_t got; (got = recv(fd, buffer, sizeof buffer, 0)) > 0;) answer.append(buffer, got);
    }
    close(fd);
    return answer;
}

std::string Get(uint16_t port, const std::string &path) {
    return Exchange(port, {"GET " + path + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n"});
}

// The body of a response, its chunks joined when it came chunked.
std::string Body(const std::string &response) {
    size_t end = response.find("\r\n\r\n");
    std::string body = response.substr(end + 4), joined;
    if (response.substr(0, end).find("Transfer-Encoding: chunked") == std::string::npos) return body;
    for (size_t at = 0, size; (size = std::stoul(body.substr(at), nullptr, 16)) > 0; at += size + 2)
        joined += body.substr(at = body.find("\r\n", at) + 2, size);
    return joined;
}

class Serve : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Profile profile = sim::DefaultProfile();
        sim::Server &good = loopback_.AddPrinter(profile), &silent = loopback_.AddPrinter(profile, sim::Fault::Silent);
        bystander_ = &loopback_.AddPrinter(profile);  // never configured
        goodPrinter_ = &good;
        PollSettings settings = test::Loopback::SettingsFor(profile);
        good_ = test::Loopback::TargetOf(good).Label();
        bystanderLabel_ = test::Loopback::TargetOf(*bystander_).Label();
        Schedule schedule;
        schedule.interval = std::chrono::milliseconds(500);
        fleet_ = std::make_unique<Fleet>(
            io(), std::vector<FleetTarget>{{test::Loopback::TargetOf(good), settings}, {test::Loopback::TargetOf(silent), settings}},
            schedule, [this](size_t i) { routes_->Refresh(i); });
        routes_ = std::make_unique<Routes>(io(), *fleet_, settings.module->identity, ProbeOptions{false, settings});
        HttpLimits limits;
        limits.readTimeout = std::chrono::milliseconds(1000);
        limits.headerBytes = 2048;
        http_ = std::make_unique<HttpServer>(io(), boost::asio::ip::tcp::endpoint(boost::asio::ip::make_address("127.0.0.1"), 0),
                                             limits, [this](const HttpRequest &r, auto respond) { routes_->Handle(r, respond); });
        port_ = http_->endpoint().port();
        fleet_->Start();
        thread_ = std::thread([this] { io().run(); });
        // Until both printers have a result: the good one answered, the silent one timed out.
        for (int i = 0; i < 100 && Body(Get(port_, "/api/printers")).find("not finished") != std::string::npos; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    void TearDown() override {
        boost::asio::post(io(), [this] {
            fleet_->Stop();
            http_->Stop();
            io().stop();
        });
        thread_.join();
    }
    boost::asio::io_context &io() { return loopback_.io(); }

    test::Loopback loopback_;
    sim::Server *bystander_ = nullptr, *goodPrinter_ = nullptr;
    std::string good_, bystanderLabel_;
    std::unique_ptr<Fleet> fleet_;
    std::unique_ptr<Routes> routes_;
    std::unique_ptr<HttpServer> http_;
    uint16_t port_ = 0;
    std::thread thread_;
};

TEST_F(Serve, EveryKindOfRequestGetsItsStatusAndTheServerKeepsServing) {
    const std::string big(4096, 'a');
    struct Case {
        const char *what;
        std::vector<std::string> parts;
        int pauseMs;
        const char *status;  // "" when the server cuts the client off without an answer
    } cases[] = {
        {"metrics", {"GET /metrics HTTP/1.1\r\nHost: x\r\n\r\n"}, 0, "HTTP/1.1 200"},
        {"HEAD", {"HEAD / HTTP/1.1\r\nConnection: close\r\n\r\n"}, 0, "HTTP/1.1 200"},
        {"wrong method", {"POST /metrics HTTP/1.1\r\nContent-Length: 0\r\n\r\n"}, 0, "HTTP/1.1 405"},
        {"unknown method", {"BREW / HTTP/1.1\r\n\r\n"}, 0, "HTTP/1.1 405"},
        {"unknown path", {"GET /admin HTTP/1.1\r\n\r\n"}, 0, "HTTP/1.1 404"},
        {"malformed request line", {"GET\r\n\r\n"}, 0, "HTTP/1.1 400"},
        {"not HTTP", {"\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03\r\n\r\n"}, 0, "HTTP/1.1 400"},
        {"a body on GET", {"GET / HTTP/1.1\r\nContent-Length: 5\r\n\r\nhello"}, 0, "HTTP/1.1 400"},
        {"oversized headers", {"GET / HTTP/1.1\r\nX-Big: " + big + "\r\n\r\n"}, 0, "HTTP/1.1 431"},
        {"absolute form", {"GET http://127.0.0.1:" + std::to_string(port_) + "/metrics HTTP/1.1\r\nHost: x\r\n\r\n"}, 0,
         "HTTP/1.1 200"},
        {"absolute form, another server", {"GET http://printer.invalid/metrics HTTP/1.1\r\n\r\n"}, 0, "HTTP/1.1 400"},
        {"probe without target", {"GET /probe HTTP/1.1\r\n\r\n"}, 0, "HTTP/1.1 400"},
        {"probe, bad escape", {"GET /probe?target=127.0.0.1%3 HTTP/1.1\r\n\r\n"}, 0, "HTTP/1.1 400"},
        {"probe, bad port", {"GET /probe?target=127.0.0.1:99999 HTTP/1.1\r\n\r\n"}, 0, "HTTP/1.1 400"},
        {"one byte at a time, past the timeout", {"G", "E", "T", " ", "/", " ", "H", "T", "T", "P"}, 300, ""},
        {"silent client", {""}, 1500, ""},
    };
    for (const Case &c : cases) {
        std::string answer = Exchange(port_, c.parts, c.pauseMs);
        EXPECT_EQ(answer.substr(0, std::string(c.status).size()), c.status) << c.what << ":\n" << answer.substr(0, 200);
        EXPECT_EQ(Get(port_, "/metrics").substr(0, 12), "HTTP/1.1 200") << "after " << c.what;
    }
}

TEST_F(Serve, IdleClientsBeyondTheCapLockOutNoScrapeAndProbesOfOneTargetShareAPoll) {
    std::vector<int> idle;
    for (int i = 0; i < 70; ++i) {  // the cap is 64
        int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in where{};
        where.sin_family = AF_INET;
        where.sin_port = htons(port_);
        where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr *>(&where), sizeof where), 0);
        idle.push_back(fd);
    }
    for (int scrape = 0; scrape < 5; ++scrape) EXPECT_EQ(Get(port_, "/metrics").substr(0, 12), "HTTP/1.1 200") << scrape;
    for (int fd : idle) close(fd);

    size_t before = goodPrinter_->connections();
    std::vector<std::thread> probes;
    std::vector<std::string> answers(10);
    for (size_t i = 0; i < answers.size(); ++i)
        probes.emplace_back([&, i] { answers[i] = Get(port_, "/probe?target=" + good_); });
    for (std::thread &probe : probes) probe.join();
    for (const std::string &answer : answers) EXPECT_EQ(answer.substr(0, 12), "HTTP/1.1 200");
    // One probe's poll, and at most one scheduled poll meanwhile.
    EXPECT_LE(goodPrinter_->connections() - before, 2u);
}

TEST_F(Serve, MetricsProbeAndApiShowThePolls) {
    std::string metrics = Body(Get(port_, "/metrics"));
    EXPECT_NE(metrics.find("pat_up{target=\"" + good_ + "\"} 1\n"), std::string::npos) << metrics;
    EXPECT_NE(metrics.find("pat_poll_exit_code{target=\""), std::string::npos);
    sim::Profile profile = sim::DefaultProfile();
    EXPECT_NE(metrics.find("pat_memory_bytes{target=\"" + good_ + "\"} " + std::to_string(profile.memoryBytes)), std::string::npos);
    for (const sim::Tray &tray : profile.trays)
        EXPECT_NE(metrics.find("paper=\"" + tray.paper + "\"} " + std::to_string(tray.level) + "\n"), std::string::npos) << tray.name;
    for (const char *bin : {"name=\"Standard Tray\"} 0", "name=\"Finisher Shift Tray\"} 2"})
        EXPECT_NE(metrics.find(bin), std::string::npos) << bin;

    std::string probe = Get(port_, "/probe?target=" + good_);
    EXPECT_EQ(probe.substr(0, 12), "HTTP/1.1 200");
    EXPECT_NE(Body(probe).find("pat_up{target=\"" + good_ + "\"} 1"), std::string::npos) << probe;
    // Not configured: refused, and the printer never sees a connection.
    size_t before = bystander_->connections();
    EXPECT_EQ(Get(port_, "/probe?target=" + bystanderLabel_).substr(0, 12), "HTTP/1.1 403");
    EXPECT_EQ(bystander_->connections(), before);

    nlohmann::json printers = nlohmann::json::parse(Body(Get(port_, "/api/printers")));
    ASSERT_EQ(printers.size(), 2u);
    EXPECT_EQ(printers[0]["result"], "ok");
    EXPECT_EQ(printers[1]["result"], "silent") << printers[1]["message"];

    std::string page = Body(Get(port_, "/"));
    EXPECT_NE(page.find("data-target=\"" + good_ + "\""), std::string::npos);
    EXPECT_EQ(page.find("http://"), std::string::npos) << "the page must load nothing from elsewhere";
}

TEST(Schedule, AFailingPrinterWaitsLongerUpToTheCapAndEveryWaitIsJittered) {
    Schedule schedule = ServeSchedule(std::chrono::seconds(60), 16);  // ±10 %, at most 4 intervals
    const struct {
        unsigned failures;
        double unit;
        long long ms;
    } rows[] = {{0, 0.5, 60000}, {1, 0.5, 60000}, {2, 0.5, 120000}, {3, 0.5, 240000},
                {9, 0.5, 240000}, {0, 0.0, 54000}, {0, 0.999999, 66000}, {3, 0.0, 216000}};
    for (const auto &row : rows)
        EXPECT_EQ(NextDelay(schedule, row.failures, row.unit).count(), row.ms) << row.failures << " " << row.unit;
}

TEST(TargetsFile, EachFieldIsAppliedAndAnythingElseIsNamed) {
    PollSettings defaults;
    SourceChoice commandLine;  // --device-id-source auto
    auto read = ReadTargetsFile(
        R"({"targets": [{"address": "127.0.0.1"},
            {"address": "[::1]:9101", "mask": "trays,bins", "deviceIdSource": "snmp",
             "snmp": {"community": "c", "port": 1161, "version": "1", "timeout": 0.5}},
            {"address": "127.0.0.1:9102", "deviceId": "MFG:Acme;", "mask": 6}]})",
        "t.json", commandLine);
    ASSERT_TRUE(read) << read.error().message;
    const std::vector<TargetEntry> &targets = *read;
    ASSERT_EQ(targets.size(), 3u);
    EXPECT_EQ(targets[0].target.Label(), "127.0.0.1:9100");
    EXPECT_EQ(targets[0].source.name, "auto");
    EXPECT_FALSE(targets[0].mask);
    EXPECT_EQ(targets[1].target.Label(), "[::1]:9101");
    EXPECT_EQ(targets[1].source.name, "snmp");
    const std::map<std::string, std::string> snmp = {{"community", "c"}, {"port", "1161"}, {"version", "1"}, {"timeout", "0.5"}};
    EXPECT_EQ(targets[1].source.settings.at("snmp"), snmp);
    EXPECT_EQ(targets[2].source.name, "text");
    EXPECT_EQ(targets[2].source.value, "MFG:Acme;");
    EXPECT_EQ(targets[2].mask, 6u);

    const std::pair<const char *, const char *> bad[] = {
        {R"({"targets": [{"address": "127.0.0.1", "mak": 1}]})", "t.json: targets[0]: unknown field \"mak\""},
        {R"({"printers": []})", "t.json: unknown field \"printers\""},
        {R"({"targets": [{"mask": "all"}]})", "targets[0]: has no \"address\""},
        {R"({"targets": [{"address": "127.0.0.1:99999"}]})", "targets[0].address: "},
        {R"({"targets": [{"address": 5}]})", "targets[0].address: must be a string"},
        {R"({"targets": [{"address": "h", "deviceId": "x", "deviceIdSource": "none"}]})", "not both"},
        {R"({"targets": [{"address": "h", "deviceIdSource": "usb"}]})", "deviceIdSource: must be"},
        {R"({"targets": [{"address": "h", "snmp": {"version": "3"}}]})", "snmp.version: must be"},
        {R"({"targets": [{"address": "h", "snmp": {"port": 0}}]})", "snmp.port: must be"},
        {R"({"targets": [{"address": "h", "snmp": {"retries": 2}}]})", "snmp: unknown field \"retries\""},
        {R"({"targets": [{"address": "h", "mask": "papers"}]})", "mask: must be"},
        {R"({"targets": {}})", "needs \"targets\""},
        {R"({"targets": [)", "t.json: not JSON: parse error"},
        {R"({"targets": [], "targets": [{"address": "h"}]})", "t.json: targets: is given twice"},
        {R"({"targets": [{"address": "h", "mask": 1, "mask": 2}]})", "targets[0].mask: is given twice"},
        {R"({"targets": [{"address": "127.0.0.1\u0000x"}]})", "targets[0].address: holds a NUL byte"},
        {R"({"targets": [{"address": "h"}, {"address": "h", "snmp": {"port": 1e400}}]})",
         "targets[1].snmp.port: the number is out of range"},
    };
    for (const auto &[text, message] : bad) {
        auto parsed = ParseTargetsFile(text, "t.json", defaults, commandLine);
        ASSERT_FALSE(parsed) << "accepted: " << text;
        EXPECT_EQ(parsed.error().kind, OutcomeKind::DataError);
        EXPECT_NE(parsed.error().message.find(message), std::string::npos) << parsed.error().message;
    }
}

TEST(Metrics, ThePrinterMibsSeriesAreEscapedNoAmountIsNoRatioAndAFailedPollHasNone) {
    TargetStatus status;
    PrinterMib &mib = status.last.emplace().printerMib.emplace();
    status.last->kind = OutcomeKind::Ok;
    mib.pageCount = 48213;
    mib.printerStatus = 4;
    mib.supplies = {{1, "Cyan \"C\"\ntoner", "cyan", 3, 3, 19, 100, 7}, {2, "Waste box", "", 4, 4, 19, -2, -3}};
    mib.alerts = {{1, 3, 9, 3, 903, "Bin \\ full"}, {2, 3, 9, 3, 903, "Bin \\ full"}, {3, 5, 6, 1, 4, "cover closed"},
                  {4, 4, 11, 1, 4242, "odd"}};
    const std::pair<const char *, int> rows[] = {  // a line, how often it appears
        {"pat_supply_level_ratio{target=\"t\",supply=\"1\",colour=\"cyan\",type=\"toner\"} 0.07\n", 1},
        {"pat_supply_level_ratio{target=\"t\",supply=\"2\"", 0},  // -3: some remains, no amount
        {"pat_supply_info{target=\"t\",supply=\"1\",description=\"Cyan \\\"C\\\"\\ntoner\",colour=\"cyan\",type=\"toner\","
         "class=\"consumed\",unit=\"percent\",level_meaning=\"\"} 1\n", 1},
        {"supply=\"2\",description=\"Waste box\",colour=\"\",type=\"wasteToner\",class=\"receptacle\",unit=\"percent\","
         "level_meaning=\"some remaining\"} 1\n", 1},
        {"pat_supply_max_capacity{target=\"t\",supply=\"1\"} 100\n", 1},
        {"pat_supply_max_capacity{target=\"t\",supply=\"2\"}", 0},  // -2: unknown
        {"pat_pages_total{target=\"t\"} 48213\n", 1},
        // Listed twice, one series.
        {"pat_alert{target=\"t\",severity=\"critical\",group=\"output\",code=\"outputMediaTrayFull\",description=\"Bin \\\\ full\"} 1\n", 1},
        {"group=\"markerSupplies\",code=\"4242\",description=\"odd\"} 1\n", 1},  // a code without a name: its number
        {"cover closed", 0},                                                    // a past event
        {"pat_printer_state{target=\"t\",state=\"printing\"} 1\n", 1},
        {"pat_printer_state{", 5},
        {"pat_device_state{", 0},  // not answered
    };
    std::string text = SamplesOf("t", status).text;
    for (const auto &[line, count] : rows) {
        int seen = 0;
        for (size_t at = 0; (at = text.find(line, at)) != std::string::npos; ++at) ++seen;
        EXPECT_EQ(seen, count) << line << "\n" << text;
    }
    status.last->kind = OutcomeKind::NoAnswer;
    EXPECT_EQ(SamplesOf("t", status).text.find("pat_supply"), std::string::npos) << "nothing stale";
}

}  // namespace
}  // namespace pathost::serve
