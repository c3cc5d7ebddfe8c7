// What the SNMP tests share: a free loopback UDP port and a device-ID query
// run to its end on an io_context.
#ifndef PAT_HOST_TESTS_SNMP_LOOPBACK_H
#define PAT_HOST_TESTS_SNMP_LOOPBACK_H

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/udp.hpp>

#include "snmp/snmp_device_id.h"

namespace pathost::test {

inline uint16_t FreeUdpPort() {
    boost::asio::io_context io;
    boost::asio::ip::udp::socket socket(io, {boost::asio::ip::make_address("127.0.0.1"), 0});
    return socket.local_endpoint().port();
}

// Short timeouts: loopback answers in far less.
inline snmp::DeviceIdQueryOptions LoopbackQuery(uint16_t port, std::string community = "public") {
    snmp::DeviceIdQueryOptions options;
    options.host = "127.0.0.1";
    options.port = port;
    options.community = std::move(community);
    options.timeout = std::chrono::milliseconds(250);
    return options;
}

inline snmp::DeviceIdResult QueryDeviceId(boost::asio::io_context &io, const snmp::DeviceIdQueryOptions &options) {
    snmp::DeviceIdResult result;
    result.reason = "the handler never ran";
    snmp::DeviceIdQuery query(io, options);
    query.Start([&](const snmp::DeviceIdResult &r) {
        result = r;
        io.stop();
    });
    io.restart();
    io.run_for(std::chrono::seconds(10));
    return result;
}

}  // namespace pathost::test

#endif
