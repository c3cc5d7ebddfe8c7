// The simulated printer's SNMP agent on a UDP port: serves one device ID as
// ppmPrinterIEEE1284DeviceId of the first port and nothing else, or
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

namespace pathost::sim {

enum class SnmpFault {
    None,
    Silent,          // reads every request, answers none
    WrongRequestId,  // answers with a request id that was not asked
    Truncated,       // answers with the first half of the datagram
};

std::optional<SnmpFault> ParseSnmpFault(const std::string &name);
const char *SnmpFaultName(SnmpFault fault);
std::string SnmpFaultNames();  // "none, silent, wrong-request-id, truncated"

// The answer to one datagram; nothing for what an agent drops (not a
// GetRequest, another community than the one configured, the silent fault).
// Other objects are noSuchObject (v2c) or error-status noSuchName (v1).
std::optional<std::vector<uint8_t>> AnswerSnmpDatagram(std::span<const uint8_t> datagram,
                                                       const std::string &deviceId,
                                                       const std::optional<std::string> &community, SnmpFault fault);

class SnmpResponder {
public:
    // Binds (port 0: any free port) and starts serving; throws
    // boost::system::system_error when it cannot bind. No community: any is answered.
    SnmpResponder(boost::asio::io_context &io, const boost::asio::ip::udp::endpoint &endpoint, std::string deviceId,
                  SnmpFault fault = SnmpFault::None, std::optional<std::string> community = std::nullopt);
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
