#include "simulator/server.h"

#include <array>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/write.hpp>

#include "simulator/answers.h"
#include "simulator/command_reader.h"
#include "transport/listener.h"

namespace pathost::sim {

namespace {

using boost::asio::ip::tcp;

constexpr std::array<std::pair<Fault, const char *>, 7> kFaults = {{
    {Fault::None, "none"},
    {Fault::Silent, "silent"},
    {Fault::CloseMid, "close-mid"},
    {Fault::NoFormFeed, "no-ff"},
    {Fault::Flood, "flood"},
    {Fault::Garbage, "garbage"},
    {Fault::Drip, "drip"},
}};

// The flood repeats one chunk: the simulator's memory stays the same however
// long the flood goes on.
std::string FloodChunk() {
    std::string chunk;
    while (chunk.size() < 16384) chunk += "@PJL INFO FLOOD\r\nFLOODFLOODFLOODFLOODFLOODFLOODFLOODFLOOD\r\n";
    return chunk;
}

// Bytes that are not PJL: no "@", no form feed; fixed, so tests see the same.
std::string GarbageBytes() {
    std::string bytes;
    uint32_t x = 0x2545F491u;
    for (int i = 0; i < 4096; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        char c = static_cast<char>(x & 0xFF);
        if (c == '@' || c == '\f') c = '#';
        bytes += c;
    }
    return bytes;
}

class Connection : public std::enable_shared_from_this<Connection> {
public:
    Connection(tcp::socket socket, Fault fault, std::chrono::milliseconds drip, Profile profile)
        : socket_(std::move(socket)), timer_(socket_.get_executor()), fault_(fault), drip_(drip),
          profile_(std::move(profile)) {}

    void Start() { Read(); }

private:
    void Read() {
        auto self = shared_from_this();
        socket_.async_read_some(boost::asio::buffer(chunk_), [self](const boost::system::error_code &ec, size_t n) {
            if (ec) return self->Close();
            self->OnCommands(self->reader_.Feed(std::string_view(self->chunk_.data(), n)));
            if (!self->closing_) self->Read();
        });
    }

    void OnCommands(const std::vector<Command> &commands) {
        std::string answers;
        for (const Command &command : commands) answers += AnswerTo(command, profile_);
        if (answers.empty() || closing_) return;
        switch (fault_) {
            case Fault::None: return Send(std::move(answers));
            case Fault::Silent: return;
            case Fault::NoFormFeed:
                std::erase(answers, '\f');
                return Send(std::move(answers));
            case Fault::CloseMid:
                closing_ = true;
                answers.resize(answers.size() / 2);
                return Send(std::move(answers));
            case Fault::Garbage:
                closing_ = true;
                return Send(GarbageBytes());
            case Fault::Flood:
                if (!flooding_) {
                    flooding_ = true;
                    Flood();
                }
                return;
            case Fault::Drip:
                drip_queue_ += answers;
                if (drip_queue_.size() == answers.size()) DripNext();
                return;
        }
    }

    // One write at a time, in order; closes afterwards when closing.
    void Send(std::string bytes) {
        outbox_ += bytes;
        if (!writing_) WriteNext();
    }

    void WriteNext() {
        if (outbox_.empty()) {
            writing_ = false;
            if (closing_) Close();
            return;
        }
        writing_ = true;
        auto self = shared_from_this();
        auto data = std::make_shared<std::string>(std::move(outbox_));
        outbox_.clear();
        boost::asio::async_write(socket_, boost::asio::buffer(*data), [self, data](const boost::system::error_code &ec, size_t) {
            if (ec) return self->Close();
            self->WriteNext();
        });
    }

    void Flood() {
        static const std::string chunk = FloodChunk();
        auto self = shared_from_this();
        boost::asio::async_write(socket_, boost::asio::buffer(chunk), [self](const boost::system::error_code &ec, size_t) {
            if (ec) return self->Close();
            self->Flood();
        });
    }

    void DripNext() {
        auto self = shared_from_this();
        timer_.expires_after(drip_);
        timer_.async_wait([self](const boost::system::error_code &ec) {
            if (ec || self->drip_queue_.empty() || !self->socket_.is_open()) return;
            auto byte = std::make_shared<char>(self->drip_queue_.front());
            self->drip_queue_.erase(0, 1);
            boost::asio::async_write(self->socket_, boost::asio::buffer(byte.get(), 1), [self, byte](const boost::system::error_code &ec, size_t) {
                if (ec) return self->Close();
                if (!self->drip_queue_.empty()) self->DripNext();
            });
        });
    }

    void Close() {
        boost::system::error_code ignored;
        timer_.cancel();
        socket_.shutdown(tcp::socket::shutdown_both, ignored);
        socket_.close(ignored);
    }

    tcp::socket socket_;
    boost::asio::steady_timer timer_;
    Fault fault_;
    std::chrono::milliseconds drip_;
    Profile profile_;
    CommandReader reader_;
    std::array<char, 4096> chunk_{};
    std::string outbox_;
    std::string drip_queue_;
    bool writing_ = false;
    bool closing_ = false;
    bool flooding_ = false;
};

}  // namespace

struct ServerState {
    explicit ServerState(boost::asio::io_context &io) : acceptor(io) {}
    tcp::acceptor acceptor;
    ServerOptions options;
    mutable std::mutex mutex;
    Profile profile;
    size_t connections = 0;
};

namespace {

void Accept(const std::shared_ptr<ServerState> &state) {
    state->acceptor.async_accept([state](const boost::system::error_code &ec, tcp::socket socket) {
        if (ec) return;  // closed
        Profile profile;
        {
            std::lock_guard<std::mutex> lock(state->mutex);
            ++state->connections;
            profile = state->profile;
        }
        std::make_shared<Connection>(std::move(socket), state->options.fault, state->options.drip, std::move(profile))
            ->Start();
        if (state->acceptor.is_open()) Accept(state);
    });
}

}  // namespace

std::optional<Fault> ParseFault(const std::string &name) {
    for (const auto &[fault, text] : kFaults)
        if (name == text) return fault;
    return std::nullopt;
}

const char *FaultName(Fault fault) {
    for (const auto &[f, text] : kFaults)
        if (f == fault) return text;
    return "?";
}

std::string FaultNames() {
    std::string names;
    for (const auto &[fault, text] : kFaults) names += (names.empty() ? "" : ", ") + std::string(text);
    return names;
}

std::vector<std::string> FaultNameList() {
    std::vector<std::string> names;
    for (const auto &[fault, text] : kFaults) names.emplace_back(text);
    return names;
}

Server::Server(boost::asio::io_context &io, const ServerOptions &options, Profile profile)
    : state_(std::make_shared<ServerState>(io)) {
    state_->options = options;
    state_->profile = std::move(profile);
    tcp::endpoint endpoint(boost::asio::ip::make_address(options.host), options.port);
    state_->acceptor = Listen(io, endpoint);
    Accept(state_);
}

Server::~Server() { Stop(); }

boost::asio::ip::tcp::endpoint Server::endpoint() const { return state_->acceptor.local_endpoint(); }

void Server::SetProfile(Profile profile) {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->profile = std::move(profile);
}

Profile Server::profile() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->profile;
}

size_t Server::connections() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->connections;
}

void Server::Stop() {
    boost::system::error_code ignored;
    state_->acceptor.close(ignored);
}

}  // namespace pathost::sim
