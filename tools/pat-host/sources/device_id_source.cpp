#include "sources/device_id_source.h"

#include <boost/asio/post.hpp>

namespace pathost {

PreparedDeviceId PrepareDeviceId(const DeviceIdFound &found, bool raw) {
    PreparedDeviceId prepared;
    if (raw) {
        prepared.text = found.bytes;
        return prepared;
    }
    prepared.cleaning = CleanDeviceId(found.bytes, found.lengthPrefixed);
    prepared.text = prepared.cleaning.text;
    prepared.cleaned = true;
    return prepared;
}

DeviceIdResult AskNow(const DeviceIdSource &source, const DeviceIdRequest &request) {
    boost::asio::io_context io;
    std::optional<DeviceIdResult> result;
    std::shared_ptr<void> asking = source.Ask(io, request, [&](DeviceIdResult r) { result = std::move(r); });
    io.run();
    if (!result) return Fail(OutcomeKind::InternalError, "the device ID source never answered");
    return std::move(*result);
}

std::shared_ptr<void> AnswerSoon(boost::asio::io_context &io, std::function<DeviceIdResult()> read,
                                 std::function<void(DeviceIdResult)> done) {
    // The handle is the only owner of `done`: released, nothing is called.
    auto pending = std::make_shared<std::function<void(DeviceIdResult)>>(std::move(done));
    std::weak_ptr<std::function<void(DeviceIdResult)>> weak = pending;
    boost::asio::post(io, [weak, read = std::move(read)] {
        if (auto done = weak.lock()) (*done)(read());
    });
    return pending;
}

namespace {

class WhenAsked : public DeviceIdSource {
public:
    WhenAsked(std::string doing, std::function<DeviceIdResult()> read) : doing_(std::move(doing)), read_(std::move(read)) {}
    std::string Doing() const override { return doing_; }
    std::shared_ptr<void> Ask(boost::asio::io_context &io, const DeviceIdRequest &,
                              std::function<void(DeviceIdResult)> done) const override {
        return AnswerSoon(io, read_, std::move(done));
    }

private:
    std::string doing_;
    std::function<DeviceIdResult()> read_;
};

}  // namespace

SourcePtr AnsweredWhenAsked(std::string doing, std::function<DeviceIdResult()> read) {
    return std::make_shared<WhenAsked>(std::move(doing), std::move(read));
}

}  // namespace pathost
