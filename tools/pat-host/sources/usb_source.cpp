#include "sources/usb_source.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/ioctl.h>
#include <unistd.h>

// usblp's "get device ID" request: a read of up to len bytes, request 1 of 'P'.
#define PATHOST_LPIOC_GET_DEVICE_ID(len) _IOC(_IOC_READ, 'P', 1, len)

namespace pathost {

namespace {

DeviceIdResult ReadUsbDeviceId(const std::string &device) {
    int fd = open(device.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return Fail(OutcomeKind::NoInput, "cannot open " + device + ": " + strerror(errno));
    // Zeroed, so whatever the driver does not fill reads as the end of text.
    char buffer[1024] = {};
    int status = ioctl(fd, PATHOST_LPIOC_GET_DEVICE_ID(sizeof buffer), buffer);
    int error = errno;
    close(fd);
    if (status < 0)
        return Fail(OutcomeKind::DeviceIoError, "cannot read the device ID of " + device + ": " + strerror(error));
    DeviceIdFound found{std::string(buffer, sizeof buffer), true, {"usb", device, {}, "usb (" + device + ")"}};
    return DeviceIdAnswer{std::move(found), {}};
}


}  // namespace

SourcePtr UsbSource(std::string device) {
    return AnsweredWhenAsked("reading the device ID of " + device, [device] { return ReadUsbDeviceId(device); });
}

SourceKind UsbSourceKind() {
    SourceKind kind;
    kind.name = "usb";
    kind.network = true;
    kind.option = "--usb";
    kind.typeName = "DEVICE";
    kind.help = "read the device ID from a usblp device (/dev/usb/lp0)";
    kind.make = [](const SourceConfig &config) { return UsbSource(config.value); };
    return kind;
}

}  // namespace pathost
