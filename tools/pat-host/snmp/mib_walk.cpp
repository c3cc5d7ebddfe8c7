#include "snmp/mib_walk.h"

#include <algorithm>
#include <boost/asio/ip/udp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <random>

namespace pathost::snmp {

const char *WalkStatusName(WalkResult::Status status) {
    using S = WalkResult::Status;
    switch (status) {
        case S::Done: return "done";
        case S::NoAnswer: return "no answer";
        case S::Failed: return "failed";
        case S::Cancelled: return "cancelled";
    }
    return "?";
}

const char *ColumnEndName(WalkedColumn::End end) {
    using E = WalkedColumn::End;
    switch (end) {
        case E::Complete: return "complete";
        case E::RowLimit: return "row limit";
        case E::NotIncreasing: return "not increasing";
        case E::Unfinished: return "unfinished";
        case E::Refused: return "refused";
    }
    return "?";
}

namespace {

using boost::asio::ip::udp;
using Clock = std::chrono::steady_clock;
using End = WalkedColumn::End;
using Status = WalkResult::Status;

constexpr size_t kMaxDatagram = 64 * 1024;
// What one answer may carry: 60 bindings of Printer MIB rows (names of 12 to
// 14 sub-identifiers, short values: about 23 bytes each) stay near 1400
// bytes, one Ethernet frame, and well inside the 1472 bytes of UDP payload
// such a frame holds.
constexpr size_t kBindingsPerAnswer = 60;
// Columns per GetBulk: each gets kBindingsPerAnswer / columns repetitions,
// so 10 columns of up to 5 rows (6 repetitions: the 6th shows the end)
// finish in one answer. A GetNext asks as many columns as an answer carries.
constexpr size_t kColumnsPerBulk = 10;
constexpr int32_t kTooBig = 1, kNoSuchName = 2;

bool InsideColumn(const Oid &oid, const Oid &root) {
    return oid.size() > root.size() && std::equal(root.begin(), root.end(), oid.begin());
}

bool IsException(Binding::Kind kind) {
    return kind == Binding::Kind::NoSuchObject || kind == Binding::Kind::NoSuchInstance ||
           kind == Binding::Kind::EndOfMibView;
}

}  // namespace

// Everything the handlers touch; they hold it by shared_ptr, so a handler that
// runs after the walk object is gone, or is destroyed with a stopped
// io_context, touches only this.
struct WalkState : std::enable_shared_from_this<WalkState> {
    struct Column {
        WalkedColumn walked;
        Oid position;  // the last OID answered in it (its root before any)
        bool over = false;
    };

    WalkState(boost::asio::io_context &io, WalkOptions o, std::vector<Oid> roots)
        : resolver(io), socket(io), timer(io), options(std::move(o)), buffer(kMaxDatagram),
          nextId(static_cast<int32_t>(std::random_device{}() & 0x3FFFFFFF) + 1) {
        for (Oid &root : roots) columns.push_back({{root, {}, End::Unfinished, {}}, root, false});
    }

    void Start() {
        start = Clock::now();
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
        request.community = options.community;
        Receive();
        Begin(options.version);
    }

    // A walk from the start with one version (the v1 fallback begins anew).
    void Begin(Version version) {
        request.version = version;
        request.kind = version == Version::V2c ? PduKind::GetBulk : PduKind::GetNext;
        columnCap = version == Version::V2c ? kColumnsPerBulk : kBindingsPerAnswer;
        repetitionCap = static_cast<int32_t>(kBindingsPerAnswer);
        for (Column &c : columns) c = {{c.walked.root, {}, End::Unfinished, {}}, c.walked.root, false};
        Ask();
    }

    // The next request: the first unfinished columns at their positions, and
    // a new request id, so an answer to an earlier request is never taken
    // for this one.
    void Ask() {
        asked.clear();
        for (size_t i = 0; i < columns.size() && asked.size() < columnCap; ++i)
            if (!columns[i].over) asked.push_back(i);
        if (asked.empty()) return Finish(Status::Done, {});
        request.oids.clear();
        for (size_t i : asked) request.oids.push_back(columns[i].position);
        request.nonRepeaters = 0;
        request.maxRepetitions =
            request.kind == PduKind::GetBulk
                ? std::min(repetitionCap, static_cast<int32_t>(std::max<size_t>(1, kBindingsPerAnswer / asked.size())))
                : 0;
        request.requestId = nextId++ & 0x7FFFFFFF;
        datagram = EncodeRequest(request);
        sends = 0;
        Send();
    }

    // With v2c and the fallback, v2c's first request may take half the
    // budget: the other half is v1's.
    Clock::time_point Deadline() const {
        bool mayFallBack = request.version == Version::V2c && options.fallBackToV1 && !answered;
        return start + (mayFallBack ? options.budget / 2 : options.budget);
    }

    // Each try waits for what remains of the budget shared over the tries
    // this request has left.
    void Send() {
        int tries = std::max(options.retries, 0) + 1;
        Clock::duration remaining = Deadline() - Clock::now();
        if (remaining <= Clock::duration::zero() || sends >= tries) return Unanswered();
        Clock::duration wait = remaining / (tries - sends);
        ++sends;
        ++requests;
        auto self = shared_from_this();
        // Each send owns its bytes: the next request may be made before this
        // send completes.
        auto bytes = std::make_shared<std::vector<uint8_t>>(datagram);
        socket.async_send_to(boost::asio::buffer(*bytes), peer, [self, bytes](const boost::system::error_code &ec, size_t) {
            if (!self->Over() && ec) self->Finish(Status::Failed, "cannot send to the agent: " + ec.message());
        });
        timer.expires_after(wait);
        timer.async_wait([self, generation = ++timerGeneration](const boost::system::error_code &ec) {
            if (!self->Over() && !ec && generation == self->timerGeneration) self->Send();
        });
    }

    // Every try of the request went unanswered, or the budget is spent.
    void Unanswered() {
        ++timerGeneration;
        std::string problem = lastProblem.empty() ? "" : "; the last answer was malformed: " + lastProblem;
        if (!answered && request.version == Version::V2c && options.fallBackToV1) return Begin(Version::V1);
        if (!answered)
            return Finish(Status::NoAnswer, "no answer to " + std::to_string(requests) + " requests within " +
                                                std::to_string(options.budget.count()) + " ms" +
                                                (request.version != options.version ? " (v2c, then v1)" : "") +
                                                problem);
        std::string note = "the agent stopped answering: no answer to a " + std::string(PduKindName(request.kind)) +
                           " within the walk's " + std::to_string(options.budget.count()) + " ms" + problem;
        for (Column &c : columns)
            if (!c.over) EndColumn(c, End::Unfinished, note);
        Finish(Status::Done, {});
    }

    void Receive() {
        auto self = shared_from_this();
        socket.async_receive_from(boost::asio::buffer(buffer), from, [self](const boost::system::error_code &ec, size_t n) {
            if (self->Over()) return;
            // An ICMP refusal of an earlier send reports nothing about this
            // one: keep listening, the timer decides.
            if (ec == boost::asio::error::connection_refused) return self->Receive();
            if (ec) return self->Finish(Status::Failed, "cannot receive: " + ec.message());
            self->OnDatagram(n);
        });
    }

    void OnDatagram(size_t n) {
        if (from != peer) return Receive();  // another source: not an answer
        if (n >= buffer.size()) {
            lastProblem = "a datagram of " + std::to_string(kMaxDatagram) + " bytes or more";
            return Receive();
        }
        TypedResponse response = DecodeResponse(std::span(buffer.data(), n), request);
        // A malformed answer is no answer: the tries and the budget decide.
        if (response.outcome == Outcome::Malformed) lastProblem = response.reason;
        if (response.outcome != Outcome::Value && response.outcome != Outcome::ErrorStatus) return Receive();
        answered = true;
        lastProblem.clear();
        ++timerGeneration;
        timer.cancel();
        Receive();
        if (response.outcome == Outcome::ErrorStatus) return OnErrorStatus(response);
        if (response.bindings.empty()) {
            for (size_t i : asked) EndColumn(columns[i], End::Unfinished, "the agent answered with no rows");
            return Ask();
        }
        // GetBulk without non-repeaters answers row by row: binding j is the
        // next row of the (j mod K)-th column asked; a GetNext is one row.
        for (size_t j = 0; j < response.bindings.size(); ++j) {
            Column &c = columns[asked[j % asked.size()]];
            if (!c.over) Take(c, std::move(response.bindings[j]));
        }
        Ask();
    }

    void Take(Column &c, Binding b) {
        if (IsException(b.kind) || !InsideColumn(b.oid, c.walked.root)) return EndColumn(c, End::Complete, {});
        if (!(c.position < b.oid))
            return EndColumn(c, End::NotIncreasing,
                             "OID not increasing: " + FormatOid(b.oid) + " after " + FormatOid(c.position));
        if (c.walked.rows.size() >= options.maxRows)
            return EndColumn(c, End::RowLimit, "more than " + std::to_string(options.maxRows) + " rows");
        c.position = b.oid;
        c.walked.rows.push_back(std::move(b));
    }

    void OnErrorStatus(const TypedResponse &r) {
        size_t named = static_cast<size_t>(r.errorIndex);  // 1-based; 0 names no column
        if (r.errorStatus == kTooBig) {
            if (request.kind == PduKind::GetBulk && request.maxRepetitions > 1) {
                repetitionCap = request.maxRepetitions / 2;
            } else if (asked.size() > 1) {
                columnCap = asked.size() / 2;
            } else {
                EndColumn(columns[asked[0]], End::Refused,
                          "the agent answers tooBig (error status 1) even for one row of this column");
            }
        } else if (named == 0) {
            for (size_t i : asked)
                EndColumn(columns[i], End::Refused, "error status " + std::to_string(r.errorStatus) + " naming no column");
        } else if (r.errorStatus == kNoSuchName) {
            // v1's way of saying the column's next object is past the end of the MIB.
            EndColumn(columns[asked[named - 1]], End::Complete, {});
        } else {
            EndColumn(columns[asked[named - 1]], End::Refused, "error status " + std::to_string(r.errorStatus));
        }
        Ask();
    }

    static void EndColumn(Column &c, End end, std::string note) {
        c.over = true;
        c.walked.end = end;
        c.walked.note = std::move(note);
    }

    void Finish(Status status, std::string reason) {
        if (done) return;
        done = true;
        Close();
        WalkResult result;
        result.status = status;
        for (Column &c : columns) {
            if (!c.over && status != Status::Done) c.walked.note = reason;
            result.columns.push_back(std::move(c.walked));
        }
        result.version = request.version;
        result.requests = requests;
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

    using Handler = MibWalk::Handler;
    udp::resolver resolver;
    udp::socket socket;
    boost::asio::steady_timer timer;
    WalkOptions options;
    Handler handler;
    std::vector<uint8_t> buffer;
    std::vector<uint8_t> datagram;
    udp::endpoint peer, from;
    std::vector<Column> columns;
    std::vector<size_t> asked;  // the columns of the request in flight, in its order
    Request request;
    size_t columnCap = kColumnsPerBulk;
    int32_t repetitionCap = static_cast<int32_t>(kBindingsPerAnswer);  // halved by each tooBig
    Clock::time_point start;
    std::string lastProblem;  // the last malformed answer, for the note if no good one follows
    int sends = 0;
    unsigned requests = 0;
    uint64_t timerGeneration = 0;
    int32_t nextId;
    bool answered = false;  // some request of this version got an answer of ours: no v1 fallback
    bool started = false;
    bool cancelling = false;
    bool done = false;
};

MibWalk::MibWalk(boost::asio::io_context &io, WalkOptions options, std::vector<Oid> columns)
    : state_(std::make_shared<WalkState>(io, std::move(options), std::move(columns))) {}

MibWalk::~MibWalk() {
    state_->handler = nullptr;
    state_->done = true;
    state_->Close();
}

void MibWalk::Start(Handler handler) {
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

void MibWalk::Cancel() {
    if (state_->done || state_->cancelling) return;
    state_->cancelling = true;
    state_->Close();
    // The handler runs from the loop, never inside the caller's Cancel().
    boost::asio::post(state_->socket.get_executor(),
                      [state = state_] { state->Finish(Status::Cancelled, "cancelled"); });
}

}  // namespace pathost::snmp
