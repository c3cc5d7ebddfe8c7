#include "snmp/ber.h"

namespace pathost::snmp {

std::string FormatOid(const Oid &oid) {
    std::string text;
    for (uint32_t arc : oid) text += (text.empty() ? "" : ".") + std::to_string(arc);
    return text;
}

namespace {

void PutLength(std::vector<uint8_t> &out, size_t at, size_t length) {
    uint8_t bytes[5];
    size_t n = 0;
    if (length < 0x80) {
        bytes[n++] = static_cast<uint8_t>(length);
    } else {
        size_t count = length > 0xFFFFFF ? 4 : length > 0xFFFF ? 3 : length > 0xFF ? 2 : 1;
        bytes[n++] = static_cast<uint8_t>(0x80 | count);
        while (count-- > 0) bytes[n++] = static_cast<uint8_t>(length >> (8 * count));
    }
    out.insert(out.begin() + static_cast<ptrdiff_t>(at), bytes, bytes + n);
}

void PutBase128(std::vector<uint8_t> &out, uint64_t value) {
    uint8_t bytes[10];
    size_t n = 0;
    do {
        bytes[n++] = static_cast<uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (n-- > 0) out.push_back(static_cast<uint8_t>(bytes[n] | (n != 0 ? 0x80 : 0)));
}

}  // namespace

void BerWriter::Integer(int64_t value) {
    size_t start = Mark();
    // Minimal two's complement: drop leading bytes that only repeat the sign.
    int count = 8;
    while (count > 1) {
        int64_t top = value >> (8 * (count - 1) - 1);
        if (top != 0 && top != -1) break;
        --count;
    }
    for (int i = count - 1; i >= 0; --i) out_.push_back(static_cast<uint8_t>(value >> (8 * i)));
    Wrap(tag::kInteger, start);
}

void BerWriter::Unsigned(uint8_t tagByte, uint64_t value) {
    size_t start = Mark();
    int count = 1;
    while (count < 8 && (value >> (8 * count)) != 0) ++count;
    if ((value >> (8 * count - 1)) & 1) out_.push_back(0);  // the top bit set: a 0x00 keeps it unsigned
    for (int i = count - 1; i >= 0; --i) out_.push_back(static_cast<uint8_t>(value >> (8 * i)));
    Wrap(tagByte, start);
}

void BerWriter::Bytes(uint8_t tagByte, std::string_view bytes) {
    size_t start = Mark();
    out_.insert(out_.end(), bytes.begin(), bytes.end());
    Wrap(tagByte, start);
}

void BerWriter::ObjectId(const Oid &oid) {
    size_t start = Mark();
    if (oid.size() >= 2) {
        PutBase128(out_, oid[0] * 40ull + oid[1]);
        for (size_t i = 2; i < oid.size(); ++i) PutBase128(out_, oid[i]);
    }
    Wrap(tag::kOid, start);
}

void BerWriter::Wrap(uint8_t tagByte, size_t start) {
    PutLength(out_, start, out_.size() - start);
    out_.insert(out_.begin() + static_cast<ptrdiff_t>(start), tagByte);
}

bool BerReader::Fail(const std::string &reason) {
    if (error_->empty()) *error_ = reason;
    rest_ = {};
    return false;
}

bool BerReader::Next(BerElement *element) {
    if (!ok()) return false;
    if (rest_.size() < 2) return Fail(rest_.empty() ? "an element is missing" : "an element is cut short");
    uint8_t tagByte = rest_[0], first = rest_[1];
    if ((tagByte & 0x1F) == 0x1F) return Fail("a multi-byte tag");
    size_t header = 2, length = first;
    if (first == 0x80) return Fail("an indefinite length");
    if (first > 0x80) {
        size_t count = first & 0x7F;
        if (count > 4) return Fail("a length of more than 4 bytes");
        if (rest_.size() - 2 < count) return Fail("a length cut short");
        length = 0;
        for (size_t i = 0; i < count; ++i) length = length << 8 | rest_[2 + i];
        header += count;
    }
    if (length > rest_.size() - header) return Fail("a length past the end of its datagram or sequence");
    element->tag = tagByte;
    element->content = rest_.subspan(header, length);
    rest_ = rest_.subspan(header + length);
    return true;
}

bool BerReader::Expect(uint8_t tagByte, BerElement *element, const char *what) {
    if (!Next(element)) return false;
    if (element->tag != tagByte) return Fail(std::string(what) + " has the wrong type");
    return true;
}

bool BerReader::Integer(int32_t *value, const char *what) {
    BerElement element;
    if (!Expect(tag::kInteger, &element, what)) return false;
    if (const char *wrong = ReadInteger(element.content, value)) return Fail(std::string(what) + " " + wrong);
    return true;
}

bool BerReader::ObjectId(Oid *oid, const char *what) {
    BerElement element;
    if (!Expect(tag::kOid, &element, what)) return false;
    if (const char *wrong = ReadObjectId(element.content, oid)) return Fail(std::string(what) + " " + wrong);
    return true;
}

bool BerReader::AtEnd(const char *what) {
    if (!ok()) return false;
    if (!rest_.empty()) return Fail(std::string("trailing bytes after ") + what);
    return true;
}

namespace {

// A leading byte that only repeats the sign of the next one's top bit.
bool Redundant(std::span<const uint8_t> c) {
    return c.size() > 1 && ((c[0] == 0x00 && (c[1] & 0x80) == 0) || (c[0] == 0xFF && (c[1] & 0x80) != 0));
}

}  // namespace

const char *ReadInteger(std::span<const uint8_t> c, int32_t *value) {
    if (c.empty() || c.size() > 4) return "is not a 32-bit integer";
    if (Redundant(c)) return "is not minimally encoded";
    int64_t v = static_cast<int8_t>(c[0]);
    for (size_t i = 1; i < c.size(); ++i) v = v * 256 + c[i];
    *value = static_cast<int32_t>(v);
    return nullptr;
}

const char *ReadUnsigned(std::span<const uint8_t> c, size_t maxBytes, uint64_t *value) {
    if (c.empty() || c.size() > maxBytes) return "has the wrong length";
    if (c[0] & 0x80) return "is negative";
    if (c.size() == maxBytes && c[0] != 0) return "does not fit its width";
    if (Redundant(c)) return "is not minimally encoded";
    uint64_t v = 0;
    for (uint8_t byte : c) v = v << 8 | byte;
    *value = v;
    return nullptr;
}

const char *ReadObjectId(std::span<const uint8_t> c, Oid *oid) {
    oid->clear();
    if (c.empty()) return "is empty";
    uint64_t arc = 0;
    bool inArc = false;
    for (uint8_t byte : c) {
        if (!inArc && byte == 0x80) return "has a sub-identifier with a leading zero byte";
        arc = arc << 7 | (byte & 0x7F);
        if (arc > UINT32_MAX) return "has a sub-identifier that overflows 32 bits";
        inArc = (byte & 0x80) != 0;
        if (inArc) continue;
        if (oid->empty()) {
            uint32_t first = arc < 40 ? 0 : arc < 80 ? 1 : 2;
            oid->push_back(first);
            oid->push_back(static_cast<uint32_t>(arc - 40 * first));
        } else {
            oid->push_back(static_cast<uint32_t>(arc));
        }
        arc = 0;
    }
    if (inArc) return "ends inside a sub-identifier";
    return nullptr;
}

}  // namespace pathost::snmp
