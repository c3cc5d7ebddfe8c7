#include "cli/standard_streams.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <unistd.h>

namespace pathost {

void HoldClosedStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd)
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) open("/dev/null", O_RDONLY);  // takes the lowest free: fd
}

Expected<void> Flushed(std::ostream &out, const std::string &what) {
    errno = 0;
    out.flush();
    if (out) return {};
    int error = errno;
    return Fail(OutcomeKind::OutputError, "cannot write to " + what + (error != 0 ? std::string(": ") + strerror(error) : ""));
}

}  // namespace pathost
