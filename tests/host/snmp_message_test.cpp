// The SNMP decoder against one good GetResponse and every way of spoiling it.
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
    list = w.Mark(), binding = w.Mark();
    w.Bytes(tag::kOid, p.oid);
    w.Bytes(p.valueTag, p.value);
    w.Raw(p.insideBinding);
    w.Wrap(tag::kSequence, binding);
    w.Wrap(tag::kSequence, list);
    w.Wrap(tag::kGetResponse, pdu);
    w.Wrap(tag::kSequence, message);
    w.Raw(p.afterMessage);
    return w.Take();
}

TEST(SnmpMessage, AGoodAnswerAndEveryWayOfSpoilingIt) {
    struct Case {
        std::string name;
        std::vector<uint8_t> datagram;
        Outcome outcome;
        std::string reason = {};
        Version version = Version::V2c;
    };
    std::vector<uint8_t> good = Build({});
    std::vector<Case> cases = {
        {"good", good, Outcome::Value},
        {"request id", Build({.requestId = 7}), Outcome::Stray, "request id 7"},
        {"community", Build({.community = "private"}), Outcome::Stray, "another community"},
        {"version", Build({.version = 0}), Outcome::Stray, "version 0"},
        {"noSuchName", Build({.version = 0, .errorStatus = 2, .valueTag = tag::kNull, .value = ""}),
         Outcome::ErrorStatus, "", Version::V1},
        {"noSuchObject", Build({.valueTag = tag::kNoSuchObject, .value = ""}), Outcome::NoSuchObject},
        {"noSuchInstance", Build({.valueTag = tag::kNoSuchInstance, .value = ""}), Outcome::NoSuchInstance},
        {"endOfMibView", Build({.valueTag = tag::kEndOfMibView, .value = ""}), Outcome::EndOfMibView},
        {"v2c exception in v1", Build({.version = 0, .valueTag = tag::kNoSuchObject, .value = ""}),
         Outcome::Malformed, "a v2c exception in a v1 answer", Version::V1},
        {"integer value", Build({.valueTag = tag::kInteger, .value = "\x01"}), Outcome::WrongType, "type 0x02"},
        {"after the message", Build({.afterMessage = std::string(1, '\0')}), Outcome::Malformed, "trailing bytes"},
        {"inside a binding", Build({.insideBinding = std::string("\x05\x00", 2)}), Outcome::Malformed,
         "trailing bytes after a variable binding's value"},
        {"another object", Build({.oid = "\x2B\x06\x01"}), Outcome::Malformed, "not asked for"},
        {"sub-identifier over 32 bits", Build({.oid = "\x2B\x90\x80\x80\x80\x01"}), Outcome::Malformed,
         "overflows 32 bits"},
        {"sub-identifier cut", Build({.oid = "\x2B\x86"}), Outcome::Malformed, "ends inside a sub-identifier"},
    };
    std::vector<uint8_t> longForm = good;  // the message's length in 5 bytes
    longForm.insert(longForm.begin() + 1, {0x85, 0, 0, 0, 0});
    cases.push_back({"5-byte length", longForm, Outcome::Malformed, "a length of more than 4 bytes"});
    std::vector<uint8_t> indefinite = good;
    indefinite[1] = 0x80;
    cases.push_back({"indefinite length", indefinite, Outcome::Malformed, "an indefinite length"});
    for (size_t n = 0; n < good.size(); ++n)
        cases.push_back({"cut at " + std::to_string(n), {good.begin(), good.begin() + n}, Outcome::Malformed});

    for (const Case &c : cases) {
        Response r = DecodeGetResponse(c.datagram, Sent(c.version));
        EXPECT_EQ(OutcomeName(r.outcome), std::string(OutcomeName(c.outcome))) << c.name << ": " << r.reason;
        EXPECT_NE(r.reason.find(c.reason), std::string::npos) << c.name << ": " << r.reason;
        EXPECT_EQ(r.values.size(), c.outcome == Outcome::Value ? 1u : 0u) << c.name;
        if (!r.values.empty()) EXPECT_EQ(r.values[0], kDeviceId);
        EXPECT_EQ(r.errorStatus, c.outcome == Outcome::ErrorStatus ? 2 : 0) << c.name;
    }
}

}  // namespace
}  // namespace pathost::snmp
