// The simulated printer's SNMP agent on a UDP port: answers Get, GetNext and
// GetBulk (v1 and v2c) from a table of objects (printer_mib_table.h), or
// misbehaves in one of the fault modes. Binds where it is told (tests and the
// simulator give loopback); runs on the caller's io_context.
#ifndef PAT_HOST_SIMULATOR_SNMP_RESPONDER_H
#define PAT_HOST_SIMULATOR_SNMP_RESPONDER_H

#include <stdint.h>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/udp.hpp>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "simulator/printer_mib_table.h"

namespace pathost::sim {

enum class SnmpFault {
    None,
    Silent,          // reads every request, answers none
    WrongRequestId,  // answers with a request id that was not asked
    Truncated,       // answers with the first half of the datagram
    OidNotIncreasing,  // GetNext and GetBulk repeat a prtInputTable row from the second on
    EndlessTable,      // prtAlertDescription never ends: its rows go on increasing
    TooBig,            // tooBig for a GetBulk with max-repetitions above 4
    FallsSilent,       // answers the first request, then none
};

std::optional<SnmpFault> ParseSnmpFault(const std::string &name);
const char *SnmpFaultName(SnmpFault fault);
std::string SnmpFaultNames();  // "none, silent, wrong-request-id, ..."
std::vector<std::string> SnmpFaultNameList();

// What an agent serves and how; `answered` counts its answers.
struct SnmpAgent {
    MibTable table;
    std::optional<std::string> community;  // none: any is answered
    SnmpFault fault = SnmpFault::None;
    unsigned answered = 0;
};

// The answer to one datagram; nothing for what an agent drops (no request it
// reads, another community than the one configured, the silent faults).
// v2c answers an absent object noSuchObject or noSuchInstance and the end of
// the table endOfMibView; v1 answers either with error status noSuchName.
std::optional<std::vector<uint8_t>> AnswerSnmpDatagram(std::span<const uint8_t> datagram, SnmpAgent &agent);

class SnmpResponder {
public:
    // Binds (port 0: any free port) and starts serving; throws
    // boost::system::system_error when it cannot bind. No community: any is answered.
    SnmpResponder(boost::asio::io_context &io, const boost::asio::ip::udp::endpoint &endpoint, MibTable table,
                  SnmpFault fault = SnmpFault::None, std::optional<std::string> community = std::nullopt);
    // An agent that serves the device ID alone.
    SnmpResponder(boost::asio::io_context &io, const boost::asio::ip::udp::endpoint &endpoint, const std::string &deviceId,
                  SnmpFault fault = SnmpFault::None, std::optional<std::string> community = std::nullopt)
        : SnmpResponder(io, endpoint, DeviceIdTable(deviceId), fault, std::move(community)) {}
    ~SnmpResponder();
    SnmpResponder(const SnmpResponder &) = delete;
    SnmpResponder &operator=(const SnmpResponder &) = delete;

    boost::asio::ip::udp::endpoint endpoint() const;
    uint16_t port() const { return endpoint().port(); }
    void Stop();

private:
    std::shared_ptr<struct ResponderState> state_;
};

}  // namespace pathost::sim

#endif
