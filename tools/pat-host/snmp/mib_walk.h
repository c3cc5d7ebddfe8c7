// Walks columns of an agent's MIB, asynchronously on the caller's io_context
// (the loop that also runs the PJL poll), through one UDP socket: GetBulk
// with v2c, GetNext with v1, several columns in each request. Bounded in
// every way an agent can misbehave: rows per column, the whole walk's time,
// OIDs that do not increase or leave the column, answers too big to send.
#ifndef PAT_HOST_SNMP_MIB_WALK_H
#define PAT_HOST_SNMP_MIB_WALK_H

#include <stddef.h>
#include <stdint.h>

#include <boost/asio/io_context.hpp>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "snmp/snmp_message.h"

namespace pathost::snmp {

struct WalkOptions {
    std::string host;
    uint16_t port = 161;
    std::string community = "public";
    Version version = Version::V2c;
    // With v2c: when the first request gets no answer at all, walk with v1.
    bool fallBackToV1 = true;
    // The whole walk, every request and retry together.
    std::chrono::milliseconds budget{2000};
    int retries = 1;         // sends after the first, per request
    size_t maxRows = 1000;   // per column; more ends the column with a note
};

// One column as walked: its rows in the order the agent gave them, each
// inside the column and after the one before.
struct WalkedColumn {
    enum class End {
        Complete,       // the agent went past the column, or said endOfMibView
        RowLimit,       // maxRows rows, and the column went on
        NotIncreasing,  // the agent answered an OID not after the previous one
        Unfinished,     // the budget ran out, or the agent fell silent
        Refused,        // an error status that named this column
    };
    Oid root;
    std::vector<Binding> rows;
    End end = End::Unfinished;
    std::string note;  // empty when Complete: what ended it, for people
};

struct WalkResult {
    enum class Status {
        Done,       // the agent answered (columns may still end early: see each column)
        NoAnswer,   // no answer at all within the budget (a wrong community too)
        Failed,     // the host did not resolve, or the socket failed: reason
        Cancelled,
    };
    Status status = Status::NoAnswer;
    std::vector<WalkedColumn> columns;  // one per column asked, in the order asked
    Version version = Version::V2c;     // the version that answered (or was last tried)
    unsigned requests = 0;              // datagrams sent, retries included
    std::string reason;                 // for every status but Done
};

const char *WalkStatusName(WalkResult::Status status);
const char *ColumnEndName(WalkedColumn::End end);

class MibWalk {
public:
    using Handler = std::function<void(const WalkResult &)>;

    // Must not outlive the io_context (its socket belongs to it).
    MibWalk(boost::asio::io_context &io, WalkOptions options, std::vector<Oid> columns);
    // Drops the handler without calling it and closes the socket.
    ~MibWalk();
    MibWalk(const MibWalk &) = delete;
    MibWalk &operator=(const MibWalk &) = delete;

    // Starts once; the handler runs exactly once, on the io_context (unless
    // the walk is destroyed first or the io_context stops for good).
    void Start(Handler handler);
    // Completes with Cancelled if still pending (for Ctrl-C).
    void Cancel();

private:
    std::shared_ptr<struct WalkState> state_;
};

}  // namespace pathost::snmp

#endif
