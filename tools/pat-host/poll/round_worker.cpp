#include "poll/round_worker.h"

#include <boost/asio/post.hpp>
#include <exception>

namespace pathost {

RoundWorker::~RoundWorker() {
    if (pool_) {
        pool_->stop();
        pool_->join();
    }
}

void RoundWorker::Run(boost::asio::io_context &io, std::function<void()> work, std::function<void()> done) {
    if (!pool_) pool_ = std::make_unique<boost::asio::thread_pool>(1);
    boost::asio::post(*pool_, [&io, work = std::move(work), done = std::move(done)] {
        std::exception_ptr failure;
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        boost::asio::post(io, [done, failure] {
            if (failure) std::rethrow_exception(failure);
            done();
        });
    });
}

}  // namespace pathost
