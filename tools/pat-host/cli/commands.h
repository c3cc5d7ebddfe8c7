// The subcommands of pat-host, each taking what the command line said and
// returning what it came to. cli.cpp parses; these do the work.
#ifndef PAT_HOST_COMMANDS_H
#define PAT_HOST_COMMANDS_H

#include <ostream>
#include <string>
#include <vector>

#include "module/module.h"
#include "poll/capture_replay.h"
#include "outcome/outcome_kind.h"
#include "schedule/scheduler.h"
#include "sources/source_kinds.h"
#include "simulator/server.h"
#include "simulator/snmp_responder.h"

namespace pathost {

struct OutputOptions {
    bool json = false;
};

struct PollCommand {
    std::vector<Target> targets;
    PollSettings settings;
    OutputOptions output;
    std::string captureFile;  // raw answer bytes of every round, for replay
};
OutcomeKind RunPoll(const Module &module, const PollCommand &command, std::ostream &out, std::ostream &err);

struct ReplayCommand : ReplaySettings {
    OutputOptions output;
};
OutcomeKind RunReplay(const Module &module, const ReplayCommand &command, std::ostream &out, std::ostream &err);

// The replay's inputs through two modules (--module, or the linked libpat.so,
// against --with).
struct CompareCommand {
    ReplayCommand replay;
    std::string with;
};
OutcomeKind RunCompare(const Module &first, const Module &second, const CompareCommand &command, std::ostream &out,
                       std::ostream &err);

struct QueryCommand {
    uint32_t mask = kAllCategories;
    std::vector<uint16_t> trays;
};
OutcomeKind RunQuery(const Module &module, const QueryCommand &command, std::ostream &out, std::ostream &err);

// The simulated printer's SNMP agent: the profile's device ID as
// ppmPrinterIEEE1284DeviceId, on UDP beside the PJL port.
struct SnmpAgentOptions {
    std::optional<uint16_t> port;  // none: no agent (simulate); 0: any free port
    sim::SnmpFault fault = sim::SnmpFault::None;
};

struct SimulateCommand {
    sim::ServerOptions server;
    SnmpAgentOptions snmp;
    std::string profileFile;
    bool printProfile = false;
    unsigned count = 1;  // printers, on consecutive ports from server.port (0: each a free one)
};
OutcomeKind RunSimulate(const SimulateCommand &command, std::ostream &out, std::ostream &err);

struct DemoCommand {
    std::string host = "127.0.0.1";
    uint16_t port = 0;  // 0: any free port
    std::string profileFile;
    sim::Fault fault = sim::Fault::None;
    SnmpAgentOptions snmp{0};
    SessionLimits limits;
    OutputOptions output;
};
OutcomeKind RunDemo(const Module &module, const DemoCommand &command, std::ostream &out, std::ostream &err);

// A fleet polled on a schedule and served over HTTP: /metrics, /probe,
// /api/printers and a status page.
constexpr uint16_t kServePort = 9721;
struct ServeCommand {
    std::string host = "127.0.0.1";  // loopback unless --listen names another
    uint16_t port = kServePort;
    std::vector<Target> targets;   // from the command line, with `settings`
    std::string targetsFile;       // more, each with its own settings
    PollSettings settings;         // the command line's; the concurrency is the fleet's
    SourceChoice sourceChoice;     // the command line's device-ID source, which targets-file entries amend
    std::chrono::milliseconds interval{60000};
    bool allowAnyTarget = false;
    bool probeOnly = false;  // no schedule: the targets are polled when /probe asks
};
OutcomeKind RunServe(const Module &module, const ServeCommand &command, std::ostream &out, std::ostream &err);

// A profile file, or the built-in one when the name is empty. On failure
// NoInput or DataError, with the reason in err.
OutcomeKind LoadProfile(const std::string &file, sim::Profile *profile, std::ostream &err);

// A simulated printer listening; null, with the reason in err, when the
// address cannot be bound.
std::unique_ptr<sim::Server> StartServer(boost::asio::io_context &io, const sim::ServerOptions &options,
                                         const sim::Profile &profile, std::ostream &err);

// The agent listening on host; null, with the reason in err, when the address
// cannot be bound.
std::unique_ptr<sim::SnmpResponder> StartSnmpAgent(boost::asio::io_context &io, const std::string &host,
                                                   const SnmpAgentOptions &options, const sim::Profile &profile,
                                                   std::ostream &err);

}  // namespace pathost

#endif
