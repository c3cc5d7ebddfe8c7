// A device ID given as text (--device-id, "deviceId" in a targets file).
#ifndef PAT_HOST_SOURCES_TEXT_SOURCE_H
#define PAT_HOST_SOURCES_TEXT_SOURCE_H

#include "sources/source_kinds.h"

namespace pathost {

SourcePtr TextSource(std::string text);
SourceKind TextSourceKind();

}  // namespace pathost

#endif
