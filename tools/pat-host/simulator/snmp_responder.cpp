#include "simulator/snmp_responder.h"

#include <array>

#include "snmp/snmp_device_id.h"
#include "snmp/snmp_message.h"

namespace pathost::sim {

namespace {

using boost::asio::ip::udp;

constexpr std::array<std::pair<SnmpFault, const char *>, 4> kFaults = {{
    {SnmpFault::None, "none"},
    {SnmpFault::Silent, "silent"},
    {SnmpFault::WrongRequestId, "wrong-request-id"},
    {SnmpFault::Truncated, "truncated"},
}};

constexpr int32_t kNoSuchName = 2;

}  // namespace

std::optional<SnmpFault> ParseSnmpFault(const std::string &name) {
    for (const auto &[fault, text] : kFaults)
        if (name == text) return fault;
    return std::nullopt;
}

const char *SnmpFaultName(SnmpFault fault) {
    for (const auto &[f, text] : kFaults)
        if (f == fault) return text;
    return "?";
}

std::string SnmpFaultNames() {
    std::string names;
    for (const auto &[fault, text] : kFaults) names += (names.empty() ? "" : ", ") + std::string(text);
    return names;
}

std::optional<std::vector<uint8_t>> AnswerSnmpDatagram(std::span<const uint8_t> datagram,
                                                       const std::string &deviceId,
                                                       const std::optional<std::string> &community, SnmpFault fault) {
    using namespace snmp;
    std::optional<GetRequest> request = DecodeGetRequest(datagram);
    if (!request || (community && request->community != *community) || fault == SnmpFault::Silent)
        return std::nullopt;
    GetResponse response{request->version, request->community, request->requestId, 0, 0, {}};
    if (fault == SnmpFault::WrongRequestId) response.requestId ^= 0x5A5A;
    const Oid &served = DeviceIdObjects().front();
    for (size_t i = 0; i < request->oids.size(); ++i) {
        const Oid &oid = request->oids[i];
        if (oid == served) {
            response.bindings.push_back({oid, Binding::Kind::OctetString, deviceId});
        } else if (request->version == Version::V2c) {
            response.bindings.push_back({oid, Binding::Kind::NoSuchObject, {}});
        } else {
            // v1 has no exceptions: the whole request fails, its bindings echoed.
            if (response.errorStatus == 0) response.errorStatus = kNoSuchName, response.errorIndex = int32_t(i + 1);
            response.bindings.push_back({oid, Binding::Kind::Null, {}});
        }
    }
    if (response.errorStatus != 0)
        for (Binding &b : response.bindings) b.kind = Binding::Kind::Null, b.bytes.clear();
    std::vector<uint8_t> bytes = EncodeGetResponse(response);
    if (fault == SnmpFault::Truncated) bytes.resize(bytes.size() / 2);
    return bytes;
}

struct ResponderState : std::enable_shared_from_this<ResponderState> {
    ResponderState(boost::asio::io_context &io, const udp::endpoint &endpoint) : socket(io, endpoint) {}

    void Receive() {
        auto self = shared_from_this();
        socket.async_receive_from(boost::asio::buffer(buffer), from, [self](const boost::system::error_code &ec, size_t n) {
            if (ec == boost::asio::error::operation_aborted || !self->socket.is_open()) return;
            if (!ec) {
                auto answer = AnswerSnmpDatagram(std::span(self->buffer.data(), n), self->deviceId,
                                                 self->community, self->fault);
                // One answer at a time is plenty for a simulator; a send that
                // fails is an answer lost, as UDP allows.
                boost::system::error_code ignored;
                if (answer) self->socket.send_to(boost::asio::buffer(*answer), self->from, 0, ignored);
            }
            self->Receive();
        });
    }

    udp::socket socket;
    udp::endpoint from;
    std::array<uint8_t, 64 * 1024> buffer{};
    std::string deviceId;
    std::optional<std::string> community;
    SnmpFault fault = SnmpFault::None;
};

SnmpResponder::SnmpResponder(boost::asio::io_context &io, const udp::endpoint &endpoint, std::string deviceId,
                             SnmpFault fault, std::optional<std::string> community)
    : state_(std::make_shared<ResponderState>(io, endpoint)) {
    state_->deviceId = std::move(deviceId);
    state_->community = std::move(community);
    state_->fault = fault;
    state_->Receive();
}

SnmpResponder::~SnmpResponder() { Stop(); }

udp::endpoint SnmpResponder::endpoint() const { return state_->socket.local_endpoint(); }

void SnmpResponder::Stop() {
    boost::system::error_code ignored;
    state_->socket.close(ignored);
}

}  // namespace pathost::sim
