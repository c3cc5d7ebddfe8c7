#include "transport/listener.h"

namespace pathost {

boost::asio::ip::tcp::acceptor Listen(boost::asio::io_context &io, const boost::asio::ip::tcp::endpoint &where) {
    boost::asio::ip::tcp::acceptor acceptor(io);
    acceptor.open(where.protocol());
    acceptor.set_option(boost::asio::socket_base::reuse_address(true));
    acceptor.bind(where);
    acceptor.listen();
    return acceptor;
}

std::string CannotListen(const std::string &where, const boost::system::system_error &error) {
    return "cannot listen on " + where + ": " + error.code().message();
}

}  // namespace pathost
