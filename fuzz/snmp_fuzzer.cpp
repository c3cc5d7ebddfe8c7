// The SNMP codec on arbitrary datagrams: the GetResponse decoder against the
// requests the client sends (v1 and v2c, one object and two), the GetRequest
// decoder and the simulated agent's answer. Besides memory safety: a value
// comes with one string per object asked; what the decoder accepts encodes
// back to the same reading; the agent's answer to any request it takes is a
// well-formed answer to that request.
#include <stdlib.h>

#include "simulator/snmp_responder.h"
#include "snmp/snmp_device_id.h"
#include "snmp/snmp_message.h"

using namespace pathost::snmp;

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const std::vector<GetRequest> requests = Requests();
    std::span<const uint8_t> datagram(data, size);
    for (const GetRequest &sent : requests) CheckResponse(datagram, sent);

    std::optional<GetRequest> request = DecodeGetRequest(datagram);
    if (!request) return 0;
    std::optional<GetRequest> reread = DecodeGetRequest(EncodeGetRequest(*request));
    Require(reread && reread->version == request->version && reread->community == request->community &&
            reread->requestId == request->requestId && reread->oids == request->oids);
    auto answer = pathost::sim::AnswerSnmpDatagram(datagram, "MFG:Acme;MDL:Fuzz;", std::nullopt,
                                                   pathost::sim::SnmpFault::None);
    Require(answer.has_value());
    Outcome outcome = DecodeGetResponse(*answer, *request).outcome;
    Require(outcome == Outcome::Value || outcome == Outcome::NoSuchObject || outcome == Outcome::ErrorStatus);
    return 0;
}
