// The module's reading of a round's answers, on a thread of its own. A
// printer that sends megabytes costs seconds of module time (about 4 s at the
// 16 MiB ceiling of --max-bytes under qemu-i386), and on the polling thread
// no other poll would start and no timer would fire meanwhile. The module is
// reentrant, and a poll's record is its round's alone until the round returns.
#ifndef PAT_HOST_POLL_ROUND_WORKER_H
#define PAT_HOST_POLL_ROUND_WORKER_H

#include <boost/asio/io_context.hpp>
#include <boost/asio/thread_pool.hpp>
#include <functional>
#include <memory>

namespace pathost {

class RoundWorker {
public:
    RoundWorker() = default;
    // Waits for the round in progress; the queued ones are dropped. Destroy
    // it before the io_context the rounds report to.
    ~RoundWorker();
    RoundWorker(const RoundWorker &) = delete;
    RoundWorker &operator=(const RoundWorker &) = delete;

    // Runs `work` on the worker, then `done` on `io`. What `work` throws
    // (out of memory) is thrown from `io`'s run instead. The thread starts at
    // the first round, after the caller has set its signal mask.
    void Run(boost::asio::io_context &io, std::function<void()> work, std::function<void()> done);

private:
    std::unique_ptr<boost::asio::thread_pool> pool_;
};

}  // namespace pathost

#endif
