#include "sources/file_source.h"

#include "input/input_file.h"

namespace pathost {

namespace {

// A device ID is a few hundred bytes; a file far larger is not one.
constexpr size_t kDeviceIdFileLimit = 64 * 1024;

DeviceIdResult ReadFile(const std::string &path) {
    Expected<std::string> read = ReadInputFile(path, "the device ID file", kDeviceIdFileLimit, "larger than 64 KiB");
    if (!read) return std::unexpected(read.error());
    std::string bytes = std::move(*read);
    DeviceIdFound found{{}, LooksLengthPrefixed(bytes), {"file", path, {}, "file (" + path + ")"}};
    // A file written by hand ends with a line end that is not part of the ID.
    if (!found.lengthPrefixed)
        while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) bytes.pop_back();
    found.bytes = std::move(bytes);
    return DeviceIdAnswer{std::move(found), {}};
}


}  // namespace

SourcePtr FileSource(std::string path) {
    return AnsweredWhenAsked("reading the device ID file " + path, [path] { return ReadFile(path); });
}

SourceKind FileSourceKind() {
    SourceKind kind;
    kind.name = "file";
    kind.option = "--device-id-file";
    kind.typeName = "FILE";
    kind.help = "a file holding the device ID (with or without its two length bytes)";
    kind.make = [](const SourceConfig &config) { return FileSource(config.value); };
    return kind;
}

}  // namespace pathost
