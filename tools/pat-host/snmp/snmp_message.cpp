#include "snmp/snmp_message.h"

#include <stdio.h>

#include <algorithm>

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

void WriteValue(BerWriter &w, const Binding &b) {
    using K = Binding::Kind;
    uint8_t t = static_cast<uint8_t>(b.kind);
    switch (b.kind) {
        case K::Integer: return w.Integer(static_cast<int32_t>(b.number));
        case K::OctetString: return w.Bytes(t, b.bytes);
        case K::IpAddress: return w.Bytes(t, b.bytes.substr(0, 4) + std::string(4 - std::min<size_t>(4, b.bytes.size()), '\0'));
        case K::ObjectId: return w.ObjectId(b.objectId);
        case K::Counter32:
        case K::Gauge32:
        case K::TimeTicks: return w.Unsigned(t, static_cast<uint32_t>(b.number));
        case K::Counter64: return w.Unsigned(t, b.counter64);
        case K::Null:
        case K::NoSuchObject:
        case K::NoSuchInstance:
        case K::EndOfMibView: return w.Bytes(t, {});
    }
}

// One value, typed and checked: empty when it is right, else what is wrong.
std::string ReadValue(const BerElement &value, Binding *b) {
    std::span<const uint8_t> c = value.content;
    auto wrong = [](const char *type, const char *problem) {
        return problem ? std::string(type) + " value " + problem : std::string();
    };
    b->kind = static_cast<Binding::Kind>(value.tag);
    uint64_t v = 0;
    int32_t integer = 0;
    switch (value.tag) {
        case tag::kInteger: {
            const char *problem = ReadInteger(c, &integer);
            b->number = integer;
            return wrong("an INTEGER", problem);
        }
        case tag::kOctetString: b->bytes = Text(c); return {};
        case tag::kIpAddress: b->bytes = Text(c); return wrong("an IpAddress", c.size() == 4 ? nullptr : "is not 4 bytes");
        case tag::kOid: return wrong("an OBJECT IDENTIFIER", ReadObjectId(c, &b->objectId));
        case tag::kCounter32:
        case tag::kGauge32:
        case tag::kTimeTicks: {
            const char *problem = ReadUnsigned(c, 5, &v);
            b->number = static_cast<int64_t>(v);
            return wrong(value.tag == tag::kCounter32 ? "a Counter32" : value.tag == tag::kGauge32 ? "a Gauge32" : "a TimeTicks", problem);
        }
        case tag::kCounter64: return wrong("a Counter64", ReadUnsigned(c, 9, &b->counter64));
        case tag::kNull: return c.empty() ? "" : "a NULL with content";
        case tag::kNoSuchObject:
        case tag::kNoSuchInstance:
        case tag::kEndOfMibView: return c.empty() ? "" : "an exception with content";
        default: {
            char name[48];
            snprintf(name, sizeof name, "a value of type 0x%02X, which SNMP does not have", value.tag);
            return name;
        }
    }
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
        WriteValue(w, b);
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
    return EncodeRequest({PduKind::Get, request.version, request.community, request.requestId, 0, 0, request.oids});
}

std::optional<GetRequest> DecodeGetRequest(std::span<const uint8_t> datagram) {
    std::optional<Request> request = DecodeRequest(datagram);
    if (!request || request->kind != PduKind::Get) return std::nullopt;
    return GetRequest{request->version, request->community, request->requestId, std::move(request->oids)};
}

const char *PduKindName(PduKind kind) {
    switch (kind) {
        case PduKind::Get: return "GetRequest";
        case PduKind::GetNext: return "GetNextRequest";
        case PduKind::GetBulk: return "GetBulkRequest";
    }
    return "?";
}

std::vector<uint8_t> EncodeRequest(const Request &request) {
    if (request.kind == PduKind::GetBulk && request.version != Version::V2c) return {};
    GetResponse m;
    m.version = request.version;
    m.community = request.community;
    m.requestId = request.requestId;
    if (request.kind == PduKind::GetBulk) m.errorStatus = request.nonRepeaters, m.errorIndex = request.maxRepetitions;
    for (const Oid &oid : request.oids) m.bindings.push_back({oid, Binding::Kind::Null, {}, 0, 0, {}});
    return Encode(static_cast<uint8_t>(request.kind), m);
}

std::optional<Request> DecodeRequest(std::span<const uint8_t> datagram) {
    Parsed p;
    std::string error;
    if (!Parse(datagram, &p, &error, [](const Parsed &p) { return !KnownVersion(p.version); }) ||
        !KnownVersion(p.version) || p.bindings.empty())
        return std::nullopt;
    if (p.pduTag != tag::kGetRequest && p.pduTag != tag::kGetNextRequest &&
        (p.pduTag != tag::kGetBulkRequest || p.version != static_cast<int32_t>(Version::V2c)))
        return std::nullopt;
    Request request;
    request.kind = static_cast<PduKind>(p.pduTag);
    request.version = static_cast<Version>(p.version);
    request.community = p.community;
    request.requestId = p.requestId;
    if (request.kind == PduKind::GetBulk) request.nonRepeaters = p.errorStatus, request.maxRepetitions = p.errorIndex;
    for (auto &[oid, value] : p.bindings) {
        if (value.tag != tag::kNull || !value.content.empty()) return std::nullopt;
        request.oids.push_back(oid);
    }
    return request;
}

size_t MaxBindings(const Request &sent) {
    size_t n = sent.oids.size();
    if (sent.kind != PduKind::GetBulk) return n;
    size_t r = static_cast<size_t>(std::clamp<int64_t>(sent.nonRepeaters, 0, static_cast<int64_t>(n)));
    // In 64 bits and saturated: with a 32-bit size_t, 3 names and 2^30 + 2^29
    // repetitions would wrap to a handful and refuse a good answer.
    uint64_t most = r + static_cast<uint64_t>(n - r) * static_cast<uint64_t>(std::max<int32_t>(sent.maxRepetitions, 0));
    return most > SIZE_MAX ? SIZE_MAX : static_cast<size_t>(most);
}

TypedResponse DecodeResponse(std::span<const uint8_t> datagram, const Request &sent) {
    TypedResponse r;
    Parsed p;
    auto notOurs = [&](const Parsed &p) {
        return p.version != static_cast<int32_t>(sent.version) || p.community != sent.community;
    };
    auto failed = [&r](Outcome outcome, std::string reason) {
        r.outcome = outcome;
        r.reason = std::move(reason);
        r.bindings.clear();
        return r;
    };
    if (!Parse(datagram, &p, &r.reason, notOurs)) return failed(Outcome::Malformed, r.reason);
    if (p.version != static_cast<int32_t>(sent.version)) return failed(Outcome::Stray, "version " + std::to_string(p.version));
    if (p.community != sent.community) return failed(Outcome::Stray, "another community");
    if (p.pduTag != tag::kGetResponse) return failed(Outcome::Stray, "not a GetResponse");
    if (p.requestId != sent.requestId) return failed(Outcome::Stray, "request id " + std::to_string(p.requestId));
    if (p.errorStatus < 0 || p.errorIndex < 0) return failed(Outcome::Malformed, "a negative error status or index");
    if (static_cast<size_t>(p.errorIndex) > sent.oids.size())
        return failed(Outcome::Malformed, "an error index past the names asked");
    size_t most = MaxBindings(sent);
    if (p.errorStatus == 0 && (sent.kind == PduKind::GetBulk ? p.bindings.size() > most : p.bindings.size() != most))
        return failed(Outcome::Malformed, std::to_string(p.bindings.size()) + " variable bindings for a " +
                                              PduKindName(sent.kind) + " that allows " + std::to_string(most));
    for (auto &[oid, value] : p.bindings) {
        Binding b;
        b.oid = std::move(oid);
        if (std::string wrong = ReadValue(value, &b); !wrong.empty()) return failed(Outcome::Malformed, wrong);
        if (sent.version == Version::V1 && value.tag >= tag::kNoSuchObject)
            return failed(Outcome::Malformed, "a v2c exception in a v1 answer");
        if (sent.version == Version::V1 && value.tag == tag::kCounter64)
            return failed(Outcome::Malformed, "a Counter64 in a v1 answer");
        r.bindings.push_back(std::move(b));
    }
    r.outcome = p.errorStatus != 0 ? Outcome::ErrorStatus : Outcome::Value;
    r.errorStatus = p.errorStatus;
    r.errorIndex = p.errorIndex;
    return r;
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
