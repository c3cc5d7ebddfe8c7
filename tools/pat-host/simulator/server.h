// The simulated PJL printer on a TCP port: answers every connection from its
// profile, or misbehaves in one of the fault modes that real printers show.
// Binds loopback unless told otherwise; runs on the caller's io_context.
#ifndef PAT_HOST_SIMULATOR_SERVER_H
#define PAT_HOST_SIMULATOR_SERVER_H

#include <stdint.h>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "simulator/profile.h"

namespace pathost::sim {

enum class Fault {
    None,
    Silent,     // reads the query, never answers
    CloseMid,   // sends half of its answers, then closes
    NoFormFeed, // answers everything, but no block ends with a form feed
    Flood,      // answers with an endless stream of bytes
    Garbage,    // answers with bytes that are not PJL, then closes
    Drip,       // answers correctly, one byte per drip interval
};

std::optional<Fault> ParseFault(const std::string &name);
const char *FaultName(Fault fault);
// "none, silent, close-mid, no-ff, flood, garbage, drip"
std::string FaultNames();
std::vector<std::string> FaultNameList();

struct ServerOptions {
    std::string host = "127.0.0.1";
    uint16_t port = 9100;  // 0: any free port
    Fault fault = Fault::None;
    std::chrono::milliseconds drip{50};
};

class Server {
public:
    // Binds and starts accepting; throws boost::system::system_error when it cannot bind.
    Server(boost::asio::io_context &io, const ServerOptions &options, Profile profile);
    ~Server();
    Server(const Server &) = delete;
    Server &operator=(const Server &) = delete;

    boost::asio::ip::tcp::endpoint endpoint() const;
    uint16_t port() const { return endpoint().port(); }
    // Later connections answer from the new profile.
    void SetProfile(Profile profile);
    Profile profile() const;
    size_t connections() const;  // accepted so far
    void Stop();

private:
    std::shared_ptr<struct ServerState> state_;
};

}  // namespace pathost::sim

#endif
