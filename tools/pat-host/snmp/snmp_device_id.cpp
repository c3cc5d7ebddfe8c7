#include "snmp/snmp_device_id.h"

#include <boost/asio/ip/udp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <random>

namespace pathost::snmp {

const std::vector<Oid> &DeviceIdObjects() {
    // ppmPrinterIEEE1284DeviceId of the first port (Port Monitor MIB), then the
    // vendor objects CUPS's SNMP backend (backend/snmp.c) probes, in its order:
    // LexmarkDeviceIdOID, RicohDeviceIdOID, HPDeviceIdOID.
    static const std::vector<Oid> objects = {
        {1, 3, 6, 1, 4, 1, 2699, 1, 2, 1, 2, 1, 1, 3, 1},
        {1, 3, 6, 1, 4, 1, 641, 2, 1, 2, 1, 3, 1},
        {1, 3, 6, 1, 4, 1, 367, 3, 2, 1, 1, 1, 11, 0},
        {1, 3, 6, 1, 4, 1, 11, 2, 3, 9, 1, 1, 7, 0},
    };
    return objects;
}

const char *StatusName(DeviceIdResult::Status status) {
    using S = DeviceIdResult::Status;
    switch (status) {
        case S::Found: return "found";
        case S::NoAnswer: return "no answer";
        case S::NoSuchObject: return "no such object";
        case S::Malformed: return "malformed answer";
        case S::Failed: return "failed";
        case S::Cancelled: return "cancelled";
    }
    return "?";
}

namespace {

using boost::asio::ip::udp;
using Status = DeviceIdResult::Status;

// A datagram that fills the buffer may have been cut by the kernel; no
// GetResponse with one device ID comes near this size.
constexpr size_t kMaxDatagram = 64 * 1024;

}  // namespace

// Everything the handlers touch; they hold it by shared_ptr, so a handler that
// runs after the query object is gone, or is destroyed with a stopped
// io_context, touches only this.
struct QueryState : std::enable_shared_from_this<QueryState> {
    QueryState(boost::asio::io_context &io, DeviceIdQueryOptions o)
        : resolver(io), socket(io), timer(io), options(std::move(o)), buffer(kMaxDatagram),
          nextId(static_cast<int32_t>(std::random_device{}() & 0x3FFFFFFF) + 1) {}

    void Start() {
        auto self = shared_from_this();
        resolver.async_resolve(options.host, std::to_string(options.port),
                               [self](const boost::system::error_code &ec, const udp::resolver::results_type &results) {
                                   if (self->Over()) return;
                                   if (ec || results.empty())
                                       return self->Finish(Status::Failed, "cannot resolve " + self->options.host +
                                                                               ": " + ec.message());
                                   self->peer = results.begin()->endpoint();
                                   for (const auto &entry : results)
                                       if (entry.endpoint().address().is_v4()) {
                                           self->peer = entry.endpoint();
                                           break;
                                       }
                                   self->Open();
                               });
    }

    void Open() {
        boost::system::error_code ec;
        socket.open(peer.protocol(), ec);
        if (ec) return Finish(Status::Failed, "cannot open a UDP socket: " + ec.message());
        request.version = options.version;
        request.community = options.community;
        Receive();
        Ask();
    }

    // A new request for the current object: a new request id, so that an
    // answer to an earlier object can never be taken for this one.
    void Ask() {
        request.oids = {DeviceIdObjects()[object]};
        request.requestId = nextId++ & 0x7FFFFFFF;
        datagram = EncodeGetRequest(request);
        sends = 0;
        Send();
    }

    void Send() {
        ++sends;
        ++triesInAll;
        auto self = shared_from_this();
        // Each send owns its bytes: the next object's request may be made
        // before this send completes.
        auto bytes = std::make_shared<std::vector<uint8_t>>(datagram);
        socket.async_send_to(boost::asio::buffer(*bytes), peer, [self, bytes](const boost::system::error_code &ec, size_t) {
            if (!self->Over() && ec) self->Finish(Status::Failed, "cannot send to the printer: " + ec.message());
        });
        timer.expires_after(options.timeout);
        timer.async_wait([self, generation = ++timerGeneration](const boost::system::error_code &ec) {
            if (!self->Over() && !ec && generation == self->timerGeneration) self->OnTimeout();
        });
    }

    void OnTimeout() {
        if (sends <= options.retries) return Send();
        if (request.version == Version::V2c && options.fallBackToV1 && !answered) {
            request.version = Version::V1;
            object = 0;
            return Ask();
        }
        Finish(Status::NoAnswer, "no answer to " + std::to_string(triesInAll) + " requests, " +
                                     std::to_string(options.timeout.count()) + " ms each" +
                                     (request.version == Version::V1 && options.version == Version::V2c
                                          ? " (v2c, then v1)"
                                          : ""));
    }

    void Receive() {
        auto self = shared_from_this();
        socket.async_receive_from(boost::asio::buffer(buffer), from, [self](const boost::system::error_code &ec, size_t n) {
            if (self->Over()) return;
            // An ICMP refusal of an earlier send reports nothing about this
            // one: keep listening, the timeout decides.
            if (ec == boost::asio::error::connection_refused) return self->Receive();
            if (ec) return self->Finish(Status::Failed, "cannot receive: " + ec.message());
            self->OnDatagram(n);
        });
    }

    void OnDatagram(size_t n) {
        if (from != peer) return Receive();  // another source: not an answer
        if (n >= buffer.size())
            return Finish(Status::Malformed, "a datagram of " + std::to_string(kMaxDatagram) + " bytes or more");
        Response response = DecodeGetResponse(std::span(buffer.data(), n), request);
        switch (response.outcome) {
            case Outcome::Stray: return Receive();
            case Outcome::Malformed: return Finish(Status::Malformed, response.reason);
            case Outcome::Value:
                if (!response.values[0].empty()) {
                    found = std::move(response.values[0]);
                    return Finish(Status::Found, {});
                }
                [[fallthrough]];
            default:  // absent, empty, refused or not a string: the next object
                answered = true;
                if (++object == DeviceIdObjects().size())
                    return Finish(Status::NoSuchObject, "none of the " + std::to_string(object) +
                                                            " device-ID objects holds a device ID");
                Receive();
                Ask();
        }
    }

    void Finish(Status status, std::string reason) {
        if (done) return;
        done = true;
        Close();
        DeviceIdResult result;
        result.status = status;
        result.deviceId = std::move(found);
        if (!request.oids.empty()) result.oid = request.oids[0];
        result.version = request.version;
        result.reason = std::move(reason);
        Handler h = std::move(handler);
        handler = nullptr;
        if (h) h(result);
    }

    // Done, or cancelled with the Cancelled result on its way: what the
    // closed socket and timer report now is no news.
    bool Over() const { return done || cancelling; }

    void Close() {
        boost::system::error_code ignored;
        resolver.cancel();
        timer.cancel();
        socket.close(ignored);
    }

    using Handler = DeviceIdQuery::Handler;
    udp::resolver resolver;
    udp::socket socket;
    boost::asio::steady_timer timer;
    DeviceIdQueryOptions options;
    Handler handler;
    std::vector<uint8_t> buffer;
    std::vector<uint8_t> datagram;
    udp::endpoint peer, from;
    GetRequest request;
    std::string found;
    size_t object = 0;
    int sends = 0;
    int triesInAll = 0;
    uint64_t timerGeneration = 0;
    int32_t nextId;
    bool answered = false;  // some request got an answer of ours: no v1 fallback
    bool started = false;
    bool cancelling = false;
    bool done = false;
};

DeviceIdQuery::DeviceIdQuery(boost::asio::io_context &io, DeviceIdQueryOptions options)
    : state_(std::make_shared<QueryState>(io, std::move(options))) {}

DeviceIdQuery::~DeviceIdQuery() {
    state_->handler = nullptr;
    state_->done = true;
    state_->Close();
}

void DeviceIdQuery::Start(Handler handler) {
    if (state_->started) return;
    state_->started = true;
    state_->handler = std::move(handler);
    if (state_->cancelling) {
        // Cancelled before it started: complete from the loop all the same.
        state_->done = false;
        boost::asio::post(state_->socket.get_executor(),
                   [state = state_] { state->Finish(Status::Cancelled, "cancelled"); });
        return;
    }
    state_->Start();
}

void DeviceIdQuery::Cancel() {
    if (state_->done || state_->cancelling) return;
    state_->cancelling = true;
    state_->Close();
    // The handler runs from the loop, never inside the caller's Cancel().
    boost::asio::post(state_->socket.get_executor(),
               [state = state_] { state->Finish(Status::Cancelled, "cancelled"); });
}

}  // namespace pathost::snmp
