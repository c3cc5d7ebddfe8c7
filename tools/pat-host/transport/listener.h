// The listening TCP socket of pat-host's servers (serve's HTTP server, the
// simulated printer): one set-up, and one message when it fails.
#ifndef PAT_HOST_LISTENER_H
#define PAT_HOST_LISTENER_H

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/system/system_error.hpp>
#include <string>

namespace pathost {

// An acceptor bound and listening on where. Address reuse is on, so a server
// started again at once gets its port back while the old connections linger
// in TIME_WAIT. Throws boost::system::system_error when it cannot bind.
boost::asio::ip::tcp::acceptor Listen(boost::asio::io_context &io, const boost::asio::ip::tcp::endpoint &where);

// What a command reports when Listen (or the address) fails:
// "cannot listen on WHERE: REASON".
std::string CannotListen(const std::string &where, const boost::system::system_error &error);

}  // namespace pathost

#endif
