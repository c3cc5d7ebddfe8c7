// pat-host's other readers of a printer's bytes: the PJL stream's cleaning,
// the device ID's cleaning and the answer tracker that decides when a printer
// has finished. Byte 0 picks the reader, the rest is what the printer sent.
// Besides memory safety: cleaning only removes what it counts and keeps the
// order of the rest; a device ID never grows, and a well-formed one (printable
// text behind a length that counts itself or only the text) loses no byte;
// the tracker's verdict does not depend on how the stream was cut into reads
// nor on whether it was cleaned first, and it never reads past the session's
// byte limit.
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>

#include "transport/answer_tracker.h"
#include "cleaning/cleaning.h"

using namespace pathost;

namespace {

void Require(bool condition) {
    if (!condition) abort();
}

bool IsSubsequence(std::string_view part, std::string_view whole) {
    size_t at = 0;
    for (char c : whole)
        if (at < part.size() && part[at] == c) ++at;
    return at == part.size();
}

void CheckPjlCleaning(std::string_view bytes) {
    PjlCleaning cleaned = CleanPjlStream(bytes);
    Require(cleaned.text.size() + cleaned.nulsRemoved + cleaned.ctrlDsRemoved == bytes.size());
    Require(IsSubsequence(cleaned.text, bytes));
}

void CheckDeviceIdCleaning(std::string_view bytes) {
    for (bool prefixed : {false, true}) {
        DeviceIdCleaning cleaned = CleanDeviceId(bytes, prefixed);
        Require(cleaned.text.size() <= bytes.size());
        Require(memchr(cleaned.text.data(), 0, cleaned.text.size()) == nullptr);
        Require(!cleaned.prefix.removed || prefixed);
    }
    (void)LooksLengthPrefixed(bytes);
    // The input's printable bytes as an ID, behind each prefix a printer may
    // send; a little-endian one only where its big-endian reading cannot fit.
    std::string text;
    for (char c : bytes)
        if (c >= 0x20 && c < 0x7F) text += c;
    if (text.size() > 0xFF00) return;
    for (size_t counted : {text.size() + 2, text.size()})
        for (bool little : {false, true}) {
            std::string prefix = {static_cast<char>(little ? counted & 0xFF : counted >> 8),
                                  static_cast<char>(little ? counted >> 8 : counted & 0xFF)};
            size_t bigReading = (size_t{static_cast<uint8_t>(prefix[0])} << 8) | static_cast<uint8_t>(prefix[1]);
            if (little && (bigReading == text.size() || (bigReading >= 2 && bigReading <= text.size() + 2))) continue;
            LengthPrefix report;
            Require(StripLengthPrefix(prefix + text, &report) == text);
            Require(report.countsText == (counted == text.size()) && report.littleEndian == little);
        }
}

// The session feeds what arrives until the byte limit; the first two bytes
// give that limit and the size of every read.
void CheckTracker(std::string_view bytes) {
    if (bytes.size() < 2) return;
    size_t limit = static_cast<uint8_t>(bytes[0]) * 16 + 1, chunk = static_cast<uint8_t>(bytes[1]) % 64 + 1;
    bytes.remove_prefix(2);
    std::string_view request = "@PJL INFO CONFIG\r\n@PJL INQUIRE INTRAY1SIZE\r\n@PJL INFO STATUS\r\n";
    auto fresh = [&] {
        return AnswerTracker(RequestedCategories(request), {"OUTBINSTATUS"}, "PATHOST-1");
    };
    AnswerTracker whole = fresh(), pieces = fresh();
    std::string_view kept = bytes.substr(0, std::min(bytes.size(), limit));
    whole.Feed(kept);
    size_t fed = 0;
    for (size_t at = 0; at < kept.size() && !pieces.Done(); at += chunk) {
        std::string_view piece = kept.substr(at, chunk);
        pieces.Feed(piece);
        fed += piece.size();
    }
    Require(fed <= limit);
    if (pieces.Done()) Require(whole.Done());
    if (fed == kept.size()) {
        Require(pieces.Done() == whole.Done() && pieces.EchoSeen() == whole.EchoSeen());
        Require(pieces.MissingRequired() == whole.MissingRequired());
    }
    if (whole.Done() && !whole.EchoSeen()) Require(whole.MissingRequired().empty());
    Require(whole.MissingRequired().size() <= 3);
    // Cleaning removes NULs and Ctrl-Ds in any number: the tracker must come
    // to the same verdict on what the module will read.
    AnswerTracker cleaned = fresh();
    cleaned.Feed(CleanPjlStream(kept).text);
    Require(cleaned.Done() == whole.Done() && cleaned.EchoSeen() == whole.EchoSeen());
    Require(cleaned.MissingRequired() == whole.MissingRequired() && cleaned.MissingOptional() == whole.MissingOptional());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1) return 0;
    std::string_view bytes(reinterpret_cast<const char *>(data + 1), size - 1);
    switch (data[0] % 3) {
        case 0: CheckPjlCleaning(bytes); break;
        case 1: CheckDeviceIdCleaning(bytes); break;
        default: CheckTracker(bytes); break;
    }
    return 0;
}
