// The device ID of a USB printer, through the Linux usblp driver.
#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "sources/device_id_source.h"

// usblp's "get device ID" request: a read of up to len bytes, request 1 of 'P'.
#define PATHOST_LPIOC_GET_DEVICE_ID(len) _IOC(_IOC_READ, 'P', 1, len)

namespace pathost {

DeviceIdRead ReadUsbDeviceId(const std::string &device) {
    DeviceIdRead read;
    int fd = open(device.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        read.failure = OutcomeKind::NoInput;
        read.error = "cannot open " + device + ": " + strerror(errno);
        return read;
    }
    // Zeroed, so whatever the driver does not fill reads as the end of text.
    char buffer[1024] = {};
    int status = ioctl(fd, PATHOST_LPIOC_GET_DEVICE_ID(sizeof buffer), buffer);
    int error = errno;
    close(fd);
    if (status < 0) {
        read.failure = OutcomeKind::DeviceIoError;
        read.error = "cannot read the device ID of " + device + ": " + strerror(error);
        return read;
    }
    read.ok = true;
    read.lengthPrefixed = true;
    read.bytes.assign(buffer, sizeof buffer);
    return read;
}

}  // namespace pathost
