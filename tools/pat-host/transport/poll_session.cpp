#include "transport/poll_session.h"

#include <algorithm>
#include <array>
#include <boost/asio/connect.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/write.hpp>
#include <memory>

namespace pathost {

namespace {

using boost::asio::ip::tcp;
using Clock = std::chrono::steady_clock;

class Exchange : public std::enable_shared_from_this<Exchange> {
public:
    Exchange(boost::asio::io_context &io, const Target &target, std::string request, AnswerTracker tracker,
             const SessionLimits &limits, SessionDone done)
        : target_(target),
          request_(std::move(request)),
          limits_(limits),
          done_(std::move(done)),
          resolver_(io),
          socket_(io),
          overall_(io),
          idle_(io) {
        result_.tracker = std::move(tracker);
    }

    void Start() {
        start_ = Clock::now();
        auto self = shared_from_this();
        overall_.expires_after(limits_.overall);
        overall_.async_wait([self](const boost::system::error_code &ec) {
            if (ec) return;
            if (!self->connected_)
                self->Finish(SessionEnd::Unreachable, "no connection within the overall timeout");
            else
                self->Finish(SessionEnd::OverallTimeout, {});
        });
        resolver_.async_resolve(target_.host, std::to_string(target_.port),
                                [self](const boost::system::error_code &ec, tcp::resolver::results_type results) {
                                    if (ec)
                                        self->Finish(SessionEnd::Unreachable, "cannot resolve the host: " + ec.message());
                                    else
                                        self->Connect(results);
                                });
    }

    void Stop() { Finish(SessionEnd::Interrupted, "interrupted"); }

private:
    // The range connect reports a socket it could not open as "Operation
    // canceled"; a host out of descriptors is not an unreachable printer.
    bool OutOfDescriptors(const boost::system::error_code &ec) {
        if (ec != boost::system::errc::too_many_files_open && ec != boost::system::errc::too_many_files_open_in_system)
            return false;
        Finish(SessionEnd::NoDescriptors, "cannot open a socket: " + ec.message());
        return true;
    }

    void Connect(const tcp::resolver::results_type &results) {
        auto self = shared_from_this();
        boost::system::error_code opened;
        socket_.open(results.begin()->endpoint().protocol(), opened);
        if (OutOfDescriptors(opened)) return;
        socket_.close(opened);
        boost::asio::async_connect(socket_, results, [self](const boost::system::error_code &ec, const tcp::endpoint &) {
            if (self->OutOfDescriptors(ec)) return;
            if (ec) return self->Finish(SessionEnd::Unreachable, "cannot connect: " + ec.message());
            self->connected_ = true;
            self->Send();
        });
    }

    void Send() {
        auto self = shared_from_this();
        boost::asio::async_write(socket_, boost::asio::buffer(request_), [self](const boost::system::error_code &ec, size_t) {
            if (ec) return self->Finish(SessionEnd::PeerClosed, "sending the query failed: " + ec.message());
            self->ArmIdle();
            self->Read();
        });
    }

    void ArmIdle() {
        auto self = shared_from_this();
        unsigned generation = ++idleGeneration_;
        idle_.expires_after(limits_.idle);
        idle_.async_wait([self, generation](const boost::system::error_code &ec) {
            if (!ec && generation == self->idleGeneration_) self->Finish(SessionEnd::IdleTimeout, {});
        });
    }

    void Read() {
        auto self = shared_from_this();
        socket_.async_read_some(boost::asio::buffer(chunk_), [self](const boost::system::error_code &ec, size_t n) {
            self->OnRead(ec, n);
        });
    }

    void OnRead(const boost::system::error_code &ec, size_t n) {
        if (finished_) return;
        if (n > 0) {
            result_.bytesReceived += n;
            size_t room = limits_.maxBytes - result_.answer.size();
            size_t keep = n < room ? n : room;
            // Grown by doubling but never past the limit: a flood that reaches
            // it holds maxBytes, not up to twice that.
            if (result_.answer.size() + keep > result_.answer.capacity())
                result_.answer.reserve(std::min(limits_.maxBytes, std::max(result_.answer.capacity() * 2,
                                                                           result_.answer.size() + keep)));
            result_.answer.append(chunk_.data(), keep);
            result_.tracker.Feed(std::string_view(chunk_.data(), keep));
            if (result_.tracker.Done()) return Finish(SessionEnd::Complete, {});
            if (keep < n) return Finish(SessionEnd::ByteLimit, {});
            ArmIdle();
        }
        if (ec == boost::asio::error::eof) return Finish(SessionEnd::PeerClosed, {});
        if (ec) return Finish(SessionEnd::PeerClosed, ec.message());
        Read();
    }

    void Finish(SessionEnd end, std::string error) {
        if (finished_) return;
        finished_ = true;
        boost::system::error_code ignored;
        overall_.cancel();
        idle_.cancel();
        resolver_.cancel();
        socket_.shutdown(tcp::socket::shutdown_both, ignored);
        socket_.close(ignored);
        result_.end = end;
        result_.error = std::move(error);
        result_.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_);
        SessionDone done = std::move(done_);
        done(std::move(result_));
    }

    Target target_;
    std::string request_;
    SessionLimits limits_;
    SessionDone done_;
    tcp::resolver resolver_;
    tcp::socket socket_;
    boost::asio::steady_timer overall_;
    boost::asio::steady_timer idle_;
    std::array<char, 16384> chunk_{};
    SessionResult result_;
    Clock::time_point start_;
    unsigned idleGeneration_ = 0;
    bool connected_ = false;
    bool finished_ = false;
};

}  // namespace

StopExchange StartExchange(boost::asio::io_context &io, const Target &target, std::string request, AnswerTracker tracker,
                           const SessionLimits &limits, SessionDone done) {
    auto exchange = std::make_shared<Exchange>(io, target, std::move(request), std::move(tracker), limits, std::move(done));
    exchange->Start();
    // Weak: an exchange lives only as long as its own operations.
    return [weak = std::weak_ptr<Exchange>(exchange)] {
        if (auto alive = weak.lock()) alive->Stop();
    };
}

}  // namespace pathost
