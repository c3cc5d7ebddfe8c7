// SNMPv1/v2c messages as pat-host uses them: the GetRequest it sends for a
// device ID and the GetNext and GetBulk requests of a walk, and a strict
// reading of the GetResponse that comes back, checked against the request it
// answers. The decoder never reads outside the datagram and never throws;
// every way an answer can fail is one outcome.
#ifndef PAT_HOST_SNMP_SNMP_MESSAGE_H
#define PAT_HOST_SNMP_SNMP_MESSAGE_H

#include <stdint.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "snmp/ber.h"

namespace pathost::snmp {

// The wire values of the version field.
enum class Version : int32_t { V1 = 0, V2c = 1 };
const char *VersionName(Version version);  // "1", "2c"

struct GetRequest {
    Version version = Version::V2c;
    std::string community = "public";
    int32_t requestId = 0;
    std::vector<Oid> oids;
};

std::vector<uint8_t> EncodeGetRequest(const GetRequest &request);
// For the simulator: a GetRequest of either version, read as strictly as a
// response; nullopt for anything else (an agent drops what it cannot read).
std::optional<GetRequest> DecodeGetRequest(std::span<const uint8_t> datagram);

enum class Outcome {
    Value,           // every object asked for is an OCTET STRING: values
    Stray,           // another version, community or request id: not ours, ignore it
    Malformed,       // reason says what
    ErrorStatus,     // the agent refused the request (v1 noSuchName is 2)
    NoSuchObject,    // v2c exceptions, at object `index`: try the next object
    NoSuchInstance,
    EndOfMibView,
    WrongType,       // object `index` is not an OCTET STRING (reason names the tag)
};
const char *OutcomeName(Outcome outcome);

struct Response {
    Outcome outcome = Outcome::Malformed;
    std::vector<std::string> values;  // one per object asked, in order
    std::string reason;
    int32_t errorStatus = 0;
    int32_t errorIndex = 0;
    size_t index = 0;
};

Response DecodeGetResponse(std::span<const uint8_t> datagram, const GetRequest &sent);

// One variable binding: its name and a value of any type an agent answers.
struct Binding {
    enum class Kind : uint8_t {
        Integer = tag::kInteger,
        OctetString = tag::kOctetString,
        Null = tag::kNull,  // what a request carries, and a v1 agent echoes beside an error status
        ObjectId = tag::kOid,
        IpAddress = tag::kIpAddress,
        Counter32 = tag::kCounter32,
        Gauge32 = tag::kGauge32,
        TimeTicks = tag::kTimeTicks,
        Counter64 = tag::kCounter64,
        NoSuchObject = tag::kNoSuchObject,
        NoSuchInstance = tag::kNoSuchInstance,
        EndOfMibView = tag::kEndOfMibView,
    };
    Oid oid;
    Kind kind = Kind::Null;
    std::string bytes;      // OctetString; IpAddress: its four bytes
    int64_t number = 0;     // Integer (32-bit signed); Counter32, Gauge32, TimeTicks (32-bit unsigned)
    uint64_t counter64 = 0; // Counter64
    Oid objectId;           // ObjectId
    bool operator==(const Binding &) const = default;
};

struct GetResponse {
    Version version = Version::V2c;
    std::string community;
    int32_t requestId = 0;
    int32_t errorStatus = 0;
    int32_t errorIndex = 0;
    std::vector<Binding> bindings;
};

std::vector<uint8_t> EncodeGetResponse(const GetResponse &response);

// Any request pat-host sends or its simulated agent reads.
enum class PduKind : uint8_t { Get = tag::kGetRequest, GetNext = tag::kGetNextRequest, GetBulk = tag::kGetBulkRequest };
const char *PduKindName(PduKind kind);  // "GetRequest", "GetNextRequest", "GetBulkRequest"

struct Request {
    PduKind kind = PduKind::Get;
    Version version = Version::V2c;
    std::string community = "public";
    int32_t requestId = 0;
    // GetBulk (v2c only): they travel in the error status and index fields.
    int32_t nonRepeaters = 0;
    int32_t maxRepetitions = 0;
    std::vector<Oid> oids;
};

// A GetBulk with v1 is not a request: it encodes as nothing.
std::vector<uint8_t> EncodeRequest(const Request &request);
// For the simulator: any of the three, either version (GetBulk v2c only),
// every value NULL; nullopt for anything else.
std::optional<Request> DecodeRequest(std::span<const uint8_t> datagram);

// The most variable bindings an answer to `sent` may hold: as many as asked
// for Get and GetNext; for GetBulk with N names, R non-repeaters and M
// max-repetitions, R + (N - R) * M (R and M clamped as an agent clamps them).
size_t MaxBindings(const Request &sent);

// A GetResponse read with every value typed, for a walk.
struct TypedResponse {
    Outcome outcome = Outcome::Malformed;  // Value, Stray, Malformed or ErrorStatus only
    std::string reason;                    // Stray, Malformed
    int32_t errorStatus = 0;
    int32_t errorIndex = 0;                // 1-based into the request's names; 0 names none
    std::vector<Binding> bindings;         // Value: at most MaxBindings(sent); exceptions kept as bindings
};

// Checks version, community and request id (another one: Stray), the error
// status and index (an index past the names asked: Malformed), the number of
// bindings (Get and GetNext exactly as many as asked, GetBulk at most
// MaxBindings), each value's encoding, and that a v1 answer holds neither a
// v2c exception nor a Counter64.
TypedResponse DecodeResponse(std::span<const uint8_t> datagram, const Request &sent);

}  // namespace pathost::snmp

#endif
