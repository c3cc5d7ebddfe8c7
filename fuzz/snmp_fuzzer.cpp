// The SNMP codec on arbitrary datagrams: the GetResponse decoders against the
// requests the client sends (device ID: Get, v1 and v2c, one object and two;
// walk: GetNext v1 and v2c, GetBulk v2c), the request decoder and the
// simulated agent's answer from the Printer MIB. Besides memory safety: a
// value comes with one string per object asked; what a decoder accepts
// encodes back to the same reading; the agent's answer to any request it
// takes is a well-formed answer to that request, each row after the name
// asked.
#include <stdlib.h>

#include "simulator/snmp_responder.h"
#include "snmp/printer_mib_oids.h"
#include "snmp/snmp_device_id.h"
#include "snmp/snmp_message.h"

using namespace pathost::snmp;
using pathost::sim::SnmpFault;

namespace {

void Require(bool condition) {
    if (!condition) abort();
}

// The request id and community of the seeds' requests.
constexpr int32_t kRequestId = 0x2A2A2A2A;

std::vector<GetRequest> Requests() {
    const std::vector<Oid> &objects = DeviceIdObjects();
    std::vector<GetRequest> requests;
    for (Version version : {Version::V1, Version::V2c}) {
        requests.push_back({version, "public", kRequestId, {objects[0]}});
        requests.push_back({version, "public", kRequestId, {objects[0], objects[3]}});
    }
    return requests;
}

// A walk's requests, as the seeds' walk answers were asked: one column and
// three, GetNext with either version, GetBulk with 4 and 20 repetitions.
std::vector<Request> WalkRequests() {
    std::vector<Oid> one = {mib::kSupplyDescription.oid};
    std::vector<Oid> three = {mib::kMemorySize.oid, mib::kSupplyLevel.oid, mib::kAlertCode.oid};
    std::vector<Request> requests;
    for (const std::vector<Oid> &oids : {one, three}) {
        for (Version version : {Version::V1, Version::V2c})
            requests.push_back({PduKind::GetNext, version, "public", kRequestId, 0, 0, oids});
        for (int32_t repetitions : {4, 20})
            requests.push_back({PduKind::GetBulk, Version::V2c, "public", kRequestId, 0, repetitions, oids});
    }
    return requests;
}

void CheckResponse(std::span<const uint8_t> datagram, const GetRequest &sent) {
    Response r = DecodeGetResponse(datagram, sent);
    Require((r.outcome == Outcome::Value) == (r.values.size() == sent.oids.size()));
    Require(r.outcome == Outcome::Value || r.values.empty());
    Require((r.outcome != Outcome::Malformed && r.outcome != Outcome::Stray) || !r.reason.empty());
    if (r.outcome != Outcome::Value) return;
    GetResponse again{sent.version, sent.community, sent.requestId, 0, 0, {}};
    for (size_t i = 0; i < sent.oids.size(); ++i)
        again.bindings.push_back({sent.oids[i], Binding::Kind::OctetString, r.values[i]});
    Response reread = DecodeGetResponse(EncodeGetResponse(again), sent);
    Require(reread.outcome == Outcome::Value && reread.values == r.values);
}

bool IsException(Binding::Kind kind) {
    return kind == Binding::Kind::NoSuchObject || kind == Binding::Kind::NoSuchInstance ||
           kind == Binding::Kind::EndOfMibView;
}

// The typed reading's promises, and its round trip through the encoder.
TypedResponse CheckTyped(std::span<const uint8_t> datagram, const Request &sent) {
    TypedResponse r = DecodeResponse(datagram, sent);
    bool read = r.outcome == Outcome::Value || r.outcome == Outcome::ErrorStatus;
    Require(read || r.outcome == Outcome::Stray || r.outcome == Outcome::Malformed);
    Require(read ? r.reason.empty() : !r.reason.empty() && r.bindings.empty());
    if (!read) return r;
    Require((r.errorStatus != 0) == (r.outcome == Outcome::ErrorStatus));
    Require(r.errorIndex >= 0 && static_cast<size_t>(r.errorIndex) <= sent.oids.size());
    if (r.outcome == Outcome::Value)
        Require(sent.kind == PduKind::GetBulk ? r.bindings.size() <= MaxBindings(sent) : r.bindings.size() == sent.oids.size());
    for (const Binding &b : r.bindings) {
        if (sent.version == Version::V1) Require(!IsException(b.kind) && b.kind != Binding::Kind::Counter64);
        if (b.kind == Binding::Kind::IpAddress) Require(b.bytes.size() == 4);
        if (b.kind == Binding::Kind::Counter32 || b.kind == Binding::Kind::Gauge32 || b.kind == Binding::Kind::TimeTicks)
            Require(b.number >= 0 && b.number <= UINT32_MAX);
        if (b.kind == Binding::Kind::Integer) Require(b.number >= INT32_MIN && b.number <= INT32_MAX);
    }
    TypedResponse reread =
        DecodeResponse(EncodeGetResponse({sent.version, sent.community, sent.requestId, r.errorStatus, r.errorIndex, r.bindings}), sent);
    Require(reread.outcome == r.outcome && reread.bindings == r.bindings && reread.errorStatus == r.errorStatus &&
            reread.errorIndex == r.errorIndex);
    return r;
}

// The agent's answer to a request it took: read as an answer to that
// request, never malformed; without a fault, each GetNext and GetBulk row
// comes after the name it answers (GetBulk: the row before it in its column).
void CheckAgent(std::span<const uint8_t> datagram, const Request &request) {
    static const pathost::sim::MibTable table = pathost::sim::PrinterMibTable(pathost::sim::DefaultProfile());
    for (SnmpFault fault : {SnmpFault::None, SnmpFault::OidNotIncreasing, SnmpFault::EndlessTable, SnmpFault::TooBig}) {
        pathost::sim::SnmpAgent agent{table, std::nullopt, fault, 0};
        auto answer = pathost::sim::AnswerSnmpDatagram(datagram, agent);
        Require(answer.has_value() && agent.answered == 1);
        TypedResponse r = CheckTyped(*answer, request);
        Require(r.outcome == Outcome::Value || r.outcome == Outcome::ErrorStatus);
        if (fault != SnmpFault::None || r.outcome != Outcome::Value || request.kind == PduKind::Get) continue;
        // Bindings: the non-repeaters once each, then the other names row by row.
        size_t n = request.oids.size();
        size_t single = static_cast<size_t>(std::clamp<int64_t>(request.nonRepeaters, 0, static_cast<int64_t>(n)));
        std::vector<Oid> after = request.oids;
        for (size_t j = 0; j < r.bindings.size(); ++j) {
            size_t column = j < single ? j : single + (j - single) % (n - single);
            const Binding &b = r.bindings[j];
            if (b.kind == Binding::Kind::EndOfMibView) continue;
            Require(request.version == Version::V2c || !IsException(b.kind));
            Require(after[column] < b.oid);
            after[column] = b.oid;
        }
    }
    pathost::sim::SnmpAgent silent{table, std::nullopt, SnmpFault::Silent, 0};
    Require(!pathost::sim::AnswerSnmpDatagram(datagram, silent).has_value());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const std::vector<GetRequest> requests = Requests();
    static const std::vector<Request> walks = WalkRequests();
    std::span<const uint8_t> datagram(data, size);
    for (const GetRequest &sent : requests) CheckResponse(datagram, sent);
    for (const Request &sent : walks) CheckTyped(datagram, sent);

    std::optional<Request> request = DecodeRequest(datagram);
    Require(DecodeGetRequest(datagram).has_value() == (request && request->kind == PduKind::Get));
    if (!request) return 0;
    Require(!request->oids.empty() && (request->kind != PduKind::GetBulk || request->version == Version::V2c));
    std::optional<Request> reread = DecodeRequest(EncodeRequest(*request));
    Require(reread && reread->kind == request->kind && reread->version == request->version &&
            reread->community == request->community && reread->requestId == request->requestId &&
            reread->nonRepeaters == request->nonRepeaters && reread->maxRepetitions == request->maxRepetitions &&
            reread->oids == request->oids);
    CheckAgent(datagram, *request);
    return 0;
}
