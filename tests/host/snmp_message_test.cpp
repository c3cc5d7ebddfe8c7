// The SNMP decoders against one good GetResponse and every way of spoiling
// it: the device-ID reader (Get) and the typed reader of a walk (GetNext,
// GetBulk), each value type well-formed and each of its wrong encodings.
#include <gtest/gtest.h>

#include "snmp/snmp_device_id.h"
#include "snmp/snmp_message.h"

namespace pathost::snmp {
namespace {

const std::string kDeviceId = "MFG:Acme;CMD:PJL,PCL;MDL:Model 1;";
const std::string kOidBytes = "\x2B\x06\x01\x04\x01\x95\x0B\x01\x02\x01\x02\x01\x01\x03\x01";  // ppm...DeviceId.1

GetRequest Sent(Version version = Version::V2c) { return {version, "public", 0x1234567, {DeviceIdObjects()[0]}}; }

// A GetResponse written element by element, so that any part can be spoiled.
struct Parts {
    int version = 1;
    std::string community = "public";
    int32_t requestId = 0x1234567, errorStatus = 0;
    uint8_t valueTag = tag::kOctetString;
    std::string value = kDeviceId, oid = kOidBytes, insideBinding = {}, afterMessage = {};
    int copies = 1;  // of the binding
};

std::vector<uint8_t> Build(const Parts &p) {
    BerWriter w;
    size_t message = w.Mark();
    w.Integer(p.version);
    w.Bytes(tag::kOctetString, p.community);
    size_t pdu = w.Mark(), list, binding;
    w.Integer(p.requestId);
    w.Integer(p.errorStatus);
    w.Integer(p.errorStatus ? 1 : 0);
    list = w.Mark();
    for (int i = 0; i < p.copies; ++i) {
        binding = w.Mark();
        w.Bytes(tag::kOid, p.oid);
        w.Bytes(p.valueTag, p.value);
        w.Raw(p.insideBinding);
        w.Wrap(tag::kSequence, binding);
    }
    w.Wrap(tag::kSequence, list);
    w.Wrap(tag::kGetResponse, pdu);
    w.Wrap(tag::kSequence, message);
    w.Raw(p.afterMessage);
    return w.Take();
}

using K = Binding::Kind;
constexpr PduKind kGet = PduKind::Get, kNext = PduKind::GetNext, kBulk = PduKind::GetBulk;
constexpr Version kV1 = Version::V1, kV2c = Version::V2c;
std::string Bytes(std::initializer_list<uint8_t> b) { return {b.begin(), b.end()}; }

TEST(SnmpMessage, AGoodAnswerAndEveryWayOfSpoilingIt) {
    // Get rows are read as a device ID; GetNext and GetBulk rows typed, a
    // Value row's first binding compared with `value` (its name the one asked).
    struct Case {
        std::string name;
        std::vector<uint8_t> datagram;
        Outcome outcome;
        std::string reason = {};
        Version version = kV2c;
        PduKind kind = kGet;
        Binding value = {};
    };
    auto typed = [](uint8_t t, std::string v, int version = 1) { return Build({.version = version, .valueTag = t, .value = v}); };
    std::vector<uint8_t> good = Build({});
    const std::string u32max = Bytes({0, 0xFF, 0xFF, 0xFF, 0xFF}), u64max = Bytes({0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    std::vector<Case> cases = {
        {"good", good, Outcome::Value},
        {"request id", Build({.requestId = 7}), Outcome::Stray, "request id 7"},
        {"community", Build({.community = "private"}), Outcome::Stray, "another community"},
        {"version", Build({.version = 0}), Outcome::Stray, "version 0"},
        {"noSuchName", Build({.version = 0, .errorStatus = 2, .valueTag = tag::kNull, .value = ""}),
         Outcome::ErrorStatus, "", kV1},
        {"noSuchObject", Build({.valueTag = tag::kNoSuchObject, .value = ""}), Outcome::NoSuchObject},
        {"noSuchInstance", Build({.valueTag = tag::kNoSuchInstance, .value = ""}), Outcome::NoSuchInstance},
        {"endOfMibView", Build({.valueTag = tag::kEndOfMibView, .value = ""}), Outcome::EndOfMibView},
        {"v2c exception in v1", Build({.version = 0, .valueTag = tag::kNoSuchObject, .value = ""}),
         Outcome::Malformed, "a v2c exception in a v1 answer", kV1},
        {"integer value", Build({.valueTag = tag::kInteger, .value = "\x01"}), Outcome::WrongType, "type 0x02"},
        {"after the message", Build({.afterMessage = std::string(1, '\0')}), Outcome::Malformed, "trailing bytes"},
        {"inside a binding", Build({.insideBinding = std::string("\x05\x00", 2)}), Outcome::Malformed,
         "trailing bytes after a variable binding's value"},
        {"another object", Build({.oid = "\x2B\x06\x01"}), Outcome::Malformed, "not asked for"},
        {"sub-identifier over 32 bits", Build({.oid = "\x2B\x90\x80\x80\x80\x01"}), Outcome::Malformed,
         "overflows 32 bits"},
        {"sub-identifier cut", Build({.oid = "\x2B\x86"}), Outcome::Malformed, "ends inside a sub-identifier"},
        // Typed values, well-formed.
        {"string", good, Outcome::Value, "", kV2c, kNext, {.kind = K::OctetString, .bytes = kDeviceId}},
        {"INTEGER -5", typed(tag::kInteger, "\xFB"), Outcome::Value, "", kV2c, kNext, {.kind = K::Integer, .number = -5}},
        {"INTEGER min", typed(tag::kInteger, Bytes({0x80, 0, 0, 0}), 0), Outcome::Value, "", kV1, kNext,
         {.kind = K::Integer, .number = INT32_MIN}},
        {"Counter32 max", typed(tag::kCounter32, u32max), Outcome::Value, "", kV2c, kBulk,
         {.kind = K::Counter32, .number = UINT32_MAX}},
        {"Gauge32", typed(tag::kGauge32, "\x64", 0), Outcome::Value, "", kV1, kNext, {.kind = K::Gauge32, .number = 100}},
        {"TimeTicks 128", typed(tag::kTimeTicks, Bytes({0, 0x80})), Outcome::Value, "", kV2c, kNext,
         {.kind = K::TimeTicks, .number = 128}},
        {"Counter64 max", typed(tag::kCounter64, u64max), Outcome::Value, "", kV2c, kBulk,
         {.kind = K::Counter64, .counter64 = UINT64_MAX}},
        {"OID", typed(tag::kOid, "\x2B\x06\x01\x8F\x7F"), Outcome::Value, "", kV2c, kNext,
         {.kind = K::ObjectId, .objectId = {1, 3, 6, 1, 2047}}},
        {"IpAddress", typed(tag::kIpAddress, Bytes({127, 0, 0, 1}), 0), Outcome::Value, "", kV1, kNext,
         {.kind = K::IpAddress, .bytes = Bytes({127, 0, 0, 1})}},
        {"NULL", typed(tag::kNull, ""), Outcome::Value, "", kV2c, kNext, {.kind = K::Null}},
        {"endOfMibView typed", typed(tag::kEndOfMibView, ""), Outcome::Value, "", kV2c, kBulk, {.kind = K::EndOfMibView}},
        {"GetBulk up to its most", Build({.copies = 2}), Outcome::Value, "", kV2c, kBulk,
         {.kind = K::OctetString, .bytes = kDeviceId}},
        {"v1 noSuchName typed", Build({.version = 0, .errorStatus = 2, .valueTag = tag::kNull, .value = ""}),
         Outcome::ErrorStatus, "", kV1, kNext},
        // Typed values, each wrong encoding.
        {"INTEGER of 5 bytes", typed(tag::kInteger, Bytes({0, 0x80, 0, 0, 0})), Outcome::Malformed,
         "not a 32-bit integer", kV2c, kNext},
        {"INTEGER 00 01", typed(tag::kInteger, Bytes({0, 1})), Outcome::Malformed, "not minimally encoded", kV2c, kNext},
        {"INTEGER FF 80", typed(tag::kInteger, Bytes({0xFF, 0x80})), Outcome::Malformed, "not minimally encoded", kV2c, kBulk},
        {"INTEGER empty", typed(tag::kInteger, ""), Outcome::Malformed, "not a 32-bit integer", kV2c, kNext},
        {"Counter32 2^32", typed(tag::kCounter32, Bytes({1, 0, 0, 0, 0})), Outcome::Malformed, "does not fit", kV2c, kNext},
        {"Counter32 negative", typed(tag::kCounter32, "\xFF"), Outcome::Malformed, "a Counter32 value is negative", kV2c, kNext},
        {"Gauge32 of 6 bytes", typed(tag::kGauge32, Bytes({0, 0, 0, 0, 0, 1})), Outcome::Malformed, "wrong length", kV2c, kNext},
        {"TimeTicks 00 7F", typed(tag::kTimeTicks, Bytes({0, 0x7F})), Outcome::Malformed, "not minimally", kV2c, kNext},
        {"Counter64 2^64", typed(tag::kCounter64, Bytes({1, 0, 0, 0, 0, 0, 0, 0, 0})), Outcome::Malformed, "does not fit",
         kV2c, kBulk},
        {"Counter64 in v1", typed(tag::kCounter64, "\x01", 0), Outcome::Malformed, "a Counter64 in a v1 answer", kV1, kNext},
        {"IpAddress of 3 bytes", typed(tag::kIpAddress, Bytes({10, 0, 0})), Outcome::Malformed, "not 4 bytes", kV2c, kNext},
        {"IpAddress of 5 bytes", typed(tag::kIpAddress, Bytes({10, 0, 0, 1, 2}), 0), Outcome::Malformed, "not 4 bytes", kV1, kNext},
        {"NULL with a length", typed(tag::kNull, std::string(1, '\0')), Outcome::Malformed, "a NULL with content", kV2c, kNext},
        {"exception with content", typed(tag::kNoSuchInstance, "\x01"), Outcome::Malformed, "exception with content", kV2c, kNext},
        {"OID empty", typed(tag::kOid, ""), Outcome::Malformed, "OBJECT IDENTIFIER value is empty", kV2c, kNext},
        {"OID leading 0x80", typed(tag::kOid, "\x2B\x80\x01"), Outcome::Malformed, "leading zero byte", kV2c, kNext},
        {"OID cut", typed(tag::kOid, "\x2B\x86"), Outcome::Malformed, "ends inside", kV2c, kBulk},
        {"unknown type", typed(0x47, "\x01"), Outcome::Malformed, "type 0x47, which SNMP does not have", kV2c, kNext},
        {"v2c exception in a v1 walk", typed(tag::kEndOfMibView, "", 0), Outcome::Malformed, "a v2c exception in a v1 answer",
         kV1, kNext},
        {"GetBulk past its most", Build({.copies = 3}), Outcome::Malformed, "3 variable bindings for a GetBulkRequest that allows 2",
         kV2c, kBulk},
        {"GetNext of two", Build({.copies = 2}), Outcome::Malformed, "2 variable bindings for a GetNextRequest that allows 1",
         kV2c, kNext},
        {"typed request id", Build({.requestId = 7}), Outcome::Stray, "request id 7", kV2c, kBulk},
        {"typed inside a binding", Build({.insideBinding = std::string("\x05\x00", 2)}), Outcome::Malformed, "trailing bytes",
         kV2c, kNext},
    };
    std::vector<uint8_t> longForm = good;  // the message's length in 5 bytes
    longForm.insert(longForm.begin() + 1, {0x85, 0, 0, 0, 0});
    cases.push_back({"5-byte length", longForm, Outcome::Malformed, "a length of more than 4 bytes"});
    std::vector<uint8_t> indefinite = good;
    indefinite[1] = 0x80;
    cases.push_back({"indefinite length", indefinite, Outcome::Malformed, "an indefinite length"});
    for (size_t n = 0; n < good.size(); ++n)
        for (PduKind kind : {kGet, kBulk})
            cases.push_back({"cut at " + std::to_string(n), {good.begin(), good.begin() + n}, Outcome::Malformed, "", kV2c, kind});

    for (const Case &c : cases) {
        std::string name = c.name + " (" + PduKindName(c.kind) + ")";
        if (c.kind == kGet) {
            Response r = DecodeGetResponse(c.datagram, Sent(c.version));
            EXPECT_EQ(OutcomeName(r.outcome), std::string(OutcomeName(c.outcome))) << name << ": " << r.reason;
            EXPECT_NE(r.reason.find(c.reason), std::string::npos) << name << ": " << r.reason;
            EXPECT_EQ(r.values.size(), c.outcome == Outcome::Value ? 1u : 0u) << name;
            if (!r.values.empty()) EXPECT_EQ(r.values[0], kDeviceId);
            EXPECT_EQ(r.errorStatus, c.outcome == Outcome::ErrorStatus ? 2 : 0) << name;
            continue;
        }
        Request sent{c.kind, c.version, "public", 0x1234567, 0, c.kind == kBulk ? 2 : 0, {DeviceIdObjects()[0]}};
        TypedResponse r = DecodeResponse(c.datagram, sent);
        EXPECT_EQ(OutcomeName(r.outcome), std::string(OutcomeName(c.outcome))) << name << ": " << r.reason;
        EXPECT_NE(r.reason.find(c.reason), std::string::npos) << name << ": " << r.reason;
        EXPECT_EQ(r.errorStatus, c.outcome == Outcome::ErrorStatus ? 2 : 0) << name;
        if (c.outcome != Outcome::Value) {
            EXPECT_EQ(r.bindings.size(), c.outcome == Outcome::ErrorStatus ? 1u : 0u) << name;
            continue;
        }
        Binding expected = c.value;
        expected.oid = DeviceIdObjects()[0];
        ASSERT_FALSE(r.bindings.empty()) << name;
        EXPECT_TRUE(r.bindings[0] == expected) << name << ": kind " << int(r.bindings[0].kind) << ", number "
                                               << r.bindings[0].number << ", bytes " << r.bindings[0].bytes;
        // What was read writes back as the same bytes.
        EXPECT_EQ(EncodeGetResponse({c.version, "public", 0x1234567, 0, 0, r.bindings}), c.datagram) << name;
    }
}

// The agent answers such a GetBulk with the rows that fit one datagram; on
// i386 the limit once wrapped to 2 and refused that answer.
TEST(SnmpMessage, MaxBindingsOfAHugeGetBulkDoesNotWrap) {
    Request bulk{kBulk, kV2c, "public", 1, 0, 1431655766, {{1, 3, 6}, {1, 3, 7}, {1, 3, 8}}};
    EXPECT_EQ(MaxBindings(bulk), static_cast<size_t>(std::min<uint64_t>(SIZE_MAX, 3ull * 1431655766)));
    bulk.nonRepeaters = 5;  // clamped to the names asked
    EXPECT_EQ(MaxBindings(bulk), 3u);
}

}  // namespace
}  // namespace pathost::snmp
