// The simulated SNMP agent against net-snmp's snmpget, and the device-ID
// client against the simulated agent in each of its fault modes.
#include <gtest/gtest.h>

#include <thread>

#include "child_process.h"
#include "simulator/snmp_responder.h"
#include "snmp_loopback.h"

namespace pathost::sim {
namespace {

using snmp::DeviceIdResult;
using Status = DeviceIdResult::Status;

const std::string kDeviceId = "MFG:Acme;CMD:PJL,PCL;MDL:Model 1;";
const boost::asio::ip::udp::endpoint kLoopback{boost::asio::ip::make_address("127.0.0.1"), 0};

TEST(SnmpResponder, SnmpgetReadsTheDeviceIdAndNothingElse) {
    ASSERT_EQ(access("/usr/bin/snmpget", X_OK), 0) << "net-snmp's snmpget is missing (scripts/test installs it)";
    boost::asio::io_context io;
    SnmpResponder responder(io, kLoopback, kDeviceId);
    auto work = boost::asio::make_work_guard(io);
    std::thread loop([&] { io.run(); });
    test::ScratchDir dir;
    const struct {
        const char *version, *oid, *expected;
    } cases[] = {
        {"2c", "1.3.6.1.4.1.2699.1.2.1.2.1.1.3.1", "STRING: \"MFG:Acme;CMD:PJL,PCL;MDL:Model 1;\""},
        {"1", "1.3.6.1.4.1.2699.1.2.1.2.1.1.3.1", "STRING: \"MFG:Acme;CMD:PJL,PCL;MDL:Model 1;\""},
        {"2c", "1.3.6.1.4.1.11.2.3.9.1.1.7.0", "No Such Object"},
        {"1", "1.3.6.1.4.1.11.2.3.9.1.1.7.0", "(noSuchName)"},
    };
    for (const auto &c : cases) {
        test::ChildProcess snmpget({"/usr/bin/snmpget", "-v", c.version, "-c", "public", "-m", "", "-t", "2", "-r",
                                    "1", "127.0.0.1:" + std::to_string(responder.port()), c.oid},
                                   dir.File("snmpget.out"));
        snmpget.Wait();
        EXPECT_NE(snmpget.Output().find(c.expected), std::string::npos)
            << "v" << c.version << " " << c.oid << ":\n" << snmpget.Output();
    }
    io.stop();
    loop.join();
}

TEST(SnmpResponder, TheClientInEachFaultMode) {
    const struct {
        SnmpFault fault;
        std::string deviceId;
        std::optional<std::string> community;
        Status status;
        const char *reason;
    } cases[] = {
        {SnmpFault::None, kDeviceId, std::nullopt, Status::Found, ""},
        {SnmpFault::None, kDeviceId, "private", Status::NoAnswer, "no answer to 4 requests, 250 ms each (v2c, then v1)"},
        {SnmpFault::None, "", std::nullopt, Status::NoSuchObject, "none of the 4 device-ID objects"},
        {SnmpFault::Silent, kDeviceId, std::nullopt, Status::NoAnswer, "no answer"},
        {SnmpFault::WrongRequestId, kDeviceId, std::nullopt, Status::NoAnswer, "no answer"},
        {SnmpFault::Truncated, kDeviceId, std::nullopt, Status::Malformed, "past the end"},
    };
    for (const auto &c : cases) {
        boost::asio::io_context io;
        SnmpResponder responder(io, kLoopback, c.deviceId, c.fault, c.community);
        DeviceIdResult r = test::QueryDeviceId(io, test::LoopbackQuery(responder.port()));
        std::string name = std::string(SnmpFaultName(c.fault)) + " " + c.community.value_or("any");
        EXPECT_STREQ(snmp::StatusName(r.status), snmp::StatusName(c.status)) << name << ": " << r.reason;
        EXPECT_NE(r.reason.find(c.reason), std::string::npos) << name << ": " << r.reason;
        EXPECT_EQ(r.deviceId, c.status == Status::Found ? kDeviceId : "") << name;
        // Silence gets the v1 retry too; an answer, even a useless one, does not.
        EXPECT_EQ(r.version, c.status == Status::NoAnswer ? snmp::Version::V1 : snmp::Version::V2c) << name;
    }
}

TEST(SnmpResponder, CancelledOrAbandonedWhilePending) {
    boost::asio::io_context io;
    SnmpResponder responder(io, kLoopback, kDeviceId, SnmpFault::Silent);
    snmp::DeviceIdQuery cancelled(io, test::LoopbackQuery(responder.port()));
    std::optional<Status> status;
    cancelled.Start([&](const DeviceIdResult &r) { status = r.status; });
    cancelled.Cancel();
    io.run_for(std::chrono::milliseconds(100));
    EXPECT_EQ(status, Status::Cancelled);
    // Destroyed with its receive and timer pending, then the loop runs on:
    // the handler is never called and nothing touches the destroyed query.
    auto abandoned = std::make_unique<snmp::DeviceIdQuery>(io, test::LoopbackQuery(responder.port()));
    abandoned->Start([&](const DeviceIdResult &) { ADD_FAILURE() << "handler of a destroyed query"; });
    io.restart();
    io.run_for(std::chrono::milliseconds(50));
    abandoned.reset();
    io.restart();
    io.run_for(std::chrono::milliseconds(600));
}

}  // namespace
}  // namespace pathost::sim
