#include "sources/text_source.h"

namespace pathost {

SourcePtr TextSource(std::string text) {
    return AnsweredWhenAsked("taking the device ID given", [text]() -> DeviceIdResult {
        DeviceIdFound found{text, LooksLengthPrefixed(text), {"text", "--device-id", {}, "text (--device-id)"}};
        return DeviceIdAnswer{std::move(found), {}};
    });
}

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
