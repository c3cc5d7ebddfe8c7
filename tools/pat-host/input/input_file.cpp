#include "input/input_file.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pathost {

namespace {

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) close(fd);
    }
};

}  // namespace

Expected<std::string> ReadInputFile(const std::string &path, const std::string &what, size_t limit,
                                    const std::string &tooLarge) {
    Descriptor file{open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) return Fail(OutcomeKind::NoInput, "cannot open " + what + " " + path);
    struct stat status {};
    // A directory opens for reading and reads as nothing: it is no input.
    if (fstat(file.fd, &status) == 0 && S_ISDIR(status.st_mode))
        return Fail(OutcomeKind::NoInput, "cannot open " + what + " " + path + ": it is a directory");
    std::string bytes;
    char buffer[16384];
    for (;;) {
        ssize_t n = read(file.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Fail(OutcomeKind::NoInput, "cannot read " + what + " " + path + ": " + strerror(errno));
        if (n == 0) return bytes;
        if (static_cast<size_t>(n) > limit - bytes.size())
            return Fail(OutcomeKind::DataError, what + " " + path + " is " + tooLarge);
        bytes.append(buffer, static_cast<size_t>(n));
    }
}

}  // namespace pathost
