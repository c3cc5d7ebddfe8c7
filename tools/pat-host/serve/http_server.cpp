#include "serve/http_server.h"

#include <ctype.h>
#include <errno.h>

#include <algorithm>
#include <string_view>

#include <boost/asio/dispatch.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/error.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/serializer.hpp>
#include <boost/beast/http/write.hpp>
#include <list>
#include <optional>

#include "transport/listener.h"

namespace pathost::serve {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

class Session;

// The body of every response: its pieces gathered into one buffer that is
// reused, so a write carries tens of kilobytes and a large answer costs that
// buffer, never its whole length.
struct PiecesBody {
    struct value_type {
        BodyPieces pieces;
    };

    class writer {
    public:
        using const_buffers_type = asio::const_buffer;

        template <bool isRequest, class Fields>
        writer(const http::header<isRequest, Fields> &, const value_type &body) : pieces_(body.pieces) {}

        void init(beast::error_code &ec) { ec = {}; }

        boost::optional<std::pair<const_buffers_type, bool>> get(beast::error_code &ec) {
            ec = {};
            buffer_.clear();
            buffer_.reserve(kGather + kMargin);  // a piece is rarely larger: the buffer is allocated once
            while (more_ && buffer_.size() < kGather) more_ = pieces_(buffer_);
            if (buffer_.empty()) return boost::none;
            return std::make_pair(const_buffers_type(buffer_.data(), buffer_.size()), more_);
        }

    private:
        static constexpr size_t kGather = 1024 * 1024, kMargin = 64 * 1024;
        const BodyPieces &pieces_;
        std::string buffer_;
        bool more_ = true;
    };
};

using Outgoing = http::response<PiecesBody>;

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return tolower(static_cast<unsigned char>(x)) == tolower(static_cast<unsigned char>(y));
           });
}

struct HttpServerState {
    HttpServerState(asio::io_context &io, HttpLimits limits, HttpHandler handler)
        : acceptor(io), backoff(io), limits(limits), handler(std::move(handler)) {}
    tcp::acceptor acceptor;
    asio::steady_timer backoff;
    HttpLimits limits;
    HttpHandler handler;
    std::list<std::weak_ptr<Session>> sessions;
    bool stopped = false;
};

class Session : public std::enable_shared_from_this<Session> {
public:
    Session(tcp::socket socket, std::shared_ptr<HttpServerState> server)
        : stream_(std::move(socket)), server_(std::move(server)) {}

    void Read() {
        parser_.emplace();
        parser_->header_limit(static_cast<uint32_t>(server_->limits.headerBytes));
        parser_->body_limit(0);  // GET and HEAD carry none
        stream_.expires_after(server_->limits.readTimeout);
        idle_ = buffer_.size() == 0;  // bytes already here: a request is under way
        idleSince_ = std::chrono::steady_clock::now();
        http::async_read(stream_, buffer_, *parser_,
                         [self = shared_from_this()](beast::error_code ec, size_t) { self->OnRead(ec); });
    }

    void Close() {
        idle_ = false;
        beast::error_code ignored;
        stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
        stream_.close();
    }

    // Waiting for a request (its first, or the next on a kept-alive
    // connection) rather than answering one: since when.
    std::optional<std::chrono::steady_clock::time_point> IdleSince() const {
        return idle_ ? std::optional(idleSince_) : std::nullopt;
    }

private:
    void OnRead(beast::error_code ec) {
        idle_ = false;
        if (ec == http::error::header_limit) return Refuse(431, "request header fields too large: at most " +
                                                                     std::to_string(server_->limits.headerBytes) +
                                                                     " bytes of request line and headers");
        if (ec && ec.category() == beast::http::make_error_code(http::error::bad_method).category() &&
            ec != http::error::end_of_stream && ec != http::error::partial_message)
            return Refuse(400, "bad request: " + ec.message());
        if (ec) return Close();  // the client left, went silent past the timeout, or the socket failed
        HttpRequest request = parser_->release();
        if (request.method() != http::verb::get && request.method() != http::verb::head) {
            HttpResponse refused = TextResponse(405, "method not allowed: this server only answers GET and HEAD");
            refused.headers.emplace_back("Allow", "GET, HEAD");
            return Write(std::move(refused), request.version(), false, false);
        }
        if (std::string_view target(request.target().data(), request.target().size());
            !target.starts_with("/") && target != "*") {
            std::optional<std::string> path = OwnPath(target);
            if (!path) return Refuse(400, "bad request: the request target names another server; this is no proxy");
            request.target(*path);
        }
        bool head = request.method() == http::verb::head, keepAlive = request.keep_alive();
        unsigned version = request.version();
        // The answer may come from another thread (a probe polls on the
        // polling thread): the connection is written on its own.
        server_->handler(request, [self = shared_from_this(), head, keepAlive, version](HttpResponse response) {
            asio::dispatch(self->stream_.get_executor(), [self, response = std::move(response), head, keepAlive,
                                                          version]() mutable {
                self->Write(std::move(response), version, keepAlive, head);
            });
        });
    }

    // The path of an absolute-form target ("http://HOST:PORT/metrics") that
    // names this server: its own address or localhost, and its port.
    std::optional<std::string> OwnPath(std::string_view target) const {
        constexpr std::string_view scheme = "http://";
        if (target.size() < scheme.size() || !SameLetters(target.substr(0, scheme.size()), scheme)) return std::nullopt;
        target.remove_prefix(scheme.size());
        size_t slash = target.find_first_of("/?");
        std::string_view authority = target.substr(0, slash);
        std::string path = slash == std::string_view::npos ? "/" : std::string(target.substr(slash));
        if (path.front() == '?') path.insert(0, "/");
        beast::error_code ec;
        tcp::endpoint local = stream_.socket().local_endpoint(ec);
        if (ec) return std::nullopt;
        std::string port = std::to_string(local.port()), address = local.address().to_string();
        if (local.address().is_v6()) address = "[" + address + "]";
        for (const std::string &host : {address, std::string("localhost")}) {
            if (SameLetters(authority, host + ":" + port)) return path;
            if (local.port() == 80 && SameLetters(authority, host)) return path;
        }
        return std::nullopt;
    }

    void Refuse(unsigned status, std::string why) { Write(TextResponse(status, std::move(why)), 11, false, false); }

    void Write(HttpResponse response, unsigned version, bool keepAlive, bool head) {
        if (server_->stopped) return Close();
        struct Sending {
            Outgoing message;
            std::optional<http::response_serializer<PiecesBody>> serializer;
        };
        auto sending = std::make_shared<Sending>();
        Outgoing &message = sending->message;
        message.result(static_cast<http::status>(response.status));
        message.version(version);
        message.set(http::field::server, "pat-host");
        message.set(http::field::content_type, response.contentType);
        message.set(http::field::cache_control, "no-store");
        message.set("X-Content-Type-Options", "nosniff");
        for (auto &[name, value] : response.headers) message.set(name, value);
        if (response.pieces) {
            message.body().pieces = std::move(response.pieces);
            if (version >= 11)
                message.chunked(true);
            else
                keepAlive = false;  // HTTP/1.0: the end of the connection ends the body
        } else {
            message.content_length(response.body.size());  // HEAD too, without the body
            message.body().pieces = [text = std::move(response.body)](std::string &out) {
                out += text;
                return false;
            };
        }
        message.keep_alive(keepAlive);
        sending->serializer.emplace(message);
        stream_.expires_after(server_->limits.writeTimeout);
        auto sent = [self = shared_from_this(), sending](beast::error_code ec, size_t) {
            if (ec || !sending->message.keep_alive() || self->server_->stopped) return self->Close();
            self->Read();
        };
        if (head)
            http::async_write_header(stream_, *sending->serializer, std::move(sent));
        else
            http::async_write(stream_, *sending->serializer, std::move(sent));
    }

    beast::tcp_stream stream_;
    beast::flat_buffer buffer_{8192};
    std::optional<http::request_parser<http::empty_body>> parser_;
    std::shared_ptr<HttpServerState> server_;
    bool idle_ = false;
    std::chrono::steady_clock::time_point idleSince_;
};

namespace {

// Closes the connection that has waited longest without a request in
// progress; false when every one is answering.
bool MakeRoom(HttpServerState &state) {
    std::shared_ptr<Session> oldest;
    std::chrono::steady_clock::time_point since;
    for (const std::weak_ptr<Session> &weak : state.sessions) {
        std::shared_ptr<Session> session = weak.lock();
        std::optional<std::chrono::steady_clock::time_point> idle = session ? session->IdleSince() : std::nullopt;
        if (idle && (!oldest || *idle < since)) {
            oldest = session;
            since = *idle;
        }
    }
    if (oldest) oldest->Close();
    return oldest != nullptr;
}

void Accept(const std::shared_ptr<HttpServerState> &state) {
    state->acceptor.async_accept([state](beast::error_code ec, tcp::socket socket) {
        if (ec == asio::error::operation_aborted || state->stopped) return;
        state->sessions.remove_if([](const std::weak_ptr<Session> &s) { return s.expired(); });
        if (ec) {
            // Out of descriptors, most likely: the pending connection stays
            // queued, so accepting again at once would spin. Free one if an
            // idle client holds it, and wait a moment.
            if (ec == asio::error::no_descriptors || ec == asio::error::no_buffer_space || ec.value() == ENFILE)
                MakeRoom(*state);
            state->backoff.expires_after(state->limits.acceptBackoff);
            state->backoff.async_wait([state](beast::error_code waited) {
                if (!waited && !state->stopped) Accept(state);
            });
            return;
        }
        if (state->sessions.size() >= state->limits.maxConnections && !MakeRoom(*state)) {
            beast::error_code ignored;
            socket.close(ignored);  // every connection is answering: the client may try again
        } else {
            auto session = std::make_shared<Session>(std::move(socket), state);
            state->sessions.push_back(session);
            session->Read();
        }
        Accept(state);
    });
}

}  // namespace

HttpResponse TextResponse(unsigned status, std::string text) {
    HttpResponse response;
    response.status = status;
    response.body = std::move(text) + "\n";
    return response;
}

HttpServer::HttpServer(asio::io_context &io, const tcp::endpoint &where, HttpLimits limits, HttpHandler handler)
    : state_(std::make_shared<HttpServerState>(io, limits, std::move(handler))) {
    state_->acceptor = Listen(io, where);
    Accept(state_);
}

HttpServer::~HttpServer() { Stop(); }

tcp::endpoint HttpServer::endpoint() const { return state_->acceptor.local_endpoint(); }

void HttpServer::Stop() {
    asio::dispatch(state_->acceptor.get_executor(), [state = state_] {
        if (state->stopped) return;
        state->stopped = true;
        beast::error_code ignored;
        state->backoff.cancel();
        state->acceptor.close(ignored);
        for (auto &weak : state->sessions)
            if (auto session = weak.lock()) session->Close();
        state->sessions.clear();
    });
}

}  // namespace pathost::serve
