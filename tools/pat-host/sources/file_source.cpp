#include "sources/file_source.h"

#include <fstream>

namespace pathost {

namespace {

// A device ID is a few hundred bytes; a file far larger is not one.
constexpr size_t kDeviceIdFileLimit = 64 * 1024;

DeviceIdResult ReadFile(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return Fail(OutcomeKind::NoInput, "cannot open the device ID file " + path);
    std::string bytes;
    char buffer[4096];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        bytes.append(buffer, static_cast<size_t>(file.gcount()));
        if (bytes.size() > kDeviceIdFileLimit)
            return Fail(OutcomeKind::DataError, "the device ID file " + path + " is larger than 64 KiB");
    }
    DeviceIdFound found{{}, LooksLengthPrefixed(bytes), {"file", path, {}, "file (" + path + ")"}};
    // A file written by hand ends with a line end that is not part of the ID.
    if (!found.lengthPrefixed)
        while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) bytes.pop_back();
    found.bytes = std::move(bytes);
    return DeviceIdAnswer{std::move(found), {}};
}

class File : public DeviceIdSource {
public:
    explicit File(std::string path) : path_(std::move(path)) {}
    std::string Doing() const override { return "reading the device ID file " + path_; }
    std::shared_ptr<void> Ask(boost::asio::io_context &io, const DeviceIdRequest &,
                              std::function<void(DeviceIdResult)> done) const override {
        return AnswerSoon(io, [path = path_] { return ReadFile(path); }, std::move(done));
    }

private:
    std::string path_;
};

}  // namespace

SourcePtr FileSource(std::string path) { return std::make_shared<File>(std::move(path)); }

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
