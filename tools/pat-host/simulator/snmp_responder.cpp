#include "simulator/snmp_responder.h"

#include <algorithm>
#include <array>

#include "snmp/printer_mib_oids.h"
#include "snmp/snmp_message.h"

namespace pathost::sim {

namespace {

using boost::asio::ip::udp;
using namespace snmp;

constexpr std::array<std::pair<SnmpFault, const char *>, 8> kFaults = {{
    {SnmpFault::None, "none"},
    {SnmpFault::Silent, "silent"},
    {SnmpFault::WrongRequestId, "wrong-request-id"},
    {SnmpFault::Truncated, "truncated"},
    {SnmpFault::OidNotIncreasing, "oid-not-increasing"},
    {SnmpFault::EndlessTable, "endless-table"},
    {SnmpFault::TooBig, "too-big"},
    {SnmpFault::FallsSilent, "falls-silent"},
}};

constexpr int32_t kTooBig = 1, kNoSuchName = 2;
constexpr int32_t kTooBigAbove = 4;       // the too-big fault's largest max-repetitions
constexpr size_t kAnswerBytes = 8 * 1024;  // a GetBulk answer stops growing near this
const Oid kInputTable = {1, 3, 6, 1, 2, 1, 43, 8, 2};

bool Inside(const Oid &column, const Oid &oid) {
    return oid.size() > column.size() && std::equal(column.begin(), column.end(), oid.begin());
}

// The object after `oid` as this agent serves it, faults included; nullopt
// past the end of its MIB.
std::optional<Binding> Next(const SnmpAgent &agent, const Oid &oid) {
    const Oid &endless = mib::kAlertDescription.oid;
    if (agent.fault == SnmpFault::EndlessTable && (oid == endless || Inside(endless, oid))) {
        uint32_t row = oid.size() > endless.size() + 1 ? oid[endless.size() + 1] : 0;
        if (row < UINT32_MAX) {
            Oid next = endless;
            next.insert(next.end(), {1, row + 1});
            return Binding{next, Binding::Kind::OctetString, "endless row " + std::to_string(row + 1), 0, 0, {}};
        }
    }
    if (agent.fault == SnmpFault::OidNotIncreasing && Inside(kInputTable, oid) && oid.back() >= 2)
        if (const Binding *same = FindObject(agent.table, oid)) return *same;
    if (const Binding *next = FindNext(agent.table, oid)) return *next;
    return std::nullopt;
}

Binding Exception(const Oid &oid, Binding::Kind kind) { return {oid, kind, {}, 0, 0, {}}; }

void AnswerBulk(const SnmpAgent &agent, const Request &request, GetResponse &response) {
    size_t n = request.oids.size();
    size_t nonRepeaters = static_cast<size_t>(std::clamp<int64_t>(request.nonRepeaters, 0, static_cast<int64_t>(n)));
    size_t bytes = 0;
    auto add = [&](Binding b) {
        bytes += 2 * b.oid.size() + b.bytes.size() + 16;
        response.bindings.push_back(std::move(b));
        return bytes <= kAnswerBytes;
    };
    for (size_t i = 0; i < nonRepeaters; ++i)
        add(Next(agent, request.oids[i]).value_or(Exception(request.oids[i], Binding::Kind::EndOfMibView)));
    std::vector<Oid> cursors(request.oids.begin() + static_cast<ptrdiff_t>(nonRepeaters), request.oids.end());
    std::vector<bool> ended(cursors.size(), false);
    // Row by row; an answer may hold fewer rows than asked, and stops early
    // once every column is past the end.
    for (int32_t repetition = 0; repetition < request.maxRepetitions && !cursors.empty(); ++repetition) {
        bool allEnded = true;
        for (size_t j = 0; j < cursors.size(); ++j) {
            std::optional<Binding> next = ended[j] ? std::nullopt : Next(agent, cursors[j]);
            if (next) cursors[j] = next->oid;
            ended[j] = !next;
            allEnded = allEnded && ended[j];
            if (!add(next ? std::move(*next) : Exception(cursors[j], Binding::Kind::EndOfMibView))) return;
        }
        if (allEnded) return;
    }
}

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

std::vector<std::string> SnmpFaultNameList() {
    std::vector<std::string> names;
    for (const auto &[fault, text] : kFaults) names.push_back(text);
    return names;
}

std::string SnmpFaultNames() {
    std::string names;
    for (const std::string &name : SnmpFaultNameList()) names += (names.empty() ? "" : ", ") + name;
    return names;
}

std::optional<std::vector<uint8_t>> AnswerSnmpDatagram(std::span<const uint8_t> datagram, SnmpAgent &agent) {
    std::optional<Request> request = DecodeRequest(datagram);
    if (!request || (agent.community && request->community != *agent.community) || agent.fault == SnmpFault::Silent ||
        (agent.fault == SnmpFault::FallsSilent && agent.answered > 0))
        return std::nullopt;
    ++agent.answered;
    bool v2c = request->version == snmp::Version::V2c;
    GetResponse response{request->version, request->community, request->requestId, 0, 0, {}};
    if (request->kind == PduKind::GetBulk) {
        // RFC 3416: tooBig comes with an empty binding list.
        if (agent.fault == SnmpFault::TooBig && request->maxRepetitions > kTooBigAbove) response.errorStatus = kTooBig;
        else AnswerBulk(agent, *request, response);
    } else {
        for (size_t i = 0; i < request->oids.size() && response.errorStatus == 0; ++i) {
            const Oid &oid = request->oids[i];
            std::optional<Binding> found;
            if (request->kind == PduKind::GetNext) found = Next(agent, oid);
            else if (const Binding *object = FindObject(agent.table, oid)) found = *object;
            if (found) response.bindings.push_back(std::move(*found));
            else if (!v2c) response.errorStatus = kNoSuchName, response.errorIndex = static_cast<int32_t>(i + 1);
            else if (request->kind == PduKind::GetNext) response.bindings.push_back(Exception(oid, Binding::Kind::EndOfMibView));
            else response.bindings.push_back(Exception(oid, InKnownColumn(agent.table, oid) ? Binding::Kind::NoSuchInstance
                                                                                            : Binding::Kind::NoSuchObject));
        }
        // v1 has no exceptions: the whole request fails, its bindings echoed.
        if (response.errorStatus != 0) {
            response.bindings.clear();
            for (const Oid &oid : request->oids) response.bindings.push_back(Exception(oid, Binding::Kind::Null));
        }
    }
    if (agent.fault == SnmpFault::WrongRequestId) response.requestId ^= 0x5A5A;
    std::vector<uint8_t> bytes = EncodeGetResponse(response);
    if (agent.fault == SnmpFault::Truncated) bytes.resize(bytes.size() / 2);
    return bytes;
}

struct ResponderState : std::enable_shared_from_this<ResponderState> {
    ResponderState(boost::asio::io_context &io, const udp::endpoint &endpoint) : socket(io, endpoint) {}

    void Receive() {
        auto self = shared_from_this();
        socket.async_receive_from(boost::asio::buffer(buffer), from, [self](const boost::system::error_code &ec, size_t n) {
            if (ec == boost::asio::error::operation_aborted || !self->socket.is_open()) return;
            if (!ec) {
                auto answer = AnswerSnmpDatagram(std::span(self->buffer.data(), n), self->agent);
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
    SnmpAgent agent;
};

SnmpResponder::SnmpResponder(boost::asio::io_context &io, const udp::endpoint &endpoint, MibTable table,
                             SnmpFault fault, std::optional<std::string> community)
    : state_(std::make_shared<ResponderState>(io, endpoint)) {
    state_->agent = {std::move(table), std::move(community), fault, 0};
    state_->Receive();
}

SnmpResponder::~SnmpResponder() { Stop(); }

udp::endpoint SnmpResponder::endpoint() const { return state_->socket.local_endpoint(); }

void SnmpResponder::Stop() {
    boost::system::error_code ignored;
    state_->socket.close(ignored);
}

}  // namespace pathost::sim
