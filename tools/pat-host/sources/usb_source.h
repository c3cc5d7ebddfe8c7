// The device ID of a USB printer, through the Linux usblp driver (--usb).
#ifndef PAT_HOST_SOURCES_USB_SOURCE_H
#define PAT_HOST_SOURCES_USB_SOURCE_H

#include "sources/source_kinds.h"

namespace pathost {

SourcePtr UsbSource(std::string device);
SourceKind UsbSourceKind();

}  // namespace pathost

#endif
