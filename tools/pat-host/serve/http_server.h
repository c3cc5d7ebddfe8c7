// The HTTP side of `pat-host serve`, on Boost.Beast: GET and HEAD only, every
// request read within a timeout (a client that trickles bytes is cut off),
// headers bounded in size, and a cap on open connections that idle clients
// cannot hold: at the cap, a new connection takes the place of the one that
// has waited longest without a request in progress, so a scraper always gets
// in. Parse errors and methods are answered here, and a request target in
// absolute form (as proxies send it) naming this server is taken as its path;
// what a path means is the handler's.
#ifndef PAT_HOST_SERVE_HTTP_SERVER_H
#define PAT_HOST_SERVE_HTTP_SERVER_H

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/http/empty_body.hpp>
#include <boost/beast/http/message.hpp>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace pathost::serve {

struct HttpLimits {
    std::chrono::milliseconds readTimeout{10000};  // a whole request head, and a kept-alive connection's wait
    std::chrono::milliseconds writeTimeout{30000};
    size_t headerBytes = 8192;  // beyond: 431
    size_t maxConnections = 64;  // beyond: the longest idle one makes room, else the new one is closed
    std::chrono::milliseconds acceptBackoff{100};  // after an accept fails (out of descriptors)
};

// A body made piece by piece while the connection takes it, so that a large
// answer (the fleet's page, metrics or JSON) never exists whole in memory:
// each call appends the next piece to `out` and says whether more follows.
using BodyPieces = std::function<bool(std::string &out)>;

struct HttpResponse {
    unsigned status = 200;
    std::string contentType = "text/plain; charset=utf-8";
    std::string body;
    BodyPieces pieces;  // instead of body, when set: sent chunked (HTTP/1.0: until the connection ends)
    std::vector<std::pair<std::string, std::string>> headers;
};

using HttpRequest = boost::beast::http::request<boost::beast::http::empty_body>;
// Called once per request, GET or HEAD; `respond` may be called later (a probe).
using HttpHandler = std::function<void(const HttpRequest &, std::function<void(HttpResponse)> respond)>;

class HttpServer {
public:
    // Binds and starts accepting; throws boost::system::system_error when it cannot bind.
    HttpServer(boost::asio::io_context &io, const boost::asio::ip::tcp::endpoint &where, HttpLimits limits,
               HttpHandler handler);
    ~HttpServer();
    boost::asio::ip::tcp::endpoint endpoint() const;
    // Stops accepting and closes every open connection, on the server's
    // thread; callable from any.
    void Stop();

private:
    std::shared_ptr<struct HttpServerState> state_;
};

// A plain-text response: "404 not found: ..." and the like.
HttpResponse TextResponse(unsigned status, std::string text);

}  // namespace pathost::serve

#endif
