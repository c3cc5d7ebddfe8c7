#include "sources/device_id_source.h"

#include <fstream>
#include <iterator>


namespace pathost {

namespace {

// A device ID is a few hundred bytes; a file far larger is not one.
constexpr size_t kDeviceIdFileLimit = 64 * 1024;

}  // namespace

DeviceIdOrigin OriginOf(const DeviceIdSource &source) {
    switch (source.kind) {
        case DeviceIdSource::Kind::Text: return {"text", "--device-id"};
        case DeviceIdSource::Kind::File: return {"file", source.value};
        case DeviceIdSource::Kind::Usb: return {"usb", source.value};
        default: return {};
    }
}

DeviceIdRead ReadDeviceId(const DeviceIdSource &source) {
    DeviceIdRead read;
    switch (source.kind) {
        case DeviceIdSource::Kind::None:
        case DeviceIdSource::Kind::Snmp:  // asked on the event loop (poller.cpp)
            read.ok = true;
            return read;
        case DeviceIdSource::Kind::Text:
            read.ok = true;
            read.bytes = source.value;
            read.lengthPrefixed = LooksLengthPrefixed(read.bytes);
            return read;
        case DeviceIdSource::Kind::Usb:
            return ReadUsbDeviceId(source.value);
        case DeviceIdSource::Kind::File:
            break;
    }
    std::ifstream file(source.value, std::ios::binary);
    if (!file) {
        read.failure = OutcomeKind::NoInput;
        read.error = "cannot open the device ID file " + source.value;
        return read;
    }
    std::string bytes;
    char buffer[4096];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        bytes.append(buffer, static_cast<size_t>(file.gcount()));
        if (bytes.size() > kDeviceIdFileLimit) {
            read.failure = OutcomeKind::DataError;
            read.error = "the device ID file " + source.value + " is larger than 64 KiB";
            return read;
        }
    }
    read.lengthPrefixed = LooksLengthPrefixed(bytes);
    // A file written by hand ends with a line end that is not part of the ID.
    if (!read.lengthPrefixed)
        while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) bytes.pop_back();
    read.ok = true;
    read.bytes = std::move(bytes);
    return read;
}

PreparedDeviceId PrepareDeviceId(const DeviceIdRead &read, bool raw) {
    PreparedDeviceId prepared;
    if (raw) {
        prepared.text = read.bytes;
        return prepared;
    }
    prepared.cleaning = CleanDeviceId(read.bytes, read.lengthPrefixed);
    prepared.text = prepared.cleaning.text;
    prepared.cleaned = true;
    return prepared;
}

}  // namespace pathost
