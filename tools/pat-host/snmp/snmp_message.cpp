#include "snmp/snmp_message.h"

#include <stdio.h>

namespace pathost::snmp {

const char *VersionName(Version version) { return version == Version::V1 ? "1" : "2c"; }

const char *OutcomeName(Outcome outcome) {
    switch (outcome) {
        case Outcome::Value: return "value";
        case Outcome::Stray: return "stray";
        case Outcome::Malformed: return "malformed";
        case Outcome::ErrorStatus: return "error status";
        case Outcome::NoSuchObject: return "no such object";
        case Outcome::NoSuchInstance: return "no such instance";
        case Outcome::EndOfMibView: return "end of MIB view";
        case Outcome::WrongType: return "wrong type";
    }
    return "?";
}

namespace {

std::string_view Text(std::span<const uint8_t> bytes) {
    return {reinterpret_cast<const char *>(bytes.data()), bytes.size()};
}

struct Parsed {
    int32_t version = -1;
    std::string community;
    uint8_t pduTag = 0;
    int32_t requestId = 0, errorStatus = 0, errorIndex = 0;
    std::vector<std::pair<Oid, BerElement>> bindings;
};

// The message, its version and community. Stops after those two fields when
// `stop` says they are not the ones expected, so a datagram meant for someone
// else is never judged by a layout that is not its own.
template <typename Stop>
bool Parse(std::span<const uint8_t> datagram, Parsed *out, std::string *error, Stop stop) {
    BerReader top(datagram);
    BerElement message, community, pdu, list;
    top.Expect(tag::kSequence, &message, "the message");
    top.AtEnd("the message");
    BerReader m = top.Inside(message);
    m.Integer(&out->version, "the version");
    m.Expect(tag::kOctetString, &community, "the community");
    if (!top.ok()) return *error = top.error(), false;
    out->community = Text(community.content);
    if (stop(*out)) return true;
    m.Next(&pdu);
    m.AtEnd("the PDU");
    out->pduTag = pdu.tag;
    BerReader p = m.Inside(pdu);
    p.Integer(&out->requestId, "the request id");
    p.Integer(&out->errorStatus, "the error status");
    p.Integer(&out->errorIndex, "the error index");
    p.Expect(tag::kSequence, &list, "the variable bindings");
    p.AtEnd("the variable bindings");
    BerReader l = p.Inside(list);
    while (top.ok() && !l.empty()) {
        BerElement binding, value;
        Oid name;
        l.Expect(tag::kSequence, &binding, "a variable binding");
        BerReader b = l.Inside(binding);
        b.ObjectId(&name, "a variable binding's name");
        b.Next(&value);
        b.AtEnd("a variable binding's value");
        out->bindings.emplace_back(std::move(name), value);
    }
    if (!top.ok()) return *error = top.error(), false;
    return true;
}

Response Malformed(std::string reason) {
    Response r;
    r.outcome = Outcome::Malformed;
    r.reason = std::move(reason);
    return r;
}

Response Stray(std::string reason) {
    Response r;
    r.outcome = Outcome::Stray;
    r.reason = std::move(reason);
    return r;
}

std::vector<uint8_t> Encode(uint8_t pduTag, const GetResponse &m) {
    BerWriter w;
    size_t message = w.Mark();
    w.Integer(static_cast<int32_t>(m.version));
    w.Bytes(tag::kOctetString, m.community);
    size_t pdu = w.Mark();
    w.Integer(m.requestId);
    w.Integer(m.errorStatus);
    w.Integer(m.errorIndex);
    size_t list = w.Mark();
    for (const Binding &b : m.bindings) {
        size_t binding = w.Mark();
        w.ObjectId(b.oid);
        w.Bytes(static_cast<uint8_t>(b.kind), b.kind == Binding::Kind::OctetString ? b.bytes : std::string());
        w.Wrap(tag::kSequence, binding);
    }
    w.Wrap(tag::kSequence, list);
    w.Wrap(pduTag, pdu);
    w.Wrap(tag::kSequence, message);
    return w.Take();
}

bool KnownVersion(int32_t v) { return v == 0 || v == 1; }

}  // namespace

std::vector<uint8_t> EncodeGetResponse(const GetResponse &response) { return Encode(tag::kGetResponse, response); }

std::vector<uint8_t> EncodeGetRequest(const GetRequest &request) {
    GetResponse m;
    m.version = request.version;
    m.community = request.community;
    m.requestId = request.requestId;
    for (const Oid &oid : request.oids) m.bindings.push_back({oid, Binding::Kind::Null, {}});
    return Encode(tag::kGetRequest, m);
}

std::optional<GetRequest> DecodeGetRequest(std::span<const uint8_t> datagram) {
    Parsed p;
    std::string error;
    if (!Parse(datagram, &p, &error, [](const Parsed &p) { return !KnownVersion(p.version); }) ||
        !KnownVersion(p.version) || p.pduTag != tag::kGetRequest || p.bindings.empty())
        return std::nullopt;
    GetRequest request{static_cast<Version>(p.version), p.community, p.requestId, {}};
    for (auto &[oid, value] : p.bindings) {
        if (value.tag != tag::kNull || !value.content.empty()) return std::nullopt;
        request.oids.push_back(oid);
    }
    return request;
}

Response DecodeGetResponse(std::span<const uint8_t> datagram, const GetRequest &sent) {
    Parsed p;
    std::string error;
    auto notOurs = [&](const Parsed &p) {
        return p.version != static_cast<int32_t>(sent.version) || p.community != sent.community;
    };
    if (!Parse(datagram, &p, &error, notOurs)) return Malformed(error);
    if (p.version != static_cast<int32_t>(sent.version)) return Stray("version " + std::to_string(p.version));
    if (p.community != sent.community) return Stray("another community");
    if (p.pduTag != tag::kGetResponse) return Stray("not a GetResponse");
    if (p.requestId != sent.requestId) return Stray("request id " + std::to_string(p.requestId));
    if (p.errorStatus < 0 || p.errorIndex < 0) return Malformed("a negative error status or index");
    Response r;
    if (p.errorStatus != 0) {
        r.outcome = Outcome::ErrorStatus;
        r.errorStatus = p.errorStatus;
        r.errorIndex = p.errorIndex;
        r.index = p.errorIndex > 0 ? static_cast<size_t>(p.errorIndex - 1) : 0;
        return r;
    }
    if (p.bindings.size() != sent.oids.size())
        return Malformed(std::to_string(p.bindings.size()) + " variable bindings for " +
                         std::to_string(sent.oids.size()) + " objects asked");
    for (size_t i = 0; i < p.bindings.size(); ++i)
        if (p.bindings[i].first != sent.oids[i]) return Malformed("a variable binding names an object not asked for");
    r.outcome = Outcome::Value;
    for (size_t i = 0; i < p.bindings.size(); ++i) {
        const BerElement &value = p.bindings[i].second;
        Outcome exception = value.tag == tag::kNoSuchObject     ? Outcome::NoSuchObject
                            : value.tag == tag::kNoSuchInstance ? Outcome::NoSuchInstance
                            : value.tag == tag::kEndOfMibView   ? Outcome::EndOfMibView
                                                                : Outcome::Value;
        if (exception != Outcome::Value) {
            if (sent.version == Version::V1) return Malformed("a v2c exception in a v1 answer");
            if (!value.content.empty()) return Malformed("an exception with content");
            if (r.outcome == Outcome::Value) r.outcome = exception, r.index = i;
        } else if (value.tag != tag::kOctetString) {
            if (r.outcome == Outcome::Value) {
                char name[48];
                snprintf(name, sizeof name, "a value of type 0x%02X, not an OCTET STRING", value.tag);
                r.outcome = Outcome::WrongType, r.index = i, r.reason = name;
            }
        } else {
            r.values.emplace_back(Text(value.content));
        }
    }
    if (r.outcome != Outcome::Value) r.values.clear();
    return r;
}

}  // namespace pathost::snmp
