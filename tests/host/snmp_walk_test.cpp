// The column walker against the simulated agent in each of its fault modes,
// with v2c (GetBulk) and v1 (GetNext): what each column read and how it ended.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "simulator/snmp_responder.h"
#include "snmp/mib_walk.h"
#include "snmp/printer_mib_oids.h"

namespace pathost::sim {
namespace {

using namespace snmp;
using Version = snmp::Version;
using End = WalkedColumn::End;
using Status = WalkResult::Status;

const boost::asio::ip::udp::endpoint kLoopback{boost::asio::ip::make_address("127.0.0.1"), 0};

// The budget bounds each walk; the loop runs a while past it, so a walk that
// never completes fails here instead of hanging.
WalkResult Walk(const MibTable &table, SnmpFault fault, Version version, size_t maxRows, std::chrono::milliseconds budget) {
    boost::asio::io_context io;
    SnmpResponder agent(io, kLoopback, table, fault);
    WalkOptions options{"127.0.0.1", agent.port(), "public", version, true, budget, 1, maxRows};
    std::vector<Oid> columns;
    for (const mib::Column *c : mib::kWalkedColumns) columns.push_back(c->oid);
    MibWalk walk(io, options, columns);
    std::optional<WalkResult> result;
    walk.Start([&](const WalkResult &r) {
        result = r;
        io.stop();
    });
    io.run_for(budget + std::chrono::seconds(5));
    EXPECT_TRUE(result) << "the walk did not complete within its budget";
    return result.value_or(WalkResult{});
}

// The rows the agent serves in one column.
std::vector<Binding> Served(const MibTable &table, const Oid &column) {
    std::vector<Binding> rows;
    for (const Binding &b : table)
        if (b.oid.size() > column.size() && std::equal(column.begin(), column.end(), b.oid.begin())) rows.push_back(b);
    return rows;
}

TEST(MibWalk, EveryFaultWithBothVersions) {
    const MibTable table = PrinterMibTable(DefaultProfile());
    std::vector<std::pair<const mib::Column *, End>> inputs;
    for (const mib::Column *c : mib::kWalkedColumns)
        if (std::string(c->name).starts_with("prtInput")) inputs.push_back({c, End::NotIncreasing});
    const struct {
        SnmpFault fault;
        Version version;
        Status status;
        std::vector<std::pair<const mib::Column *, End>> ends;  // the columns a fault reaches
        std::optional<End> rest;                                 // every other column; none: not checked
        std::string note = {};                                   // of every column that did not complete
        size_t maxRows = 1000;
        std::chrono::milliseconds budget{10000};
    } cases[] = {
        {SnmpFault::None, Version::V2c, Status::Done, {}, End::Complete},
        {SnmpFault::None, Version::V1, Status::Done, {}, End::Complete},
        {SnmpFault::OidNotIncreasing, Version::V2c, Status::Done, inputs, End::Complete, "OID not increasing: "},
        {SnmpFault::OidNotIncreasing, Version::V1, Status::Done, inputs, End::Complete, "OID not increasing: "},
        {SnmpFault::EndlessTable, Version::V2c, Status::Done, {{&mib::kAlertDescription, End::RowLimit}}, End::Complete,
         "more than 50 rows", 50},
        {SnmpFault::EndlessTable, Version::V1, Status::Done, {{&mib::kAlertDescription, End::RowLimit}}, End::Complete,
         "more than 50 rows", 50},
        {SnmpFault::TooBig, Version::V2c, Status::Done, {}, End::Complete},
        {SnmpFault::FallsSilent, Version::V2c, Status::Done,
         {{&mib::kMemorySize, End::Complete}, {&mib::kAlertDescription, End::Unfinished}}, std::nullopt,
         "the agent stopped answering", 1000, std::chrono::milliseconds(600)},
        {SnmpFault::FallsSilent, Version::V1, Status::Done, {}, End::Unfinished, "the agent stopped answering", 1000,
         std::chrono::milliseconds(600)},
        {SnmpFault::Silent, Version::V2c, Status::NoAnswer, {}, End::Unfinished, "no answer to 4 requests", 1000,
         std::chrono::milliseconds(600)},
        {SnmpFault::WrongRequestId, Version::V2c, Status::NoAnswer, {}, End::Unfinished, "(v2c, then v1)", 1000,
         std::chrono::milliseconds(600)},
        {SnmpFault::Truncated, Version::V1, Status::NoAnswer, {}, End::Unfinished, "the last answer was malformed", 1000,
         std::chrono::milliseconds(600)},
    };
    for (const auto &c : cases) {
        std::string name = std::string(SnmpFaultName(c.fault)) + " v" + VersionName(c.version);
        WalkResult r = Walk(table, c.fault, c.version, c.maxRows, c.budget);
        EXPECT_STREQ(WalkStatusName(r.status), WalkStatusName(c.status)) << name << ": " << r.reason;
        EXPECT_EQ(r.version, c.status == Status::NoAnswer ? Version::V1 : c.version) << name;
        ASSERT_EQ(r.columns.size(), mib::kWalkedColumns.size()) << name;
        for (size_t i = 0; i < r.columns.size(); ++i) {
            const WalkedColumn &walked = r.columns[i];
            const mib::Column *column = mib::kWalkedColumns[i];
            std::string where = name + ", " + column->name;
            auto listed = std::find_if(c.ends.begin(), c.ends.end(), [&](const auto &e) { return e.first == column; });
            std::optional<End> end = listed != c.ends.end() ? std::optional(listed->second) : c.rest;
            if (end) EXPECT_STREQ(ColumnEndName(walked.end), ColumnEndName(*end)) << where << ": " << walked.note;
            EXPECT_NE(walked.note.find(walked.end == End::Complete ? "" : c.note), std::string::npos) << where << ": " << walked.note;
            if (walked.end == End::Complete) EXPECT_EQ(walked.note, "") << where;
            // Whatever ended the column, its rows are the agent's, from the first on.
            std::vector<Binding> served = Served(table, column->oid);
            if (walked.end == End::RowLimit) {
                EXPECT_EQ(walked.rows.size(), c.maxRows) << where;
            } else {
                ASSERT_LE(walked.rows.size(), served.size()) << where;
                EXPECT_TRUE(std::equal(walked.rows.begin(), walked.rows.end(), served.begin())) << where;
                if (walked.end == End::Complete) EXPECT_EQ(walked.rows.size(), served.size()) << where;
            }
        }
    }
}

TEST(MibWalk, AFullPrinterInAFewDatagrams) {
    Profile profile = DefaultProfile();
    PrinterMibProfile &m = *profile.printerMib;
    ASSERT_EQ(m.inputs.size(), 5u);
    ASSERT_EQ(m.outputs.size(), 3u);
    while (m.supplies.size() < 5) m.supplies.push_back(m.supplies.front());
    while (m.alerts.size() < 5) m.alerts.push_back(m.alerts.front());
    const MibTable table = PrinterMibTable(profile);
    WalkResult r = Walk(table, SnmpFault::None, Version::V2c, 1000, std::chrono::seconds(10));
    ASSERT_EQ(r.status, Status::Done) << r.reason;
    EXPECT_LE(r.requests, 12u);
    size_t rows = 0;
    for (const WalkedColumn &c : r.columns) {
        EXPECT_EQ(c.end, End::Complete) << FormatOid(c.root) << ": " << c.note;
        rows += c.rows.size();
    }
    EXPECT_EQ(rows, table.size() - 1);  // every object but the device ID, which is no walked column
}

}  // namespace
}  // namespace pathost::sim
