// Reads a network printer's IEEE 1284 device ID over SNMP, asynchronously on
// the caller's io_context (the loop that also runs the PJL poll). One UDP
// socket per printer; each object is asked in its own GetRequest, in the
// order of DeviceIdObjects(), and the first non-empty OCTET STRING wins.
#ifndef PAT_HOST_SNMP_SNMP_DEVICE_ID_H
#define PAT_HOST_SNMP_SNMP_DEVICE_ID_H

#include <stdint.h>

#include <boost/asio/io_context.hpp>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "snmp/snmp_message.h"

namespace pathost::snmp {

// The objects that can hold a device ID, in the order they are asked.
const std::vector<Oid> &DeviceIdObjects();

struct DeviceIdQueryOptions {
    std::string host;
    uint16_t port = 161;
    std::string community = "public";
    Version version = Version::V2c;
    // With v2c: when no request gets any answer at all, ask again with v1
    // (some agents only speak v1 and stay silent to v2c).
    bool fallBackToV1 = true;
    std::chrono::milliseconds timeout{2000};  // per request
    int retries = 1;                          // sends after the first, per request
};

struct DeviceIdResult {
    enum class Status {
        Found,         // deviceId, oid
        NoAnswer,      // nothing within the timeouts (a wrong community too: agents stay silent)
        NoSuchObject,  // every object absent, empty or not a string
        Malformed,     // reason
        Failed,        // the host did not resolve, or the socket failed: reason
        Cancelled,
    };
    Status status = Status::NoAnswer;
    std::string deviceId;
    Oid oid;                        // the object that answered (Found), or was asked (Malformed)
    Version version = Version::V2c; // the version of the last request sent
    std::string reason;             // a short text for every status but Found
};

const char *StatusName(DeviceIdResult::Status status);

class DeviceIdQuery {
public:
    using Handler = std::function<void(const DeviceIdResult &)>;

    // Must not outlive the io_context (its socket belongs to it).
    DeviceIdQuery(boost::asio::io_context &io, DeviceIdQueryOptions options);
    // Drops the handler without calling it and closes the socket.
    ~DeviceIdQuery();
    DeviceIdQuery(const DeviceIdQuery &) = delete;
    DeviceIdQuery &operator=(const DeviceIdQuery &) = delete;

    // Starts once; the handler runs exactly once, on the io_context (unless
    // the query is destroyed first or the io_context stops for good).
    void Start(Handler handler);
    // Completes with Cancelled if still pending (for Ctrl-C).
    void Cancel();

private:
    std::shared_ptr<struct QueryState> state_;
};

}  // namespace pathost::snmp

#endif
