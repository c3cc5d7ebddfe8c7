// Where the printer's IEEE 1284 device ID comes from. A raw TCP port carries
// none, so the host takes it from the command line, from a file, or from a
// USB printer's usblp device.
#ifndef PAT_HOST_DEVICE_ID_SOURCE_H
#define PAT_HOST_DEVICE_ID_SOURCE_H

#include <string>

#include "cleaning/cleaning.h"
#include "outcome/outcome_kind.h"

namespace pathost {

struct DeviceIdSource {
    enum class Kind { None, Text, File, Usb, Snmp };
    Kind kind = Kind::None;
    std::string value;  // the text, the file name or the device
    // SNMP named explicitly: a printer whose agent gives no device ID fails
    // its poll; otherwise the poll goes on without the device-ID categories.
    bool required = false;
};

// Where one poll's device ID came from, as the outputs name it.
struct DeviceIdOrigin {
    std::string source;      // "text", "file", "usb", "snmp"
    std::string where;       // the file, the device or the agent's HOST:PORT
    std::string object;      // SNMP: the object that answered, dotted
    std::string objectName;  // SNMP: its name, when it has one
    std::string version;     // SNMP: "1" or "2c"
};
// The origin of a device ID read from a text, file or USB source.
DeviceIdOrigin OriginOf(const DeviceIdSource &source);

struct DeviceIdRead {
    bool ok = false;
    std::string bytes;            // as read
    bool lengthPrefixed = false;  // a USB device ID, or a capture that still has its prefix
    OutcomeKind failure = OutcomeKind::Ok;  // when not ok
    std::string error;
};

DeviceIdRead ReadDeviceId(const DeviceIdSource &source);

// The usblp ioctl; the bytes start with the two length bytes.
DeviceIdRead ReadUsbDeviceId(const std::string &device);

// The device ID as the module gets it: cleaned, or as read with --raw.
struct PreparedDeviceId {
    std::string text;
    DeviceIdCleaning cleaning;
    bool cleaned = false;
};
PreparedDeviceId PrepareDeviceId(const DeviceIdRead &read, bool raw);

}  // namespace pathost

#endif
