#include "sources/text_source.h"

namespace pathost {

namespace {

class Text : public DeviceIdSource {
public:
    explicit Text(std::string text) : text_(std::move(text)) {}
    std::string Doing() const override { return "taking the device ID given"; }
    std::shared_ptr<void> Ask(boost::asio::io_context &io, const DeviceIdRequest &,
                              std::function<void(DeviceIdResult)> done) const override {
        return AnswerSoon(
            io,
            [text = text_]() -> DeviceIdResult {
                DeviceIdFound found{text, LooksLengthPrefixed(text), {"text", "--device-id", {}, "text (--device-id)"}};
                return DeviceIdAnswer{std::move(found), {}};
            },
            std::move(done));
    }

private:
    std::string text_;
};

}  // namespace

SourcePtr TextSource(std::string text) { return std::make_shared<Text>(std::move(text)); }

SourceKind TextSourceKind() {
    SourceKind kind;
    kind.name = "text";
    kind.option = "--device-id";
    kind.typeName = "TEXT";
    kind.help = "the printer's IEEE 1284 device ID text";
    kind.field = "deviceId";
    kind.valueCheck = NonEmptyText();
    kind.make = [](const SourceConfig &config) { return TextSource(config.value); };
    return kind;
}

}  // namespace pathost
