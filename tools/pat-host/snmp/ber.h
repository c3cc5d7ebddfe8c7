// The few BER pieces SNMP needs: a writer of tag-length-value elements and a
// reader that never looks past the bytes it was given. Lengths are definite,
// at most four bytes long; tags are single bytes (SNMP uses no others).
#ifndef PAT_HOST_SNMP_BER_H
#define PAT_HOST_SNMP_BER_H

#include <stddef.h>
#include <stdint.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pathost::snmp {

using Oid = std::vector<uint32_t>;

namespace tag {
constexpr uint8_t kInteger = 0x02, kOctetString = 0x04, kNull = 0x05, kOid = 0x06, kSequence = 0x30;
constexpr uint8_t kIpAddress = 0x40, kCounter32 = 0x41, kGauge32 = 0x42, kTimeTicks = 0x43, kCounter64 = 0x46;
constexpr uint8_t kGetRequest = 0xA0, kGetNextRequest = 0xA1, kGetResponse = 0xA2, kGetBulkRequest = 0xA5;
constexpr uint8_t kNoSuchObject = 0x80, kNoSuchInstance = 0x81, kEndOfMibView = 0x82;
}  // namespace tag

// {1, 3, 6, 1} -> "1.3.6.1"
std::string FormatOid(const Oid &oid);

// Appends whole elements; Wrap puts what was written since `start` inside one.
class BerWriter {
public:
    void Integer(int64_t value);
    // Counter32, Gauge32, TimeTicks, Counter64: unsigned, minimal, a leading
    // 0x00 only where the top bit would read as a sign.
    void Unsigned(uint8_t tagByte, uint64_t value);
    void Bytes(uint8_t tagByte, std::string_view bytes);
    void ObjectId(const Oid &oid);
    // Bytes as they are, for a caller that writes an element of its own.
    void Raw(std::string_view bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }
    size_t Mark() const { return out_.size(); }
    void Wrap(uint8_t tagByte, size_t start);
    std::vector<uint8_t> Take() { return std::move(out_); }

private:
    std::vector<uint8_t> out_;
};

struct BerElement {
    uint8_t tag = 0;
    std::span<const uint8_t> content;
};

// Reads elements one after another from a span. The first failure sticks:
// every later read fails too, and error() names the first thing that was
// wrong. A reader made by Inside() reads an element's content and shares its
// parent's error, so a whole message is checked through one error.
class BerReader {
public:
    explicit BerReader(std::span<const uint8_t> bytes) : rest_(bytes), error_(&ownError_) {}
    BerReader(const BerReader &) = delete;
    BerReader &operator=(const BerReader &) = delete;

    bool Next(BerElement *element);
    // The next element must have this tag.
    bool Expect(uint8_t tagByte, BerElement *element, const char *what);
    BerReader Inside(const BerElement &element) const { return BerReader(element.content, error_); }
    // An INTEGER of 1 to 4 bytes, minimally encoded.
    bool Integer(int32_t *value, const char *what);
    bool ObjectId(Oid *oid, const char *what);
    // Nothing may follow the last element read: trailing bytes are an error.
    bool AtEnd(const char *what);
    bool Fail(const std::string &reason);
    bool empty() const { return rest_.empty(); }
    bool ok() const { return error_->empty(); }
    const std::string &error() const { return *error_; }

private:
    BerReader(std::span<const uint8_t> bytes, std::string *error) : rest_(bytes), error_(error) {}

    std::span<const uint8_t> rest_;
    std::string ownError_;
    std::string *error_;
};

// The contents of the value types, strictly: nullptr when they are right,
// else what is wrong ("is not minimally encoded"). An INTEGER is 32-bit signed
// in 1 to 4 bytes; an unsigned type fits `maxBytes` (5 for Counter32, Gauge32
// and TimeTicks, 9 for Counter64), a byte more than its width only as a
// leading 0x00, and is never negative. Both are minimal: no leading byte that
// only repeats the sign.
const char *ReadInteger(std::span<const uint8_t> content, int32_t *value);
const char *ReadUnsigned(std::span<const uint8_t> content, size_t maxBytes, uint64_t *value);
// The sub-identifiers of an OBJECT IDENTIFIER's content, each at most 32 bits.
const char *ReadObjectId(std::span<const uint8_t> content, Oid *oid);

}  // namespace pathost::snmp

#endif
