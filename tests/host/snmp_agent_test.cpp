// The device-ID client against a real agent: net-snmp's snmpd on a free
// loopback port, serving a device ID where printers keep theirs.
#include <gtest/gtest.h>

#include "sources/snmp_source.h"

#include <fstream>

#include "child_process.h"
#include "loopback.h"
#include "simulator/profile.h"
#include "snmp_loopback.h"

namespace pathost::snmp {
namespace {

using Status = DeviceIdResult::Status;

TEST(SnmpAgent, TheClientReadsTheDeviceIdFromSnmpd) {
    ASSERT_EQ(access("/usr/sbin/snmpd", X_OK), 0) << "net-snmp's snmpd is missing (scripts/test installs it)";
    test::ScratchDir dir;
    uint16_t port = test::FreeUdpPort();
    std::ofstream(dir.File("snmpd.conf"))
        << "agentaddress udp:127.0.0.1:" << port << "\n"
        << "rocommunity public 127.0.0.1\n"
        << "override 1.3.6.1.4.1.2699.1.2.1.2.1.1.3.1 octet_str "
           "\"MFG:Acme;CMD:PJL,PCL;MDL:Model 1;STS:10003,1,Warming up;\"\n";
    test::ChildProcess snmpd({"/usr/sbin/snmpd", "-f", "-Lo", "-C", "-c", dir.File("snmpd.conf")},
                             dir.File("snmpd.log"));
    ASSERT_TRUE(snmpd.started());

    // snmpd takes a moment to load its modules: ask until it answers.
    boost::asio::io_context io;
    DeviceIdQueryOptions options = test::LoopbackQuery(port);
    options.fallBackToV1 = false;
    DeviceIdResult found;
    for (int attempt = 0; attempt < 40 && found.status != Status::Found; ++attempt)
        found = test::QueryDeviceId(io, options);
    ASSERT_EQ(found.status, Status::Found) << found.reason << "\nsnmpd:\n" << snmpd.Output().substr(0, 2000);
    EXPECT_EQ(found.deviceId, "MFG:Acme;CMD:PJL,PCL;MDL:Model 1;STS:10003,1,Warming up;");
    EXPECT_EQ(FormatOid(found.oid), "1.3.6.1.4.1.2699.1.2.1.2.1.1.3.1");

    options.version = Version::V1;
    EXPECT_EQ(test::QueryDeviceId(io, options).deviceId, found.deviceId);

    // A wrong community: the agent stays silent, through v2c and v1.
    DeviceIdResult refused = test::QueryDeviceId(io, test::LoopbackQuery(port, "private"));
    EXPECT_EQ(refused.status, Status::NoAnswer) << refused.reason;
    EXPECT_EQ(refused.version, Version::V1);

    // A poll of a simulated printer's PJL port takes its device ID from the agent.
    test::Loopback loopback;
    sim::Server &printer = loopback.AddPrinter(sim::DefaultProfile());
    PollSettings settings;
    settings.module = &pathost::test::Loopback::LinkedLibrary();
    settings.limits = test::ShortLimits();
    SnmpSettings snmp;
    snmp.port = port;
    settings.deviceIdSource = SnmpSource(snmp, false);
    test::Loopback::Run run = loopback.Poll({test::Loopback::TargetOf(printer)}, settings);
    ASSERT_EQ(run.outcomes.size(), 1u);
    const PollOutcome &o = run.outcomes[0];
    EXPECT_EQ(run.exitCode, 0) << o.message;
    EXPECT_EQ(RecordJson(*o.snapshot)["pMakerName"], "Acme");
    EXPECT_EQ(RecordJson(*o.snapshot)["pModelName"], "Model 1");
    EXPECT_EQ(RecordJson(*o.snapshot)["pEngineStatus"][0]["dwStatus"], 10003);
    EXPECT_EQ(RecordJson(*o.snapshot)["dwTrayInfoCount"], 5) << "the PJL categories come from the printer";
    ASSERT_TRUE(o.deviceIdOrigin);
    EXPECT_EQ(o.deviceIdOrigin->fields.at(0).second, "1.3.6.1.4.1.2699.1.2.1.2.1.1.3.1");
}

}  // namespace
}  // namespace pathost::snmp
