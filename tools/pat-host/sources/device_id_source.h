// Where a printer's IEEE 1284 device ID comes from. A raw TCP port carries
// none, so a poll asks a source first: a text or a file given by hand, a USB
// printer's usblp device, or the SNMP agent on the printer's own host. Every
// source is asked the same way, asynchronously on the poll's io_context and
// within a deadline; what the outputs say of it comes from the source too.
#ifndef PAT_HOST_SOURCES_DEVICE_ID_SOURCE_H
#define PAT_HOST_SOURCES_DEVICE_ID_SOURCE_H

#include <stdint.h>

#include <boost/asio/io_context.hpp>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cleaning/cleaning.h"
#include "outcome/failure.h"

namespace pathost {

// Where one poll's device ID came from, as the outputs name it.
struct DeviceIdOrigin {
    std::string source;  // "text", "file", "usb", "snmp"
    std::string where;   // the file, the device or the agent's HOST:PORT
    // The source's own fields, after source and where in --json's
    // deviceIdSource (SNMP: object, objectName, version).
    std::vector<std::pair<std::string, std::string>> fields;
    std::string line;  // the text output's "device ID" line
};

struct DeviceIdFound {
    std::string bytes;            // as read
    bool lengthPrefixed = false;  // still carries its two length bytes
    DeviceIdOrigin origin;
};

// A source's answer for one printer: a device ID, or none with the reason
// (the poll then goes on without the device-ID categories). A Failure ends
// the poll.
struct DeviceIdAnswer {
    std::optional<DeviceIdFound> found;
    std::string why;  // when none was found; empty: nothing worth a note
    // An SNMP agent on the printer's host answered (whether or not it had a
    // device ID): worth asking for its Printer MIB too.
    bool agentAnswered = false;
};
using DeviceIdResult = Expected<DeviceIdAnswer>;

// What a source is asked with.
struct DeviceIdRequest {
    std::string host;  // the printer's, for a source on the network
    // False when the poll asks for no device-ID category and sends PJL
    // whatever the command set says: a source that costs time may skip.
    bool needed = true;
    std::chrono::milliseconds deadline{std::chrono::hours(24)};  // the most the source may take
};

class DeviceIdSource {
public:
    virtual ~DeviceIdSource() = default;
    // "asking the SNMP agent for the device ID": what an interruption stopped.
    virtual std::string Doing() const = 0;
    // Asks once; `done` runs once, on io, unless the returned handle is
    // released first, which cancels the question and drops `done`.
    virtual std::shared_ptr<void> Ask(boost::asio::io_context &io, const DeviceIdRequest &request,
                                      std::function<void(DeviceIdResult)> done) const = 0;
};

using SourcePtr = std::shared_ptr<const DeviceIdSource>;  // null: no source

// The device ID as the module gets it: cleaned, or as read with --raw.
struct PreparedDeviceId {
    std::string text;
    DeviceIdCleaning cleaning;
    bool cleaned = false;
};
PreparedDeviceId PrepareDeviceId(const DeviceIdFound &found, bool raw);

// Asks a source on a loop of its own and waits: for replay and compare,
// which have no poll loop.
DeviceIdResult AskNow(const DeviceIdSource &source, const DeviceIdRequest &request);

// A source whose answer is known when asked (text, file, USB): `read` runs
// when the loop gets to it; `doing` is what an interruption stopped.
SourcePtr AnsweredWhenAsked(std::string doing, std::function<DeviceIdResult()> read);
// The same for one question: a source that may skip its question answers this way.
std::shared_ptr<void> AnswerSoon(boost::asio::io_context &io, std::function<DeviceIdResult()> read,
                                 std::function<void(DeviceIdResult)> done);

}  // namespace pathost

#endif
